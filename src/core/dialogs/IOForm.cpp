#include "IOForm.h"

#include "Rounding.h"

namespace {

// Motion output codes 4..8 are a tach of 100 << (code - 4) pulses/rev.
constexpr int FirstTachCode = 4;
constexpr int LastTachCode = 8;

}  // namespace

BoxRule IOForm::MaxDecelRule()
{
    return {1, 5000, [](double v) { return static_cast<double>(RoundHalfEven(v)); }, {}};
}

QStringList IOForm::TachRows()
{
    QStringList rows;
    for (int code = FirstTachCode; code <= LastTachCode; ++code)
        rows << QStringLiteral("%1 pulses/rev").arg(100 << (code - FirstTachCode));
    return rows;
}

QStringList IOForm::LimitRows()
{
    return {QStringLiteral("closed"), QStringLiteral("open"), QStringLiteral("not used")};
}

void IOForm::fill(const Settings& s)
{
    enableOption = (s.EnableInputMode == 3 || s.EnableInputMode == 2) ? s.EnableInputMode : 1;
    alarmInput = s.AlarmResetMode == 1;
    alarmOutput = (s.AlarmOutputMode == 1 || s.AlarmOutputMode == 2) ? s.AlarmOutputMode : 3;
    brake = s.BrakeOutputMode == 1 || s.BrakeOutputMode == 2;
    if (brake)
        brakeOpen = s.BrakeOutputMode == 2;
    brakeReleaseMs = s.BrakeReleaseDelay;
    brakeEngageMs = s.BrakeEngageDelay;
    if (s.MotionOutputMode < FirstTachCode) {
        motion = (s.MotionOutputMode == 1 || s.MotionOutputMode == 2) ? s.MotionOutputMode : MotionOff;
    } else {
        motion = MotionTach;
        tachRow = s.MotionOutputMode <= LastTachCode ? s.MotionOutputMode - FirstTachCode : 0;
    }
    limitRow = (s.LimitMode == 1 || s.LimitMode == 2) ? s.LimitMode - 1 : 2;
    maxDecel = s.MaxAccel;
}

void IOForm::writeTo(Settings& s) const
{
    s.BrakeReleaseDelay = RoundToInt(brakeReleaseMs);
    s.BrakeEngageDelay = RoundToInt(brakeEngageMs);
    s.LimitMode = limitRow + 1;
    s.EnableInputMode = enableOption;
    s.AlarmResetMode = alarmInput ? 1 : 3;
    s.AlarmOutputMode = alarmOutput;
    s.BrakeOutputMode = !brake ? 3 : (brakeOpen ? 2 : 1);
    s.MotionOutputMode = motion == MotionTach ? FirstTachCode + tachRow : motion;
    s.MaxAccel = maxDecel;
}
