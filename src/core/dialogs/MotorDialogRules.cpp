#include "MotorDialogRules.h"

#include "Rounding.h"
#include "Units.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The largest number the drive's floating-point fields hold; no inertia
// typed in any unit needs more.
constexpr double LargestInertia = 16777215;

const std::array<BoxScale, static_cast<int>(MotorBox::Count)> Scales{{
    // name               min  max             text                  step  slider    large small ticks
    {"txtDriveCurrent",   0.5, 6,              BoxScale::TwoDecimals, 0.01, 1, 600,  100, 10, 100},
    {"txtIdlePercent",    0,   90,             BoxScale::Whole,       1,    0, 90,   10,  1,  10},
    {"IdleDelayTime",     0,   10,             BoxScale::TwoDecimals, 0.01, 0, 1000, 100, 10, 100},
    {"txtInertiaRatio",   0,   20,             BoxScale::Plain,       0.1,  0, 200,  10,  1,  20},
    // A load inertia below 0 means nothing; it has no slider.
    {"txtLoadInertia",    0,   LargestInertia, BoxScale::Plain},
}};

}  // namespace

const BoxScale& MotorBoxScale(MotorBox box)
{
    return Scales.at(static_cast<std::size_t>(box));
}

BoxRule DriveCurrentRule(std::function<float()> maxRunCurrent)
{
    BoxRule rule = ScaleRule(MotorBoxScale(MotorBox::DriveCurrent));
    rule.adjust = [maxRunCurrent = std::move(maxRunCurrent)](double v) {
        const float limit = maxRunCurrent();
        return static_cast<float>(v) > limit ? RunCurrentCeiling(limit) : v;
    };
    return rule;
}

int DriveCurrentPosition(int position, float maxRunCurrent)
{
    // Raised to the floor first, then held at the ceiling: a motor rated
    // under 0.34 A has its ceiling below 0.50 A, and the ceiling wins, as in
    // the running-current box.
    const int top = RoundToInt(RunCurrentCeiling(maxRunCurrent) * 100);
    return std::min(std::max(position, RunCurrentFloorPosition), top);
}

int RatedCurrentPosition(double ratedCurrent, float driveMaxCurrent)
{
    const double amps = static_cast<float>(ratedCurrent) > driveMaxCurrent ? static_cast<double>(driveMaxCurrent)
                                                                           : ratedCurrent;
    return RoundToInt(amps * 100);
}

QString IdleAmpsText(const QString& idlePercent, const QString& runCurrent)
{
    const double amps = LeadingNumber(idlePercent) / 100 * LeadingNumber(runCurrent);
    return QStringLiteral("%  (") + QString::number(amps, 'f', 2) + QStringLiteral(" A)");
}

QString LoadInertiaText(const Settings& s)
{
    return FormatSig(InertiaFromKgm2(s.LoadInertia, s.LoadInertiaUnit));
}

MotorSpecTexts DatabaseMotorSpecs(const MotorRecord& m)
{
    return {BoxText(m.current),         BoxText(m.Torque),       TorqueUnitName(m.TorqueUnit),
            BoxText(m.inertia),         InertiaUnitName(m.InertiaUnit), BoxText(m.harmonicGain),
            BoxText(m.harmonicPhase),   BoxText(m.leadangleDeg), BoxText(m.leadangleRps)};
}

MotorSpecTexts CustomMotorSpecs(const Settings& s)
{
    return {BoxText(s.CustomMotorCurrent),
            FormatSig(s.CustomMotorTorque),
            TorqueUnitName(s.CustomTorqueUnit),
            FormatSig(s.CustomMotorInertia),
            InertiaUnitName(s.CustomInertiaUnit),
            BoxText(s.CustomHarmonicGain),
            BoxText(s.CustomHarmonicPhase),
            BoxText(s.CustomLeadAngleDeg),
            BoxText(s.CustomLeadAngleRps)};
}

void WriteMotorSettings(const MotorDialogEntries& e, Settings& s)
{
    s.IdleDelay = LeadingNumber(e.idleDelay);
    s.IdleCurrentPct = RoundToInt(LeadingNumber(e.idlePercent));
    s.RunCurrent = LeadingNumber(e.runCurrent);
    s.LoadInertiaUnit = static_cast<std::int16_t>(e.loadInertiaUnit);
    s.LoadInertia = InertiaToKgm2(LeadingNumber(e.loadInertia), s.LoadInertiaUnit);
    s.InertiaAsRatio = e.ratioChosen;
    s.InertiaRatio = LeadingNumber(e.inertiaRatio);
    s.UseCustomMotor = e.customChosen;
    s.DampingOn = !e.dampingOff;
    s.SmoothingOn = !e.smoothingOff;
}
