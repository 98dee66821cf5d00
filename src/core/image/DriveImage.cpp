#include "DriveImage.h"

#include "Codecs.h"
#include "ImageFields.h"
#include "Rounding.h"
#include "Units.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SettingsBytes = DriveImageSize - 2;  // bytes 0..158

// A field's value on its way into or out of the image: a number, or the text
// of a C13 field.
struct Value {
    Value(double n) : num(n) {}
    Value(const QString& t) : text(t) {}
    double num = 0.0;
    QString text;
};

// What the encoder reads besides the settings.
struct EncodeIn {
    const Settings& s;
    const MotorRecord& db;
    bool custom;  // the custom motor is the motor in use
    int arFreq;
};

// What the decoder fills: the settings, and what it gathers on the way.
struct DecodeOut {
    Settings& s;
    MotorRecord db;
    int arFrequency = 0;
    int controlCode = 0;   // byte 44, applied once byte 45 is known
    int regenWattsRaw = 0; // bytes 66-67 as read
};

using Put = Value (*)(const EncodeIn&);
using Take = void (*)(DecodeOut&, const Value&);

struct ImageField {
    int offset;
    Enc enc;
    Put put;    // the value the download writes
    Take take;  // what the upload sets from the value read
};

int asInt(const Value& v) { return RoundToInt(v.num); }
bool bit(int value, int mask) { return (value & mask) != 0; }
int clampInt(const Value& v, int lo, int hi) { return std::clamp(asInt(v), lo, hi); }
void ignore(DecodeOut&, const Value&) {}

// Byte 7.
int flagByte(const Settings& s)
{
    return (s.DampingOn ? 1 : 0) | (s.SmoothingOn ? 2 : 0) | ((s.LoadInertiaUnit & 7) << 2)
           | (s.EncoderDirCW ? 32 : 0) | (s.InertiaAsRatio ? 128 : 0);
}

void takeFlagByte(Settings& s, int b)
{
    s.DampingOn = bit(b, 1);
    s.SmoothingOn = bit(b, 2);
    s.LoadInertiaUnit = static_cast<std::int16_t>(std::min((b & 28) / 4, 3));
    s.EncoderDirCW = bit(b, 32);
    s.InertiaAsRatio = bit(b, 128);
}

// Bytes 20-21. The drive does not use stall prevention in stand-alone step
// positioning, so the image leaves it off there; the setting itself stays as
// the user chose it, ready for a later change of mode.
int stallWord(const Settings& s)
{
    const bool stepPositioning = s.OperatingMode == 3 && s.ControlMode == 7;
    const bool prevent = s.StallPrevent && !stepPositioning;
    return (s.StallDetect ? 1 : 0) | (prevent ? 2 : 0) | (s.HardStopFault ? 4 : 0)
           | (s.EncoderSingleEnded ? 1024 : 0);
}

void takeStallWord(Settings& s, int w)
{
    s.StallDetect = bit(w, 1);
    s.StallPrevent = bit(w, 2);
    s.HardStopFault = bit(w, 4);
    s.EncoderSingleEnded = bit(w, 1024);
}

// Byte 44: stand-alone velocity packs its three switches into the code.
int controlCode(const Settings& s)
{
    if (s.OperatingMode == 3 && s.ControlMode == 11)
        return 11 + (s.VelTwoSpeeds ? 2 : 0) + (s.VelRunStopInput ? 1 : 0) + (s.VelAnalog ? 0 : 4);
    return s.ControlMode;
}

// Runs once byte 45 has given the operating mode. Only stand-alone packs the
// velocity switches into the code; in TMX and J modes the code is the drive's
// power-up mode and goes back unchanged on the next download.
void applyControlCode(DecodeOut& o)
{
    o.s.ControlMode = o.controlCode;
    if (o.s.OperatingMode == 3)
        DecodeControlMode(o.s);
    else if ((o.s.OperatingMode == 2 || o.s.OperatingMode == 7) && IsPowerUpCode(o.controlCode))
        o.s.PowerUpMode = o.controlCode;
}

int addressCode(const QString& address)
{
    return address.isEmpty() ? '!' : address.at(0).unicode();
}

double noiseFilterHz(int b)
{
    return b == 0 ? 2000 : RoundToInt(15000.0 / b);
}

// Bytes 58-59 hold the analog filter as the drive's filter coefficient.
double analogFilterCoefficient(double hz)
{
    return 72090.0 / (1400.0 / hz + 2.2);
}

double analogFilterHz(int coefficient)
{
    const double c = coefficient == 0 ? 1 : coefficient;
    const double denominator = 72090.0 / c - 2.2;
    // A coefficient past 72090 / 2.2 stands for no filtering at all: the top.
    if (denominator <= 0)
        return 16000;
    return LimitVal(static_cast<double>(RoundToInt(1400.0 / denominator)), 1, 16000);
}

int idlePercent(const Settings& s, int idleCentiamps)
{
    // Without a running current there is no share to take.
    if (s.RunCurrent <= 0)
        return 0;
    return RoundToInt(LimitVal(idleCentiamps / 100.0 / s.RunCurrent * 100.0, 0, 90));
}

void takeRegenSecs(DecodeOut& o, int raw)
{
    o.s.RegenResSecs = raw / 4000.0;
    o.s.RegenExternal = !(o.regenWattsRaw == 50 && o.s.RegenResOhms == 40 && raw == 1250);
}

QString customName(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("custom motor") : text;
}

std::int16_t unitCode(const Value& v, int top)
{
    return static_cast<std::int16_t>(clampInt(v, 0, top));
}

// The byte map. Every row: where, how, what the download writes, what the
// upload sets. Rows are in index order and cover bytes 0..158 without gaps.
const ImageField ImageMap[] = {
    {0, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.MaxTorquePct; },
     [](DecodeOut& o, const Value& v) { o.s.MaxTorquePct = asInt(v); }},
    {2, Enc::U8, [](const EncodeIn& i) -> Value { return 15000.0 / i.s.NoiseFilterHz; },
     [](DecodeOut& o, const Value& v) { o.s.NoiseFilterHz = static_cast<int>(noiseFilterHz(asInt(v))); }},
    {3, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.VelSpeed * 60 * 4; },
     [](DecodeOut& o, const Value& v) { o.s.VelSpeed = v.num / 60 / 4; }},
    {5, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.StepFilterHz * 10.0; },
     [](DecodeOut& o, const Value& v) { o.s.StepFilterHz = RoundToInt(v.num / 10); }},
    {7, Enc::U8, [](const EncodeIn& i) -> Value { return flagByte(i.s); },
     [](DecodeOut& o, const Value& v) { takeFlagByte(o.s, asInt(v)); }},
    {8, Enc::U16,
     [](const EncodeIn& i) -> Value { return i.custom ? i.s.CustomHarmonicGain : i.db.harmonicGain; }, ignore},
    {10, Enc::U16s,
     [](const EncodeIn& i) -> Value { return i.custom ? i.s.CustomHarmonicPhase : i.db.harmonicPhase; }, ignore},
    {12, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.RunCurrent * 100; },
     [](DecodeOut& o, const Value& v) { o.s.RunCurrent = v.num / 100; }},
    {14, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.IdleCurrentPct * i.s.RunCurrent; },
     [](DecodeOut& o, const Value& v) { o.s.IdleCurrentPct = idlePercent(o.s, asInt(v)); }},
    {16, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.VelSpeed2 * 60 * 4; },
     [](DecodeOut& o, const Value& v) { o.s.VelSpeed2 = v.num / 60 / 4; }},
    {18, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.MaxAccel * 60 / 10; },
     [](DecodeOut& o, const Value& v) { o.s.MaxAccel = v.num / 60 * 10; }},
    {20, Enc::U16, [](const EncodeIn& i) -> Value { return stallWord(i.s); },
     [](DecodeOut& o, const Value& v) { takeStallWord(o.s, asInt(v)); }},
    {22, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.EncoderCounts; },
     [](DecodeOut& o, const Value& v) { o.s.EncoderCounts = asInt(v); }},
    {24, Enc::U16,
     [](const EncodeIn& i) -> Value { return (i.custom ? i.s.CustomLeadAngleRps : i.db.leadangleRps) * 240.0; },
     [](DecodeOut& o, const Value& v) { o.s.UploadLeadAngleRps = static_cast<float>(v.num / 240); }},
    {26, Enc::U16,
     [](const EncodeIn& i) -> Value { return i.custom ? i.s.CustomLeadAngleDeg : i.db.leadangleDeg; },
     [](DecodeOut& o, const Value& v) { o.s.UploadLeadAngleDeg = static_cast<float>(v.num); }},
    {28, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.HardStopTimeMs; },
     [](DecodeOut& o, const Value& v) { o.s.HardStopTimeMs = asInt(v); }},
    {30, Enc::S16, [](const EncodeIn& i) -> Value { return i.s.AnalogScale * 4 * 60; },
     [](DecodeOut& o, const Value& v) { o.s.AnalogScale = v.num / 4 / 60; }},
    {32, Enc::S16, [](const EncodeIn& i) -> Value { return i.s.AnalogOffset * 2.0; },
     [](DecodeOut& o, const Value& v) { o.s.AnalogOffset = RoundToInt(v.num / 2); }},
    {34, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.VelAccel * 60 / 10; },
     [](DecodeOut& o, const Value& v) { o.s.VelAccel = v.num / 60 * 10; }},
    {36, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.VelDecel * 60 / 10; },
     [](DecodeOut& o, const Value& v) { o.s.VelDecel = v.num / 60 * 10; }},
    {38, Enc::U8,
     [](const EncodeIn& i) -> Value { return std::clamp<int>(i.s.AnalogRange, 0, 3) + (i.s.VelocitySettingsSet ? 0 : 128); },
     [](DecodeOut& o, const Value& v) {
         o.s.AnalogRange = static_cast<std::int16_t>(std::min(asInt(v) & 127, 3));
         o.s.VelocitySettingsSet = !bit(asInt(v), 128);
     }},
    {39, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.AnalogDeadband; },
     [](DecodeOut& o, const Value& v) { o.s.AnalogDeadband = asInt(v); }},
    {40, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.BrakeReleaseDelay; },
     [](DecodeOut& o, const Value& v) { o.s.BrakeReleaseDelay = asInt(v); }},
    {42, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.BrakeEngageDelay; },
     [](DecodeOut& o, const Value& v) { o.s.BrakeEngageDelay = asInt(v); }},
    {44, Enc::U8, [](const EncodeIn& i) -> Value { return controlCode(i.s); },
     [](DecodeOut& o, const Value& v) { o.controlCode = asInt(v); }},
    {45, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.OperatingMode; },
     [](DecodeOut& o, const Value& v) {
         o.s.OperatingMode = asInt(v);
         applyControlCode(o);
     }},
    {46, Enc::U8,
     [](const EncodeIn& i) -> Value { return std::clamp(i.s.PulseType, 0, 2) + (i.s.QuadDirBLeadsA ? 4 : 0); },
     [](DecodeOut& o, const Value& v) {
         o.s.PulseType = std::min(asInt(v) & 3, 2);
         o.s.QuadDirBLeadsA = bit(asInt(v), 4);
     }},
    {47, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.StepsPerRev; },
     [](DecodeOut& o, const Value& v) { o.s.StepsPerRev = asInt(v); }},
    {49, Enc::U8, [](const EncodeIn& i) -> Value { return addressCode(i.s.Rs485Address); },
     [](DecodeOut& o, const Value& v) { o.s.Rs485Address = Rs485AddressFromCode(asInt(v)); }},
    // A hub drives the I/O itself: its five function bytes are always 3.
    {50, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.OperatingMode == 4 ? 3 : i.s.EnableInputMode; },
     [](DecodeOut& o, const Value& v) { o.s.EnableInputMode = clampInt(v, 1, 3); }},
    {51, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.OperatingMode == 4 ? 3 : i.s.AlarmResetMode; },
     [](DecodeOut& o, const Value& v) { o.s.AlarmResetMode = clampInt(v, 1, 3); }},
    {52, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.OperatingMode == 4 ? 3 : i.s.AlarmOutputMode; },
     [](DecodeOut& o, const Value& v) { o.s.AlarmOutputMode = clampInt(v, 1, 3); }},
    {53, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.OperatingMode == 4 ? 3 : i.s.BrakeOutputMode; },
     [](DecodeOut& o, const Value& v) { o.s.BrakeOutputMode = clampInt(v, 1, 3); }},
    {54, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.OperatingMode == 4 ? 3 : i.s.MotionOutputMode; },
     [](DecodeOut& o, const Value& v) { o.s.MotionOutputMode = clampInt(v, 1, 8); }},
    {55, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.LimitMode; },
     [](DecodeOut& o, const Value& v) { o.s.LimitMode = clampInt(v, 1, 3); }},
    {56, Enc::U16s, [](const EncodeIn& i) -> Value { return i.s.DriveWord56; },
     [](DecodeOut& o, const Value& v) { o.s.DriveWord56 = asInt(v); }},
    {58, Enc::U16, [](const EncodeIn& i) -> Value { return analogFilterCoefficient(i.s.AnalogFilterHz); },
     [](DecodeOut& o, const Value& v) { o.s.AnalogFilterHz = analogFilterHz(asInt(v)); }},
    {60, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.TxDelay; },
     [](DecodeOut& o, const Value& v) { o.s.TxDelay = asInt(v); }},
    {62, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.ProtocolFlags; },
     [](DecodeOut& o, const Value& v) { o.s.ProtocolFlags = asInt(v) & 55; }},
    {64, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.BitRateCode; },
     [](DecodeOut& o, const Value& v) { o.s.BitRateCode = clampInt(v, 1, 5); }},
    // The internal resistor goes as 50 W, 40 ohm, 1250 (0.3125 s).
    {66, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.RegenExternal ? i.s.RegenResWatts : 50; },
     [](DecodeOut& o, const Value& v) {
         o.regenWattsRaw = asInt(v);
         o.s.RegenResWatts = v.num;
     }},
    {68, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.RegenExternal ? i.s.RegenResOhms : 40; },
     [](DecodeOut& o, const Value& v) { o.s.RegenResOhms = v.num; }},
    {70, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.RegenExternal ? i.s.RegenResSecs * 4000 : 1250; },
     [](DecodeOut& o, const Value& v) { takeRegenSecs(o, asInt(v)); }},
    {72, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.IdleDelay / 0.001; },
     [](DecodeOut& o, const Value& v) { o.s.IdleDelay = v.num * 0.001; }},
    {74, Enc::U16, [](const EncodeIn&) -> Value { return ARgain(); }, ignore},
    {76, Enc::U16, [](const EncodeIn& i) -> Value { return i.arFreq; },
     [](DecodeOut& o, const Value& v) { o.arFrequency = asInt(v); }},
    {78, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.DriveWord78; },
     [](DecodeOut& o, const Value& v) { o.s.DriveWord78 = asInt(v); }},
    {80, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.DriveWord80; },
     [](DecodeOut& o, const Value& v) { o.s.DriveWord80 = asInt(v); }},
    {82, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.DriveWord82; },
     [](DecodeOut& o, const Value& v) { o.s.DriveWord82 = asInt(v); }},
    {84, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.DriveWord84; },
     [](DecodeOut& o, const Value& v) { o.s.DriveWord84 = asInt(v); }},
    {86, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.DriveWord86; },
     [](DecodeOut& o, const Value& v) { o.s.DriveWord86 = asInt(v); }},
    // Bytes 88..123: the custom motor, whichever motor is in use.
    {88, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.CustomHarmonicGain; },
     [](DecodeOut& o, const Value& v) { o.s.CustomHarmonicGain = asInt(v); }},
    {90, Enc::U16s, [](const EncodeIn& i) -> Value { return i.s.CustomHarmonicPhase; },
     [](DecodeOut& o, const Value& v) { o.s.CustomHarmonicPhase = asInt(v); }},
    {92, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.CustomMotorCurrent * 100; },
     [](DecodeOut& o, const Value& v) { o.s.CustomMotorCurrent = v.num / 100; }},
    {94, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.CustomTorqueUnit; },
     [](DecodeOut& o, const Value& v) { o.s.CustomTorqueUnit = unitCode(v, 4); }},
    {95, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.CustomInertiaUnit; },
     [](DecodeOut& o, const Value& v) { o.s.CustomInertiaUnit = unitCode(v, 3); }},
    {96, Enc::F4, [](const EncodeIn& i) -> Value { return i.s.CustomMotorTorque; },
     [](DecodeOut& o, const Value& v) { o.s.CustomMotorTorque = v.num; }},
    {100, Enc::F4, [](const EncodeIn& i) -> Value { return i.s.CustomMotorInertia; },
     [](DecodeOut& o, const Value& v) { o.s.CustomMotorInertia = v.num; }},
    {104, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.CustomMotorMaxVolts * 10; },
     [](DecodeOut& o, const Value& v) { o.s.CustomMotorMaxVolts = v.num / 10; }},
    {106, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.CustomLeadAngleRps * 60.0 * 4; },
     [](DecodeOut& o, const Value& v) { o.s.CustomLeadAngleRps = RoundToInt(v.num / 240); }},
    {108, Enc::U16, [](const EncodeIn& i) -> Value { return i.s.CustomLeadAngleDeg; },
     [](DecodeOut& o, const Value& v) { o.s.CustomLeadAngleDeg = asInt(v); }},
    {110, Enc::C13, [](const EncodeIn& i) -> Value { return i.s.CustomMotorName; },
     [](DecodeOut& o, const Value& v) { o.s.CustomMotorName = customName(v.text); }},
    {123, Enc::U8, [](const EncodeIn& i) -> Value { return i.s.UseCustomMotor ? 1 : 0; },
     [](DecodeOut& o, const Value& v) { o.s.UseCustomMotor = asInt(v) == 1; }},
    // Bytes 124..158: the database's current record.
    {124, Enc::U16, [](const EncodeIn& i) -> Value { return i.db.harmonicGain; },
     [](DecodeOut& o, const Value& v) { o.db.harmonicGain = asInt(v); }},
    {126, Enc::U16s, [](const EncodeIn& i) -> Value { return i.db.harmonicPhase; },
     [](DecodeOut& o, const Value& v) { o.db.harmonicPhase = asInt(v); }},
    {128, Enc::U16, [](const EncodeIn& i) -> Value { return static_cast<double>(static_cast<float>(i.db.current)) * 100; },
     [](DecodeOut& o, const Value& v) { o.db.current = v.num / 100; }},
    {130, Enc::U8, [](const EncodeIn& i) -> Value { return i.db.TorqueUnit; },
     [](DecodeOut& o, const Value& v) { o.db.TorqueUnit = unitCode(v, 4); }},
    {131, Enc::U8, [](const EncodeIn& i) -> Value { return i.db.InertiaUnit; },
     [](DecodeOut& o, const Value& v) { o.db.InertiaUnit = unitCode(v, 3); }},
    {132, Enc::F4, [](const EncodeIn& i) -> Value { return i.db.Torque; },
     [](DecodeOut& o, const Value& v) { o.db.Torque = v.num; }},
    {136, Enc::F4, [](const EncodeIn& i) -> Value { return i.db.inertia; },
     [](DecodeOut& o, const Value& v) { o.db.inertia = v.num; }},
    {140, Enc::U16, [](const EncodeIn& i) -> Value { return i.db.PWMmaxPct * 10; },
     [](DecodeOut& o, const Value& v) { o.db.PWMmaxPct = v.num / 10; }},
    {142, Enc::U16, [](const EncodeIn& i) -> Value { return i.db.leadangleRps * 240.0; },
     [](DecodeOut& o, const Value& v) { o.db.leadangleRps = RoundToInt(v.num / 240); }},
    {144, Enc::U16, [](const EncodeIn& i) -> Value { return i.db.leadangleDeg; },
     [](DecodeOut& o, const Value& v) { o.db.leadangleDeg = asInt(v); }},
    {146, Enc::C13, [](const EncodeIn& i) -> Value { return i.db.partNumber; },
     [](DecodeOut& o, const Value& v) { o.db.partNumber = v.text; }},
};

// Numbers are rounded half to even and held inside what their field can
// carry, so an out-of-range setting never wraps into nonsense.
int heldInField(const Value& v, Enc enc)
{
    const FieldSpan span = EncodedSpan(enc);
    return std::clamp(RoundToInt(v.num), static_cast<int>(span.min), static_cast<int>(span.max));
}

// Writes one field.
void writeField(QByteArray& image, const ImageField& f, const Value& v)
{
    auto out = [&](int k) -> std::uint8_t& { return reinterpret_cast<std::uint8_t&>(image[f.offset + k]); };
    switch (f.enc) {
    case Enc::U8: out(0) = static_cast<std::uint8_t>(heldInField(v, f.enc)); break;
    case Enc::U16: SplitNum16(heldInField(v, f.enc), out(0), out(1)); break;
    case Enc::S16: SignedString16(heldInField(v, f.enc), out(0), out(1)); break;
    case Enc::U16s: SplitNum16(heldInField(v, f.enc), out(0), out(1)); break;
    case Enc::F4: SplitFloat(v.num, out(0), out(1), out(2), out(3)); break;
    case Enc::C13: {
        const QByteArray text = PlainImageText(v.text).leftJustified(ImageTextLength, QLatin1Char(' '), true).toLatin1();
        for (int k = 0; k < ImageTextLength; ++k)
            image[f.offset + k] = text.at(k);
        break;
    }
    }
}

Value readField(ByteReader& in, Enc enc)
{
    switch (enc) {
    case Enc::U8: return static_cast<double>(in.Str2Num8());
    case Enc::U16: return static_cast<double>(in.Str2Num16());
    case Enc::S16: return static_cast<double>(in.SignedStr2Num16());
    case Enc::U16s: return static_cast<double>(in.Str2Num16Signed());
    case Enc::F4: return in.Str2Float();
    case Enc::C13: {
        QString text;
        for (int k = 0; k < ImageTextLength; ++k)
            text.append(QChar(in.Str2Num8()));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return NoBadChars(text);
    }
    }
    return 0.0;
}

bool customInUse(const Settings& s)
{
    return s.UseCustomMotor;
}

// Rotor inertia (kg m2) and torque (N m) of the motor in use.
double rotorInertia(const Settings& s, const MotorRecord& db)
{
    return customInUse(s) ? InertiaToKgm2(s.CustomMotorInertia, s.CustomInertiaUnit)
                          : InertiaToKgm2(db.inertia, db.InertiaUnit);
}

double motorTorque(const Settings& s, const MotorRecord& db)
{
    return customInUse(s) ? TorqueToNm(s.CustomMotorTorque, s.CustomTorqueUnit)
                          : TorqueToNm(db.Torque, db.TorqueUnit);
}

}  // namespace

QByteArray DownloadString(const Settings& s, const MotorRecord& dbMotor)
{
    QByteArray image(DriveImageSize, '\0');
    const EncodeIn in{s, dbMotor, customInUse(s), ARfreq(s, dbMotor)};
    for (const ImageField& f : ImageMap)
        writeField(image, f, f.put(in));
    return image;
}

int ByteSum(const QByteArray& bytes)
{
    int sum = 0;
    for (int i = 0; i < bytes.size() - 2; ++i)
        sum += static_cast<std::uint8_t>(bytes.at(i));
    return sum;
}

void AddChecksum(QByteArray& image)
{
    if (image.size() < 2)
        return;
    const int sum = ByteSum(image) & 0xFFFF;
    image[image.size() - 2] = static_cast<char>(sum >> 8);
    image[image.size() - 1] = static_cast<char>(sum & 0xFF);
}

bool ChecksumGood(const QByteArray& bytes)
{
    if (bytes.size() < 2)
        return false;
    const int n = static_cast<int>(bytes.size());
    const int stored = static_cast<std::uint8_t>(bytes.at(n - 2)) * 256 + static_cast<std::uint8_t>(bytes.at(n - 1));
    return stored == (ByteSum(bytes) & 0xFFFF);
}

DecodedImage DecodeImage(const QByteArray& image, Settings& s)
{
    DecodeOut out{s, MotorRecord(), 0, 0, 0};
    ByteReader in(image, 0);
    for (const ImageField& f : ImageMap)
        f.take(out, readField(in, f.enc));
    DecodedImage result;
    result.databaseMotor = out.db;
    result.arFrequency = out.arFrequency;
    return result;
}

bool ImageMapIsContiguous()
{
    int next = 0;
    for (const ImageField& f : ImageMap) {
        if (f.offset != next || !f.put || !f.take)
            return false;
        next += EncodedSize(f.enc);
    }
    return next == SettingsBytes;
}

void DecodeControlMode(Settings& s)
{
    if (s.ControlMode < 11 || s.ControlMode > 18)
        return;
    const int m = s.ControlMode - 11;
    s.ControlMode = 11;
    s.VelAnalog = (m & 4) == 0;
    s.VelTwoSpeeds = (m & 2) != 0;
    s.VelRunStopInput = (m & 1) != 0;
}

int ARgain()
{
    return 12000;
}

int ARfreq(const Settings& s, const MotorRecord& dbMotor)
{
    const double jrot = rotorInertia(s, dbMotor);
    const double jtot = s.InertiaAsRatio ? (s.InertiaRatio + 1) * jrot : s.LoadInertia + jrot;
    if (!(jtot > 0))
        return 200;
    const double f = std::sqrt(50 * motorTorque(s, dbMotor) / jtot) / 2 / 3.1416;
    // Bytes 76-77 carry 1..65535 Hz; a torque of 0 or less has no frequency.
    return std::clamp(RoundToInt(f), 1, 65535);
}

void CalcLoadInertia(double frequency, Settings& s, const MotorRecord& dbMotor)
{
    const double jrot = rotorInertia(s, dbMotor);
    const double torque = motorTorque(s, dbMotor);
    double jtot = 0;
    if (frequency != 0)
        jtot = (50 * torque) / std::pow(frequency * 6.2832, 2);
    if (s.InertiaAsRatio) {
        if (jrot != 0)
            s.InertiaRatio = jtot / jrot - 1;
    } else {
        s.LoadInertia = jtot - jrot;
    }
}
