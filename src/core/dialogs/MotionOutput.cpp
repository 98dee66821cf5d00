#include "MotionOutput.h"

#include <algorithm>

QStringList TachRateNames()
{
    QStringList names;
    for (int mode = FirstTachMode; mode <= LastTachMode; ++mode)
        names << QStringLiteral("%1 pulses/rev").arg(100 << (mode - FirstTachMode));
    return names;
}

MotionOutputSelection MotionOutputFromMode(int mode)
{
    if (mode == 1)
        return {MotionOutputChoice::Open, -1};
    if (mode == 2)
        return {MotionOutputChoice::Closed, -1};
    if (mode < FirstTachMode)
        return {MotionOutputChoice::Off, -1};
    return {MotionOutputChoice::Tach, mode <= LastTachMode ? mode - FirstTachMode : 0};
}

int MotionOutputModeFrom(const MotionOutputSelection& selection)
{
    switch (selection.choice) {
    case MotionOutputChoice::Closed: return 2;
    case MotionOutputChoice::Tach:
        return FirstTachMode + std::clamp(selection.tachIndex, 0, LastTachMode - FirstTachMode);
    case MotionOutputChoice::Open: return 1;
    case MotionOutputChoice::Off: break;
    }
    return 3;
}
