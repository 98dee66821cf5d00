#pragma once

#include "BoxRule.h"

#include <QString>
#include <QStringList>

struct Settings;

// Stand-alone velocity mode with its analog input: the boxes' ranges, the
// motion output's choices and what the velocity dialog's OK stores.

BoxRule SpeedRule();         // rev/s, 0.0125 to 100
BoxRule AccelRule();         // rev/s/s, 0.5 to 5460
BoxRule AnalogScaleRule();   // rev/s at full scale, -100 to 100, three decimals
BoxRule DeadbandRule();      // mV, 1 to 255
BoxRule AnalogOffsetRule();  // mV, -10000 to 10000
BoxRule AnalogFilterRule();  // Hz, 1 to 16000
constexpr double MinAnalogOffset = -10000;
constexpr double MaxAnalogOffset = 10000;

// The analog ranges (AnalogRange 0 to 3) and the tach rates (motion output
// modes 4 to 8), as their lists show them.
QStringList AnalogRangeNames();
QStringList TachRateNames();
// The scale's unit label for a range entry (-1: none selected).
QString AnalogUnitsText(int rangeIndex);

// The motion output (Y2) as the dialog's options show it.
enum class MotionOutputChoice { Open, Closed, Off, Tach };
struct MotionOutputSelection {
    MotionOutputChoice choice = MotionOutputChoice::Off;
    int tachIndex = -1;  // the tach rate entry; -1 leaves the list as it is
};
// The loader's view of MotionOutputMode: 1 open, 2 closed, other values
// below 4 not used, 4 and up a tach (entries 0 to 4 for 4 to 8, the first
// entry for anything larger).
MotionOutputSelection MotionOutputFromMode(int mode);
// What OK stores for the options: 2 closed, 4 + entry for a tach, 1 open,
// 3 not used.
int MotionOutputModeFrom(const MotionOutputSelection& selection);

// What the velocity dialog shows and what its OK takes. The advanced analog
// values have no control in it: they travel in the dialog's own variables
// between the loader, the advanced dialog and this OK.
struct VelocityValues {
    MotionOutputSelection motionOutput;
    bool twoSpeeds = false;
    bool runStop = false;
    bool analog = false;
    double speed = 0;
    double speed2 = 0;
    double accel = 0;
    double decel = 0;
    int analogRange = 0;
    double analogScale = 0;
    int cmdOffset = 0;       // mV
    int analogDeadband = 0;  // mV
    int analogFilter = 0;    // Hz
};

VelocityValues VelocityFromSettings(const Settings& s);
// The OK: every velocity setting, stand-alone velocity mode with 20000
// steps/rev, and the settings marked as set.
void StoreVelocity(const VelocityValues& v, Settings& s);
