#include "SettingsFields.h"

#include "Rounding.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NotInImage = -1;
constexpr double Lots = 1e9;

#define FIELD(name) #name, &Settings::name

// name, user range, valid range, image round-trip tolerance.
const std::vector<SettingsField> Fields = {
    // Motion mode: codes; the image takes any byte.
    {FIELD(OperatingMode), 1, 7, 0, 255, 0},
    {FIELD(ControlMode), 7, 22, 0, 255, 0},
    {FIELD(PowerUpMode), 7, 22, 7, 22, 0},
    // Step input
    {FIELD(PulseType), 0, 2, 0, 2, 0},
    {FIELD(QuadDirBLeadsA), 0, 1, 0, 1, 0},
    {FIELD(StepsPerRev), 200, 51200, 0, 65535, 0},
    // Stand-alone step input admits what the image holds (tenths of a hertz in
    // 16 bits); files and older images may carry more.
    {FIELD(StepFilterHz), 1, 6553, 0, 10000, 0},
    // The noise filter goes as 15000 / Hz in one byte: a coarse step, and the
    // 2000 Hz that a 0 byte reads as goes back as 8 (1875 Hz).
    {FIELD(NoiseFilterHz), 100, 15000, 1, 15000, 0.07, true},
    // Velocity and analog input
    {FIELD(VelSpeed), 0.0125, 100, 0, 65535 / 240.0, 0.5 / 240 + 1e-9},
    {FIELD(VelSpeed2), 0.0125, 100, 0, 65535 / 240.0, 0.5 / 240 + 1e-9},
    {FIELD(VelAccel), 0.5, 5460, 0, 65535 / 6.0, 0.5 / 6 + 1e-9},
    {FIELD(VelDecel), 0.5, 5460, 0, 65535 / 6.0, 0.5 / 6 + 1e-9},
    {FIELD(VelTwoSpeeds), 0, 1, 0, 1, 0},
    {FIELD(VelRunStopInput), 0, 1, 0, 1, 0},
    {FIELD(VelAnalog), 0, 1, 0, 1, 0},
    {FIELD(AnalogScale), -100, 100, -32768 / 240.0, 32767 / 240.0, 0.5 / 240 + 1e-9},
    {FIELD(AnalogOffset), -10000, 10000, -16384, 16384, 0},
    {FIELD(AnalogDeadband), 1, 255, 0, 255, 0},
    // The filter travels as a coefficient whose steps widen towards the top
    // of the range (about 13 Hz per step at 16000 Hz).
    {FIELD(AnalogFilterHz), 1, 16000, 1, 16000, 8},
    {FIELD(AnalogRange), 0, 3, 0, 3, 0},
    {FIELD(VelocitySettingsSet), 0, 1, 0, 1, 0},
    // Motor and current. The idle share goes as centiamps, so at low running
    // currents it comes back within two percent.
    {FIELD(RunCurrent), 0.5, 6, 0, 655.35, 0.005 + 1e-9},
    {FIELD(IdleCurrentPct), 0, 90, 0, 100, 2},
    {FIELD(IdleDelay), 0, 10, 0, 65.535, 0.0005 + 1e-9},
    {FIELD(LoadInertia), 0, 0.01, -Lots, Lots, NotInImage},
    {FIELD(LoadInertiaUnit), 0, 3, 0, 3, 0},
    // The upload works the ratio out: up to some 1e91 over the smallest rotor.
    {FIELD(InertiaRatio), 0, 20, -1, 1e100, NotInImage},
    {FIELD(InertiaAsRatio), 0, 1, 0, 1, 0},
    {FIELD(SmoothingOn), 0, 1, 0, 1, 0},
    {FIELD(DampingOn), 0, 1, 0, 1, 0},
    {FIELD(UseCustomMotor), 0, 1, 0, 1, 0},
    // Custom motor
    {FIELD(CustomMotorName), 0, 13, 0, 255, 0},
    {FIELD(CustomMotorCurrent), 0.1, 10, 0, 655.35, 0.005 + 1e-9},
    {FIELD(CustomMotorTorque), 0.01, 5000, 0, 0xFFFFFF, 1.0 / (1 << 23), true},
    {FIELD(CustomTorqueUnit), 0, 4, 0, 4, 0},
    {FIELD(CustomMotorInertia), 0.01, 5000, 0, 0xFFFFFF, 1.0 / (1 << 23), true},
    {FIELD(CustomInertiaUnit), 0, 3, 0, 3, 0},
    {FIELD(CustomHarmonicGain), 0, 3000, 0, 65535, 0},
    {FIELD(CustomHarmonicPhase), -128, 128, -32768, 32767, 0},
    {FIELD(CustomMotorR), 0.1, 320, 0, Lots, NotInImage},
    {FIELD(CustomMotorL), 0.1, 320, 0, Lots, NotInImage},
    {FIELD(CustomLeadAngleDeg), 45, 360, 0, 65535, 0},
    {FIELD(CustomLeadAngleRps), 5, 100, 0, 273, 0},
    {FIELD(CustomMotorMaxVolts), 10, 100, 0, 6553.5, 0.05 + 1e-9},
    // Encoder and stall handling
    {FIELD(EncoderDirCW), 0, 1, 0, 1, 0},
    {FIELD(EncoderSingleEnded), 0, 1, 0, 1, 0},
    {FIELD(EncoderCounts), 100, 65535, 0, 65535, 0},
    {FIELD(MaxTorquePct), 10, 100, 0, 65535, 0},
    {FIELD(StallDetect), 0, 1, 0, 1, 0},
    {FIELD(StallPrevent), 0, 1, 0, 1, 0},
    {FIELD(HardStopFault), 0, 1, 0, 1, 0},
    {FIELD(HardStopTimeMs), 1, 32000, 0, 65535, 0},
    {FIELD(UploadLeadAngleRps), 5, 100, 0, 65535 / 240.0, 1e-6},
    {FIELD(UploadLeadAngleDeg), 45, 360, 0, 65535, 0},
    // I/O functions
    {FIELD(EnableInputMode), 1, 3, 1, 3, 0},
    {FIELD(AlarmResetMode), 1, 3, 1, 3, 0},
    {FIELD(AlarmOutputMode), 1, 3, 1, 3, 0},
    {FIELD(BrakeOutputMode), 1, 3, 1, 3, 0},
    {FIELD(MotionOutputMode), 1, 8, 1, 8, 0},
    {FIELD(LimitMode), 1, 3, 1, 3, 0},
    {FIELD(BrakeReleaseDelay), 0, 32000, 0, 65535, 0},
    {FIELD(BrakeEngageDelay), 0, 32000, 0, 65535, 0},
    {FIELD(MaxAccel), 1, 5000, 0, 65535 / 6.0, 0.5 / 6 + 1e-9},
    {FIELD(MaxSpeed), 0, 100, 0, Lots, NotInImage},
    // Regeneration resistor
    {FIELD(RegenExternal), 0, 1, 0, 1, 0},
    {FIELD(RegenResOhms), 5, 1000, 0, 65535, 0.5},
    {FIELD(RegenResWatts), 50, 1000, 0, 65535, 0.5},
    {FIELD(RegenResSecs), 0.01, 8, 0, 65535 / 4000.0, 0.5 / 4000 + 1e-9},
    // TMX serial settings
    {FIELD(Rs485Address), 1, 1, 1, 1, 0},
    {FIELD(TxDelay), 0, 32000, 0, 65535, 0},
    {FIELD(BitRateCode), 1, 5, 1, 5, 0},
    {FIELD(ProtocolFlags), 0, 55, 0, 55, 0},
    // Drive values no dialog shows
    {FIELD(DriveWord56), -32768, 32767, -32768, 32767, 0},
    {FIELD(DriveWord78), 0, 65535, 0, 65535, 0},
    {FIELD(DriveWord80), 0, 65535, 0, 65535, 0},
    {FIELD(DriveWord82), 0, 65535, 0, 65535, 0},
    {FIELD(DriveWord84), 0, 65535, 0, 65535, 0},
    {FIELD(DriveWord86), 0, 65535, 0, 65535, 0},
};

#undef FIELD

bool isFloatMember(const SettingsField& f)
{
    return std::holds_alternative<float Settings::*>(f.member);
}

}  // namespace

bool SettingsField::isInteger() const
{
    return isBool() || std::holds_alternative<int Settings::*>(member)
           || std::holds_alternative<std::int16_t Settings::*>(member);
}

const std::vector<SettingsField>& SettingsFields()
{
    return Fields;
}

const SettingsField* FindSettingsField(const QString& name)
{
    for (const SettingsField& f : Fields) {
        if (name == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

double FieldNumber(const Settings& s, const SettingsField& f)
{
    return std::visit(
        [&](auto member) -> double {
            const auto& v = s.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, QString>)
                return v.toDouble();
            else
                return static_cast<double>(v);
        },
        f.member);
}

void SetFieldNumber(Settings& s, const SettingsField& f, double value)
{
    std::visit(
        [&](auto member) {
            auto& v = s.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>)
                v = QString::number(value);
            else if constexpr (std::is_same_v<T, bool>)
                v = value != 0;
            else if constexpr (std::is_integral_v<T>)
                v = static_cast<T>(RoundHalfEven(value));
            else
                v = static_cast<T>(value);
        },
        f.member);
}

QString FieldText(const Settings& s, const SettingsField& f)
{
    return std::visit(
        [&](auto member) -> QString {
            const auto& v = s.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>)
                return v;
            else if constexpr (std::is_same_v<T, bool>)
                return v ? QStringLiteral("true") : QStringLiteral("false");
            else if constexpr (std::is_integral_v<T>)
                return QString::number(v);
            else
                return QString::number(static_cast<double>(v), 'g', QLocale::FloatingPointShortest);
        },
        f.member);
}

void SetFieldText(Settings& s, const SettingsField& f, const QString& text)
{
    if (const auto* m = std::get_if<QString Settings::*>(&f.member))
        s.**m = text;
    else if (f.isBool())
        SetFieldNumber(s, f, text == QLatin1String("true") ? 1 : 0);
    else
        SetFieldNumber(s, f, text.toDouble());
}

double ExactTolerance(const SettingsField&, double)
{
    return 0;
}

double TextNumberTolerance(const SettingsField& f, double value)
{
    if (f.isInteger() || f.isText())
        return 0;
    const double digits = isFloatMember(f) ? 7 : 15;
    // Half a unit in the last kept digit, relative to the value's magnitude.
    return std::fabs(value) * 5 * std::pow(10.0, -digits);
}

double ImageTolerance(const SettingsField& f, double value)
{
    if (!f.inImage())
        return Inf;
    return f.imageRelative ? std::fabs(value) * f.imageTolerance : f.imageTolerance;
}

namespace {

// Which fields differ, each given by name alone or with both values.
QStringList differences(const Settings& a, const Settings& b, const FieldTolerance& tolerance, bool withValues)
{
    QStringList out;
    for (const SettingsField& f : Fields) {
        bool differ;
        if (f.isText()) {
            const double tol = tolerance(f, 0);
            differ = !std::isinf(tol) && FieldText(a, f) != FieldText(b, f);
        } else {
            const double x = FieldNumber(a, f);
            const double y = FieldNumber(b, f);
            const double tol = tolerance(f, x);
            if (std::isinf(tol))
                continue;
            if (isFloatMember(f) && tol == 0)
                differ = static_cast<float>(x) != static_cast<float>(y);
            else
                differ = !(std::fabs(x - y) <= tol);
        }
        if (differ)
            out << (withValues ? QStringLiteral("%1: %2 != %3").arg(QLatin1String(f.name), FieldText(a, f), FieldText(b, f))
                               : QString::fromLatin1(f.name));
    }
    return out;
}

}  // namespace

QStringList DifferingFields(const Settings& a, const Settings& b, const FieldTolerance& tolerance)
{
    return differences(a, b, tolerance, true);
}

QStringList DifferingNames(const Settings& a, const Settings& b, const FieldTolerance& tolerance)
{
    return differences(a, b, tolerance, false);
}

QStringList FieldsOutOfRange(const Settings& s)
{
    QStringList out;
    for (const SettingsField& f : Fields) {
        bool bad;
        if (f.isText()) {
            const QString t = FieldText(s, f);
            bad = t.size() < f.validLo || t.size() > f.validHi;
            for (const QChar c : t)
                bad = bad || c.category() == QChar::Other_Control;
        } else {
            const double v = FieldNumber(s, f);
            bad = !std::isfinite(v) || v < f.validLo || v > f.validHi;
        }
        if (bad)
            out << QStringLiteral("%1 = %2").arg(QLatin1String(f.name), FieldText(s, f));
    }
    return out;
}
