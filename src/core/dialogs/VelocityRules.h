#pragma once

#include "BoxRule.h"
#include "MotionOutput.h"

#include <QString>
#include <QStringList>

struct Settings;

// Stand-alone velocity mode with its analog input: the boxes' ranges and
// what the velocity dialog's OK stores.

BoxRule SpeedRule();         // rev/s, 0.0125 to 100
BoxRule AccelRule();         // rev/s/s, 0.5 to 5460
BoxRule AnalogScaleRule();   // rev/s at full scale, -100 to 100, three decimals
BoxRule DeadbandRule();      // mV, 1 to 255
BoxRule AnalogOffsetRule();  // mV, -10000 to 10000
BoxRule AnalogFilterRule();  // Hz, 1 to 16000
constexpr double MinAnalogOffset = -10000;
constexpr double MaxAnalogOffset = 10000;

// The analog ranges (AnalogRange 0 to 3), as their list shows them.
QStringList AnalogRangeNames();
// The scale's unit label for a range entry (-1: none selected).
QString AnalogUnitsText(int rangeIndex);

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
