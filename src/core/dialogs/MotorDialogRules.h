#pragma once

#include "BoxScale.h"
#include "MotorRecord.h"
#include "RunCurrentCeiling.h"
#include "Settings.h"

#include <QString>
#include <functional>

// What the motor dialog does to the configuration: its boxes and sliders,
// the running-current limits, what it shows of a motor and what its OK
// writes. The dialog window only shows these.

enum class MotorBox { DriveCurrent, IdlePercent, IdleDelay, InertiaRatio, LoadInertia, Count };
const BoxScale& MotorBoxScale(MotorBox box);

// The running-current box's rule: 0.5..6 A, and no more than the motor the
// dialog has chosen allows (maxRunCurrent is asked at each leave).
BoxRule DriveCurrentRule(std::function<float()> maxRunCurrent);
// The lowest running current the slider holds by itself, 0.50 A.
constexpr int RunCurrentFloorPosition = 50;
// The running-current slider's own clamp (hundredths of an amp): no less
// than 0.50 A and no more than the limit; a limit below 0.50 A wins.
int DriveCurrentPosition(int position, float maxRunCurrent);
// The slider position for a motor's rated current: the rated current, or
// the drive's maximum when the rated current is higher.
int RatedCurrentPosition(double ratedCurrent, float driveMaxCurrent);

// The idle label: "%  (" the idle current in amps " A)", from the two texts
// as they stand (a text without a number counts as 0).
QString IdleAmpsText(const QString& idlePercent, const QString& runCurrent);

// The load inertia as the dialog shows it, in the unit it is shown in.
QString LoadInertiaText(const Settings& s);

// What the "Motor Specs" frames show of a motor: rated current, torque and inertia with their
// units, smoothing gain and phase, maximum lead angle and its speed.
struct MotorSpecTexts {
    QString current;
    QString torque;
    QString torqueUnit;
    QString inertia;
    QString inertiaUnit;
    QString gain;
    QString phase;
    QString deg;
    QString rps;
};
// A database motor: plain numbers in the units stored with it.
MotorSpecTexts DatabaseMotorSpecs(const MotorRecord& motor);
// The custom motor of the settings (torque and inertia in FormatSig form).
MotorSpecTexts CustomMotorSpecs(const Settings& s);

// The dialog's controls as OK reads them.
struct MotorDialogEntries {
    QString runCurrent;
    QString idlePercent;
    QString idleDelay;
    QString loadInertia;
    int loadInertiaUnit = 0;
    QString inertiaRatio;
    bool ratioChosen = false;
    bool customChosen = false;
    bool dampingOff = false;
    bool smoothingOff = false;
};
// What OK writes into the settings. The load inertia is held in kg m2; the
// unit only says how the dialog shows it.
void WriteMotorSettings(const MotorDialogEntries& e, Settings& s);
