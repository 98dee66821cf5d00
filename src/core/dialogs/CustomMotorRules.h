#pragma once

#include "BoxScale.h"
#include "MotorDialogRules.h"
#include "Settings.h"

#include <QString>
#include <optional>

// What the custom-motor editor does to the configuration: its boxes and
// sliders, what its OK writes, and the firmware test of its Wizard button.

enum class CustomMotorBox { RatedCurrent, RatedTorque, RotorInertia, R, L, MaxVolts, Deg, RPS, Gain, Phase, Count };
const BoxScale& CustomMotorBoxScale(CustomMotorBox box);

// The longest motor name the user can type (the drive image holds 13
// characters), counted in characters as a user sees them.
constexpr int CustomMotorNameLength = 13;

// What an edit leaves in a text box limited to `limit` characters. before:
// the text the edit started from, less the selection it replaced; after:
// the text the edit made. An edit that only takes characters away stands
// (a longer name from a file may be shortened); one that types or pastes
// leaves at most `limit` characters: the new text when it fits, else the
// new text with as much of what was typed as fits, never half a
// character, and *cursor just after it; nullopt when nothing of it fits
// (a longer name from a file is not lengthened).
std::optional<QString> TypedText(const QString& before, const QString& after, int limit, int* cursor);

// The editor's controls as OK reads them.
struct CustomMotorEntries {
    QString name;
    QString current;
    QString torque;
    int torqueUnit = 0;
    QString inertia;
    int inertiaUnit = 0;
    QString r;
    QString l;
    QString maxVolts;
    QString deg;
    QString rps;
    QString gain;
    QString phase;
};
// What OK writes into the settings (the name as the box holds it: its
// limit is on typing, so a longer name from a file stays whole; gain,
// phase and the lead angle rounded to whole numbers).
void WriteCustomMotor(const CustomMotorEntries& e, Settings& s);
// The motor dialog's custom-motor labels, from the texts as typed.
MotorSpecTexts CustomSpecsAsTyped(const CustomMotorEntries& e);

// The smoothing wizard needs firmware 1.00 at revision "k" or later; any
// other firmware version (0 before a drive was identified included) has it.
// A revision that is not one character long counts as "a".
bool SmoothingWizardAllowed(float firmwareVersion, const QString& minorRev);
QString SmoothingWizardRefusal();
