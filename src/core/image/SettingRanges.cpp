#include "SettingRanges.h"

#include "ImageFields.h"
#include "Rounding.h"

#include <algorithm>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

// What a field of the image carries for a setting it holds in `perUnit`
// steps of the field a unit (VelSpeed in 1/240 rev/s: 0 to 273.0625 rev/s
// in 16 bits); a whole-number setting gets the whole numbers the upload
// rounds those ends to.
constexpr FieldSpan carried(Enc field, double perUnit = 1)
{
    const FieldSpan span = EncodedSpan(field);
    return {span.min / perUnit, span.max / perUnit};
}

// Far beyond any real load or speed; keeps the arithmetic on them finite.
constexpr double Huge = 1e9;

template <class Record>
struct Range {
    std::variant<double Record::*, float Record::*, int Record::*, std::int16_t Record::*> member;
    FieldSpan span;
};

using S = Settings;
const std::vector<Range<S>> SettingsRanges = {
    // Motion mode: the upload keeps every code the drive holds (bytes 44
    // and 45); a mode the program does not know has no motion description
    // and no dialog of its own, and goes back to the drive as it came.
    {&S::OperatingMode, carried(Enc::U8)},
    {&S::ControlMode, carried(Enc::U8)},
    // Step input. Byte 46 holds the pulse type in two bits, 3 read as 2.
    {&S::PulseType, {0, 2}},
    {&S::StepsPerRev, carried(Enc::U16)},                 // bytes 47-48
    // Bytes 5-6 hold tenths of a hertz, up to 6553.5 Hz, where the step-input
    // dialog stops; a file may hold up to 10000 Hz, as older configurations
    // do, and the download sends any of those as the full field.
    {&S::StepFilterHz, {0, 10000}},
    {&S::NoiseFilterHz, {15000.0 / 255, 15000}},          // byte 2: 15000 / Hz
    // Velocity and analog input
    {&S::VelSpeed, carried(Enc::U16, 240)},               // bytes 3-4
    {&S::VelSpeed2, carried(Enc::U16, 240)},              // bytes 16-17
    {&S::VelAccel, carried(Enc::U16, 6)},                 // bytes 34-35
    {&S::VelDecel, carried(Enc::U16, 6)},                 // bytes 36-37
    {&S::AnalogScale, carried(Enc::S16, 240)},            // bytes 30-31
    {&S::AnalogOffset, carried(Enc::S16, 2)},             // bytes 32-33
    {&S::AnalogDeadband, carried(Enc::U8)},               // byte 39
    {&S::AnalogFilterHz, {1, 16000}},                     // bytes 58-59, a filter coefficient
    {&S::AnalogRange, {0, 3}},                            // byte 38, a list's code
    // Motor and current. Bytes 12-13 carry up to 655.35 A, but the upload,
    // like a change of model, lowers the current to what the drive allows:
    // 6 A at most.
    {&S::RunCurrent, {0, 6}},
    // The upload and the motor dialog take up to 90 %; a file keeps what it
    // was written with, never more than the running current itself.
    {&S::IdleCurrentPct, {0, 100}},
    {&S::IdleDelay, carried(Enc::U16, 1000)},             // bytes 72-73, ms
    // Not in the image: the upload works the load out from the
    // anti-resonance frequency, at most some 2e7 kg m2 (the largest torque
    // at 1 Hz), and a ratio of that over the rotor, which for the smallest
    // rotor the image carries (2^-255 g cm2) comes to some 1e91.
    {&S::LoadInertia, {0, Huge}},
    {&S::InertiaRatio, {0, 1e100}},
    {&S::LoadInertiaUnit, {0, 3}},                        // byte 7, a list's code
    // Custom motor
    {&S::CustomMotorCurrent, carried(Enc::U16, 100)},     // bytes 92-93
    {&S::CustomMotorTorque, carried(Enc::F4)},            // bytes 96-99
    {&S::CustomMotorInertia, carried(Enc::F4)},           // bytes 100-103
    {&S::CustomTorqueUnit, {0, 4}},                       // byte 94, a list's code
    {&S::CustomInertiaUnit, {0, 3}},                      // byte 95, a list's code
    {&S::CustomHarmonicGain, carried(Enc::U16)},          // bytes 88-89
    {&S::CustomHarmonicPhase, carried(Enc::U16s)},        // bytes 90-91
    // Not in the image: what the custom-motor editor admits.
    {&S::CustomMotorR, {0.1, 320}},
    {&S::CustomMotorL, {0.1, 320}},
    {&S::CustomLeadAngleDeg, carried(Enc::U16)},          // bytes 108-109
    {&S::CustomLeadAngleRps, carried(Enc::U16, 240)},     // bytes 106-107
    {&S::CustomMotorMaxVolts, carried(Enc::U16, 10)},     // bytes 104-105
    // Encoder and stall handling
    {&S::EncoderCounts, carried(Enc::U16)},               // bytes 22-23
    {&S::MaxTorquePct, carried(Enc::U16)},                // bytes 0-1
    {&S::HardStopTimeMs, carried(Enc::U16)},              // bytes 28-29
    {&S::UploadLeadAngleRps, carried(Enc::U16, 240)},     // bytes 24-25
    {&S::UploadLeadAngleDeg, carried(Enc::U16)},          // bytes 26-27
    // I/O functions: the codes of their lists, as the upload clamps bytes 50-55.
    {&S::EnableInputMode, {1, 3}},
    {&S::AlarmResetMode, {1, 3}},
    {&S::AlarmOutputMode, {1, 3}},
    {&S::BrakeOutputMode, {1, 3}},
    {&S::MotionOutputMode, {1, 8}},
    {&S::LimitMode, {1, 3}},
    {&S::BrakeReleaseDelay, carried(Enc::U16)},           // bytes 40-41
    {&S::BrakeEngageDelay, carried(Enc::U16)},            // bytes 42-43
    {&S::MaxAccel, carried(Enc::U16, 6)},                 // bytes 18-19
    {&S::MaxSpeed, {0, Huge}},                            // not in the image, no dialog
    // Regeneration resistor
    {&S::RegenResOhms, carried(Enc::U16)},                // bytes 68-69
    {&S::RegenResWatts, carried(Enc::U16)},               // bytes 66-67
    {&S::RegenResSecs, carried(Enc::U16, 4000)},          // bytes 70-71
    // TMX serial settings
    {&S::TxDelay, carried(Enc::U16)},                     // bytes 60-61
    {&S::BitRateCode, {1, 5}},                            // bytes 64-65, a list's code
    // Drive values no dialog shows
    {&S::DriveWord56, carried(Enc::U16s)},
    {&S::DriveWord78, carried(Enc::U16)},
    {&S::DriveWord80, carried(Enc::U16)},
    {&S::DriveWord82, carried(Enc::U16)},
    {&S::DriveWord84, carried(Enc::U16)},
    {&S::DriveWord86, carried(Enc::U16)},
};

// The database motor, bytes 124 to 145. Its windings are not in the image;
// the motor database keeps what it is given.
using M = MotorRecord;
const std::vector<Range<M>> MotorRanges = {
    {&M::harmonicGain, carried(Enc::U16)},
    {&M::harmonicPhase, carried(Enc::U16s)},
    {&M::current, carried(Enc::U16, 100)},
    {&M::TorqueUnit, {0, 4}},
    {&M::InertiaUnit, {0, 3}},
    {&M::Torque, carried(Enc::F4)},
    {&M::inertia, carried(Enc::F4)},
    {&M::PWMmaxPct, carried(Enc::U16, 10)},
    {&M::leadangleRps, carried(Enc::U16, 240)},
    {&M::leadangleDeg, carried(Enc::U16)},
};

template <class Record>
void holdIn(Record& r, const std::vector<Range<Record>>& ranges)
{
    for (const Range<Record>& range : ranges) {
        std::visit(
            [&](auto member) {
                auto& v = r.*member;
                using V = std::decay_t<decltype(v)>;
                V lo = static_cast<V>(range.span.min);
                V hi = static_cast<V>(range.span.max);
                if constexpr (std::is_integral_v<V>) {
                    // The whole numbers the upload rounds the ends to.
                    lo = static_cast<V>(RoundHalfEven(range.span.min));
                    hi = static_cast<V>(RoundHalfEven(range.span.max));
                }
                v = std::clamp(v, lo, hi);
            },
            range.member);
    }
}

}  // namespace

void HoldInRanges(Settings& s)
{
    holdIn(s, SettingsRanges);
}

void HoldInRanges(MotorRecord& m)
{
    holdIn(m, MotorRanges);
}
