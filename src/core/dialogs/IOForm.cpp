#include "IOForm.h"

#include "MotionOutput.h"
#include "Rounding.h"

BoxRule IOForm::MaxDecelRule()
{
    return {1, 5000, [](double v) { return static_cast<double>(RoundHalfEven(v)); }, {}};
}

QStringList IOForm::TachRows()
{
    return TachRateNames();
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
    const MotionOutputSelection output = MotionOutputFromMode(s.MotionOutputMode);
    switch (output.choice) {
    case MotionOutputChoice::Open: motion = MotionOpen; break;
    case MotionOutputChoice::Closed: motion = MotionClosed; break;
    case MotionOutputChoice::Off: motion = MotionOff; break;
    case MotionOutputChoice::Tach:
        motion = MotionTach;
        tachRow = output.tachIndex;
        break;
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
    s.MotionOutputMode = motion == MotionTach ? FirstTachMode + tachRow : motion;
    s.MaxAccel = maxDecel;
}
