#include "ReadValueLimits.h"

#include "Codecs.h"

#include <QList>
#include <algorithm>
#include <variant>

namespace {

// The largest value the drive image's 4-byte float carries (a 24-bit mantissa).
constexpr double DriveFloatMax = 16777215.0;
// Far beyond any real load or speed; keeps the arithmetic on such values finite.
constexpr double Huge = 1e9;

template <class Record>
struct Limit {
    std::variant<double Record::*, float Record::*, int Record::*, std::int16_t Record::*> member;
    double min;
    double max;
};

template <class Record>
void ApplyLimits(Record& r, const QList<Limit<Record>>& limits)
{
    for (const Limit<Record>& l : limits) {
        std::visit(
            [&](auto member) {
                auto& v = r.*member;
                using V = std::decay_t<decltype(v)>;
                if (static_cast<double>(v) < l.min)
                    v = static_cast<V>(l.min);
                else if (static_cast<double>(v) > l.max)
                    v = static_cast<V>(l.max);
            },
            l.member);
    }
}

// A name read from a file keeps every character as written, trailing blanks
// and letters beyond ASCII included; only control characters, which no
// name shows, are dropped. The drive image alone cuts names to its plain
// 13 characters, when it is built.
QString WithoutControlChars(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            out.append(c);
    }
    return out;
}

}  // namespace

void LimitReadSettings(Settings& s)
{
    using S = Settings;
    // A zero step filter would stop the drive's step input; 0 has always
    // been read as 1. A noise filter below 100 Hz was never a valid entry
    // and is read as 2000 Hz, the drive's own fallback.
    if (s.StepFilterHz == 0)
        s.StepFilterHz = 1;
    if (s.NoiseFilterHz < 100)
        s.NoiseFilterHz = 2000;

    static const QList<Limit<S>> limits = {
        {&S::PulseType, 0, 2},
        {&S::StepsPerRev, 200, 51200},
        {&S::StepFilterHz, 1, 10000},
        {&S::NoiseFilterHz, 100, 15000},
        {&S::VelSpeed, 0.0125, 100},
        {&S::VelSpeed2, 0.0125, 100},
        {&S::VelAccel, 0.5, 5460},
        {&S::VelDecel, 0.5, 5460},
        {&S::AnalogScale, -100, 100},
        {&S::AnalogOffset, -10000, 10000},
        {&S::AnalogDeadband, 1, 255},
        {&S::AnalogFilterHz, 1, 16000},
        {&S::AnalogRange, 0, 3},
        {&S::RunCurrent, 0, 6.0},
        // A file opens with the idle share it was written with (the motor
        // dialog takes up to 90 %, a model change lowers a higher one to 90);
        // never more than the running current itself.
        {&S::IdleCurrentPct, 0, 100},
        {&S::IdleDelay, 0, 10},
        {&S::LoadInertia, 0, Huge},
        {&S::LoadInertiaUnit, 0, 3},
        {&S::InertiaRatio, 0, 20},
        {&S::CustomMotorCurrent, 0, 655.35},
        {&S::CustomMotorTorque, 0, DriveFloatMax},
        {&S::CustomTorqueUnit, 0, 4},
        {&S::CustomMotorInertia, 0, DriveFloatMax},
        {&S::CustomInertiaUnit, 0, 3},
        {&S::CustomHarmonicGain, 0, 3000},
        {&S::CustomHarmonicPhase, -128, 128},
        {&S::CustomMotorR, 0.1, 320},
        {&S::CustomMotorL, 0.1, 320},
        {&S::CustomLeadAngleDeg, 45, 360},
        {&S::CustomLeadAngleRps, 5, 100},
        {&S::CustomMotorMaxVolts, 10, 100},
        {&S::EncoderCounts, 100, 65535},
        {&S::MaxTorquePct, 10, 100},
        {&S::HardStopTimeMs, 1, 32000},
        {&S::UploadLeadAngleRps, 0, 65535 / 240.0},
        {&S::UploadLeadAngleDeg, 0, 65535},
        {&S::EnableInputMode, 1, 3},
        {&S::AlarmResetMode, 1, 3},
        {&S::AlarmOutputMode, 1, 3},
        {&S::BrakeOutputMode, 1, 3},
        {&S::MotionOutputMode, 1, 8},
        {&S::LimitMode, 1, 3},
        {&S::BrakeReleaseDelay, 0, 32000},
        {&S::BrakeEngageDelay, 0, 32000},
        {&S::MaxAccel, 1, 5000},
        {&S::MaxSpeed, 0, Huge},
        {&S::RegenResOhms, 5, 1000},
        {&S::RegenResWatts, 50, 1000},
        {&S::RegenResSecs, 0.01, 8},
        {&S::TxDelay, 0, 32000},
        {&S::BitRateCode, 1, 5},
        {&S::DriveWord56, -32768, 32767},
    };
    ApplyLimits(s, limits);

    const int knownModes[] = {1, 2, 3, 4, 7};
    if (std::find(std::begin(knownModes), std::end(knownModes), s.OperatingMode) == std::end(knownModes))
        s.OperatingMode = Settings().OperatingMode;
    // Every control-mode code the drive knows is one it can also power up in.
    if (!IsPowerUpCode(s.ControlMode))
        s.ControlMode = Settings().ControlMode;
    if (!IsPowerUpCode(s.PowerUpMode))
        s.PowerUpMode = Settings().PowerUpMode;
    // The drive knows only these protocol bits, as the upload keeps them.
    s.ProtocolFlags &= 55;
    s.CustomMotorName = WithoutControlChars(s.CustomMotorName);
    // The address is one printable character, as the drive takes it.
    s.Rs485Address = Rs485AddressFromCode(s.Rs485Address.isEmpty() ? 0 : s.Rs485Address.at(0).unicode());
}

void LimitReadMotor(MotorRecord& m)
{
    using M = MotorRecord;
    // Limits of the drive image fields that carry the database motor.
    static const QList<Limit<M>> limits = {
        {&M::current, 0, 655.35},
        {&M::Torque, 0, DriveFloatMax},
        {&M::inertia, 0, DriveFloatMax},
        {&M::PWMmaxPct, 0, 100},
        {&M::harmonicGain, 0, 65535},
        {&M::harmonicPhase, -32768, 32767},
        {&M::TorqueUnit, 0, 4},
        {&M::InertiaUnit, 0, 3},
        {&M::leadangleDeg, 0, 65535},
        {&M::leadangleRps, 0, 273},
    };
    ApplyLimits(m, limits);
    m.partNumber = WithoutControlChars(m.partNumber);
}
