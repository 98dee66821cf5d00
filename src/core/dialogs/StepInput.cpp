#include "StepInput.h"

#include "Rounding.h"
#include "Settings.h"
#include "Units.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double NoiseBaseHz = 15000;
constexpr int MaxNoiseDivider = 150;

}  // namespace

BoxRule StepsPerRevRule(int multiple)
{
    return BoxRule{200, 51200, [multiple](double v) { return multiple * std::floor(v / multiple); }, {}};
}

BoxRule StepFilterRule(int maxHz)
{
    return BoxRule{1, static_cast<double>(maxHz), {}, {}};
}

double SnapNoiseFilterKHz(double kHz)
{
    const double f = LimitVal(kHz, 0.1, 15);
    const int n = std::clamp(static_cast<int>(std::floor(NoiseBaseHz / (f * 1000) + 0.5)), 1, MaxNoiseDivider);
    return std::floor(NoiseBaseHz / n + 0.5) / 1000;
}

BoxRule NoiseFilterRule()
{
    return BoxRule{0.1, 15, SnapNoiseFilterKHz, {}};
}

int NoiseFilterHzFromKHz(double kHz)
{
    return RoundToInt(kHz * 1000);
}

StepInputValues StepInputFromSettings(const Settings& s)
{
    StepInputValues v;
    v.pulseType = s.PulseType == 1 || s.PulseType == 2 ? s.PulseType : 0;
    v.dirBLeadsA = s.QuadDirBLeadsA;
    v.stepsPerRev = s.StepsPerRev;
    v.stepFilterHz = s.StepFilterHz;
    v.noiseFilterKHz = s.NoiseFilterHz / 1000.0;
    return v;
}

void StoreStepInput(const StepInputValues& v, Settings& s)
{
    s.StepsPerRev = RoundToInt(v.stepsPerRev);
    s.PulseType = v.pulseType == 1 || v.pulseType == 2 ? v.pulseType : 0;
    s.QuadDirBLeadsA = v.dirBLeadsA;
    s.StepFilterHz = RoundToInt(v.stepFilterHz);
    s.NoiseFilterHz = NoiseFilterHzFromKHz(v.noiseFilterKHz);
}

void StorePulseDir(const StepInputValues& v, Settings& s)
{
    StoreStepInput(v, s);
    s.OperatingMode = 3;
    s.ControlMode = 7;
}
