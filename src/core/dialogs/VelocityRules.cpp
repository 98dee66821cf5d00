#include "VelocityRules.h"

#include "Rounding.h"
#include "Settings.h"

#include <algorithm>

BoxRule SpeedRule() { return BoxRule{0.0125, 100, {}, {}}; }
BoxRule AccelRule() { return BoxRule{0.5, 5460, {}, {}}; }
BoxRule AnalogScaleRule()
{
    return BoxRule{-100, 100, {}, [](double v) { return QString::number(v, 'f', 3); }};
}
BoxRule DeadbandRule() { return BoxRule{1, 255, {}, {}}; }
BoxRule AnalogOffsetRule() { return BoxRule{MinAnalogOffset, MaxAnalogOffset, {}, {}}; }
BoxRule AnalogFilterRule() { return BoxRule{1, 16000, {}, {}}; }

QStringList AnalogRangeNames()
{
    return {QStringLiteral("\u00b110V"), QStringLiteral("0 to 10V"), QStringLiteral("\u00b15V"),
            QStringLiteral("0 to 5V")};
}

QString AnalogUnitsText(int rangeIndex)
{
    QString text = QStringLiteral("rev/sec at ");
    if (rangeIndex == 0 || rangeIndex == 1)
        text += QStringLiteral("+10V");
    else if (rangeIndex == 2 || rangeIndex == 3)
        text += QStringLiteral("+5V");
    return text;
}

VelocityValues VelocityFromSettings(const Settings& s)
{
    VelocityValues v;
    v.motionOutput = MotionOutputFromMode(s.MotionOutputMode);
    v.twoSpeeds = s.VelTwoSpeeds;
    v.analog = s.VelAnalog;
    v.runStop = s.VelRunStopInput;
    v.speed = s.VelSpeed;
    v.speed2 = s.VelSpeed2;
    v.accel = s.VelAccel;
    v.decel = s.VelDecel;
    v.analogRange = s.AnalogRange;
    v.analogScale = s.AnalogScale;
    v.cmdOffset = s.AnalogOffset;
    v.analogDeadband = s.AnalogDeadband;
    v.analogFilter = RoundToInt(s.AnalogFilterHz);
    return v;
}

void StoreVelocity(const VelocityValues& v, Settings& s)
{
    s.MotionOutputMode = MotionOutputModeFrom(v.motionOutput);
    s.StepsPerRev = 20000;
    s.OperatingMode = 3;
    s.ControlMode = 11;
    s.VelTwoSpeeds = v.twoSpeeds;
    s.VelRunStopInput = v.runStop;
    s.VelAnalog = v.analog;
    s.VelSpeed2 = v.speed2;
    s.VelSpeed = v.speed;
    s.VelAccel = v.accel;
    s.VelDecel = v.decel;
    // With no range chosen (a range no entry stands for was loaded) the
    // setting stays rather than turning into a code the drive lacks.
    if (v.analogRange >= 0 && v.analogRange < AnalogRangeNames().size())
        s.AnalogRange = static_cast<std::int16_t>(v.analogRange);
    s.AnalogScale = v.analogScale;
    s.VelocitySettingsSet = true;
    s.AnalogDeadband = v.analogDeadband;
    s.AnalogFilterHz = v.analogFilter;
    s.AnalogOffset = v.cmdOffset;
}
