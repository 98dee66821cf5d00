#pragma once

#include "BoxScale.h"
#include "MotorDialogRules.h"
#include "Settings.h"

#include <QString>

// What the custom-motor editor does to the configuration: its boxes and
// sliders, what its OK writes, and the firmware test of its Wizard button.

enum class CustomMotorBox { RatedCurrent, RatedTorque, RotorInertia, R, L, MaxVolts, Deg, RPS, Gain, Phase, Count };
const BoxScale& CustomMotorBoxScale(CustomMotorBox box);

// The longest motor name (the drive image holds 13 characters).
constexpr int CustomMotorNameLength = 13;

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
// What OK writes into the settings (the name cut to 13 characters; gain,
// phase and the lead angle rounded to whole numbers).
void WriteCustomMotor(const CustomMotorEntries& e, Settings& s);
// The motor dialog's custom-motor labels, from the texts as typed.
MotorSpecTexts CustomSpecsAsTyped(const CustomMotorEntries& e);

// The smoothing wizard needs firmware 1.00 at revision "k" or later; any
// other firmware version (0 before a drive was identified included) has it.
// A revision that is not one character long counts as "a".
bool SmoothingWizardAllowed(float firmwareVersion, const QString& minorRev);
QString SmoothingWizardRefusal();
