#include "SummaryText.h"

#include "NumberText.h"

SummaryLine MergedLine(const QString& text)
{
    return {text, text, true};
}

QString SummaryNumber(double value)
{
    // The form of the files and printouts: at most 15 significant digits, so
    // a value that picked up binary noise (0.30000000000000004) still reads
    // 0.3, and whole values up to 15 digits never turn into an exponent.
    return GeneralNumber(value);
}

QString SummaryFixed3(double value)
{
    return QString::number(value, 'f', 3);
}

SummaryLines MotorSummary(const Settings& s, const QString& partNoX)
{
    const QString motor = s.UseCustomMotor ? s.CustomMotorName : partNoX;
    return {MergedLine(QStringLiteral("Motor: ") + motor),
            {SummaryNumber(s.RunCurrent), QStringLiteral("A/phase")},
            {QString::number(s.IdleCurrentPct), QStringLiteral("% idle")}};
}

SummaryLines MotionSummary(const Settings& s, const QString& motionDesc)
{
    QString title = QStringLiteral("Mode: ") + motionDesc;
    // The description is a label caption, where "&&" draws one ampersand.
    if (title == QLatin1String("Mode: Pulse && Direction"))
        title = QStringLiteral("Mode: Pulse & Direction");

    SummaryLine third;
    if (s.OperatingMode == 2 || s.OperatingMode == 7) {
        third = {QStringLiteral("Address"), s.Rs485Address};
    } else if (s.ControlMode == 11) {
        if (s.VelAnalog) {
            const bool tenVolt = s.AnalogRange == 0 || s.AnalogRange == 1;
            third = {SummaryFixed3(s.AnalogScale),
                     tenVolt ? QStringLiteral("rev/sec @ 10V") : QStringLiteral("rev/sec @ 5V")};
        } else {
            third = {SummaryFixed3(s.VelSpeed), QStringLiteral("rev/sec")};
        }
    }
    return {MergedLine(title), {QString::number(s.StepsPerRev), QStringLiteral("steps/rev")}, third};
}

SummaryLines RegenSummary(const Settings& s)
{
    return {MergedLine(s.RegenExternal ? QStringLiteral("Regen resistor (external)")
                                       : QStringLiteral("Regen resistor (internal)")),
            {SummaryNumber(s.RegenResOhms), QStringLiteral("Ohms")},
            {SummaryNumber(s.RegenResWatts), QStringLiteral("Watts")}};
}

namespace {

// One dedicated input or output: its label, the setting that holds its
// mode, and what modes 1 and 2 mean. Every other mode reads "not used",
// except the tach rates of the motion output.
struct IOFunction {
    const char* label;
    int Settings::*mode;
    const char* mode1;
    const char* mode2;
    bool hasTach;
};

const IOFunction ioFunctions[] = {
    {"Fault Out",  &Settings::AlarmOutputMode,  "Close on fault",   "Open on fault",    false},
    {"Alarm In",   &Settings::AlarmResetMode,   "Close to reset",   "Open to reset",    false},
    {"Limits",     &Settings::LimitMode,        "Closed at limit",  "Open at limit",    false},
    {"Enable",     &Settings::EnableInputMode,  "Open to enable",   "Close to enable",  false},
    {"Motion Out", &Settings::MotionOutputMode, "Open if running",  "Close if running", true},
    {"Brake Out",  &Settings::BrakeOutputMode,  "Close to release", "Open to release",  false},
};

// Modes 4 to 8 of the motion output: a tach of 100 to 1600 pulses per rev.
constexpr int FirstTachMode = 4;
constexpr int LastTachMode = 8;

QString IOState(const IOFunction& f, int mode)
{
    if (mode == 1)
        return QString::fromLatin1(f.mode1);
    if (mode == 2)
        return QString::fromLatin1(f.mode2);
    if (f.hasTach && mode >= FirstTachMode && mode <= LastTachMode)
        return QStringLiteral("Tach %1 ppr").arg(100 << (mode - FirstTachMode));
    return QStringLiteral("not used");
}

}  // namespace

SummaryLines IOSummary(const Settings& s)
{
    SummaryLines lines{MergedLine(QStringLiteral("Dedicated I/O:"))};
    for (const IOFunction& f : ioFunctions)
        lines.append({QString::fromLatin1(f.label), IOState(f, s.*(f.mode))});
    return lines;
}

SummaryLines EncoderSummary(const Settings& s)
{
    if (!s.StallDetect && !s.StallPrevent)
        return {MergedLine(QStringLiteral("Encoder: not used")), {}, MergedLine(QString())};

    QString stall;
    if (s.StallDetect)
        stall = QStringLiteral("Fault drive if motor stalls");
    else if (!(s.OperatingMode == 3 && s.ControlMode == 7))  // stand-alone step positioning ignores it
        stall = QStringLiteral("Prevent stalls by limiting torque demand to %1%").arg(s.MaxTorquePct);
    return {MergedLine(QStringLiteral("Encoder:")),
            {QString::number(s.EncoderCounts), QStringLiteral("Counts/rev")},
            MergedLine(stall)};
}
