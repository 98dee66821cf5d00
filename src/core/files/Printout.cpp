#include "Printout.h"

#include "NumberText.h"
#include "Units.h"

namespace {

QString N(double x)
{
    return PrintedNumber(x);
}

// A text chosen by a code, with the text for any other code (null: no line).
struct CodeText {
    int code;
    const char* text;
};

QString TextFor(int code, std::initializer_list<CodeText> table, const char* otherwise)
{
    for (const CodeText& row : table) {
        if (row.code == code)
            return QString::fromLatin1(row.text);
    }
    return otherwise ? QString::fromLatin1(otherwise) : QString();
}

const char* const Separator = "--------------------------------------------------------";

class Composer {
public:
    QList<PrintLine> lines;
    void add(int column, const QString& text, bool bold = false) { lines.append({column, text, bold}); }
    void separator() { add(2, QString::fromLatin1(Separator)); }
};

void ModeBlock(Composer& out, const Settings& s)
{
    const QString stepsPerRev = QStringLiteral("Steps/rev:  ") + N(s.StepsPerRev);
    switch (s.OperatingMode) {
    case 1:
        out.add(2, QStringLiteral("Ky Programmer mode"));
        break;
    case 2:
    case 7: {
        const QString mode = s.OperatingMode == 2 ? QStringLiteral("TMX mode, RS-485 address = ")
                                                  : QStringLiteral("J Programmer mode, RS-485 address = ");
        // An empty address has no character code; its place stays empty.
        const QString code = s.Rs485Address.isEmpty() ? QString() : N(s.Rs485Address.at(0).unicode());
        const QString rate = TextFor(s.BitRateCode, {{2, "19200"}, {3, "38400"}, {4, "57600"}, {5, "115200"}}, "9600");
        out.add(2, mode + s.Rs485Address + QStringLiteral("(ascii ") + code + QStringLiteral("), TXDelay = ")
                       + N(s.TxDelay) + QStringLiteral(" ms, bit rate") + rate);
        out.add(4, QStringLiteral(", Special Protocols: "));
        static const CodeText protocols[] = {
            {2, "Prefix all responses with address character"},
            {4, "Respond to all commands with ack or nak"},
            {16, "Use this drive as RS-232 to RS-485 converter"},
            {32, "Use Red Lion register addressing"},
        };
        for (const CodeText& p : protocols) {
            if (s.ProtocolFlags & p.code)
                out.add(6, QString::fromLatin1(p.text));
        }
        out.add(4, stepsPerRev);
        out.add(2, QStringLiteral("Power up control mode = ") + N(s.PowerUpMode));
        break;
    }
    case 3:
        if (s.ControlMode == 7) {
            out.add(2, QStringLiteral("Pulse positioning mode:"));
            QString type = TextFor(s.PulseType, {{0, "Pulse & direction"}, {1, "CW Pulse / CCW Pulse"}},
                                   "Quadrature encoder following");
            if (s.PulseType != 0 && s.PulseType != 1)
                type += s.QuadDirBLeadsA ? QStringLiteral(" (motor moves clockwise when B leads A)")
                                         : QStringLiteral(" (motor moves clockwise when A leads B)");
            out.add(4, type);
            out.add(4, stepsPerRev);
        } else if (s.ControlMode == 11) {
            out.add(2, QStringLiteral("Velocity/oscillator mode:"));
            if (s.VelRunStopInput)
                out.add(4, QStringLiteral("Run when X1/Step input closed"));
            out.add(4, QStringLiteral("Speed = ") + N(s.VelSpeed) + QStringLiteral("rps, Accel = ") + N(s.VelAccel)
                           + QStringLiteral("rev/s/s, decel = ") + N(s.VelDecel) + QStringLiteral(" rev/s/s"));
            if (s.VelTwoSpeeds)
                out.add(4, QStringLiteral("When X5 closed, change speed to ") + N(s.VelSpeed2)
                               + QStringLiteral(" rev/sec"));
            if (s.VelAnalog) {
                const QString fullScale = s.AnalogRange == 0 || s.AnalogRange == 1 ? QStringLiteral("+10V")
                                                                                    : QStringLiteral("+5V");
                out.add(4, QStringLiteral("Speed proportional to analog input. ") + N(s.AnalogScale)
                               + QStringLiteral("rev/sec at ") + fullScale + QStringLiteral(".  Offset = ")
                               + N(s.AnalogOffset) + QStringLiteral("mV"));
                out.add(6, TextFor(s.AnalogRange,
                                   {{0, "Range = +/- 10V"}, {1, "Range = 0 to 10V"}, {2, "Range = +/- 5V"}},
                                   "Range = 0 to 5V"));
                out.add(6, QStringLiteral("Deadband = ") + N(s.AnalogDeadband) + QStringLiteral(" mV"));
            }
            out.add(4, stepsPerRev);
        }
        break;
    case 4:
        out.add(2, QStringLiteral("Hub mode"));
        break;
    default:
        break;
    }
}

void EncoderBlock(Composer& out, const Settings& s)
{
    if (!s.StallDetect && !s.StallPrevent)
        return;
    const QString resolution = QStringLiteral("  Encoder resolution:  ") + N(s.EncoderCounts) + QStringLiteral(" counts/rev");
    const QString direction = s.EncoderDirCW ? QStringLiteral(", A leads B when motor turns cw")
                                             : QStringLiteral(", A leads B when motor turns ccw");
    out.separator();
    if (s.StallDetect) {
        out.add(2, QStringLiteral("Stall detection:  fault drive if motor stalls"));
        out.add(2, resolution);
        out.add(2, direction);
    } else {
        out.add(2, QStringLiteral("Auto adjust move parameters if torque utilization exceeds ") + N(s.MaxTorquePct)
                       + QStringLiteral("%"));
        out.add(2, resolution);
        out.add(2, direction);
        if (s.HardStopFault)
            out.add(2, QStringLiteral("  If motor stalls for more than ") + N(s.HardStopTimeMs)
                           + QStringLiteral(" msec, fault the drive"));
    }
    out.separator();
}

void IoBlock(Composer& out, const Settings& s)
{
    out.add(2, QStringLiteral("I/O:"));
    const QString release = N(s.BrakeReleaseDelay);
    const QString engage = N(s.BrakeEngageDelay);
    const QString brake =
        s.BrakeOutputMode == 3 ? QStringLiteral("Brake Output not used for brake, available for other uses.")
        : s.BrakeOutputMode == 1
            ? QStringLiteral("Close Brake Output ") + release + QStringLiteral(" ms before moving, open brake output ")
                  + engage + QStringLiteral(" ms before disabling servo.")
            : QStringLiteral("Open Brake Output ") + release + QStringLiteral(" ms before moving, close brake output ")
                  + engage + QStringLiteral(" ms before disabling servo.");
    const QString ioLines[] = {
        TextFor(s.EnableInputMode,
                {{1, "Enable motor when Enable input is open."}, {2, "Enable motor when Enable input is closed."}},
                "Enable motor automatically at power up."),
        TextFor(s.AlarmResetMode,
                {{1, "Allow faults to be cleared by closing Alarm Reset Input"},
                 {2, "Allow faults to be cleared by opening Alarm Reset Input"}},
                "Do not allow faults to be cleared by Alarm Reset Input"),
        TextFor(s.AlarmOutputMode,
                {{1, "If a fault occurs, close Alarm Output."}, {2, "If a fault occurs, open Alarm Output."}},
                "Alarm Output not used for signaling faults, available for other uses."),
        brake,
        TextFor(s.MotionOutputMode,
                {{1, "Open Motion Output when moving."},
                 {2, "Close Motion Output when moving."},
                 {3, "Motion Output not used."},
                 {4, "Motion Output: tach, 100 pulses/rev."},
                 {5, "Motion Output: tach, 200 pulses/rev."},
                 {6, "Motion Output: tach, 400 pulses/rev."},
                 {7, "Motion Output: tach, 800 pulses/rev."},
                 {8, "Motion Output: tach, 1600 pulses/rev."}},
                nullptr),
        TextFor(s.LimitMode,
                {{1, "At end of travel limit, sensors are closed."},
                 {2, "At end of travel limit, sensors are open."},
                 {3, "No limit sensors, limit inputs are available for other uses."}},
                nullptr),
    };
    for (const QString& line : ioLines) {
        if (!line.isNull())
            out.add(4, line);
    }
    out.separator();
}

void FilterBlock(Composer& out, const Settings& s)
{
    out.add(2, QStringLiteral("Analog input filter: ") + N(s.AnalogFilterHz) + QStringLiteral("Hz"));
    out.add(2, QStringLiteral("Step input filter: ") + N(s.StepFilterHz) + QStringLiteral("Hz"));
    out.add(2, QStringLiteral("Input Noise filter: ") + N(s.NoiseFilterHz / 1000.0) + QStringLiteral("kHz"));
    out.add(2, QStringLiteral("Regeneration resistor: ") + N(s.RegenResOhms) + QStringLiteral(" ohms, ")
                   + N(s.RegenResWatts) + QStringLiteral(" watts, peak duration ") + N(s.RegenResSecs)
                   + QStringLiteral(" sec"));
    out.separator();
}

void MotorBlock(Composer& out, const Settings& s, const std::optional<MotorRecord>& db)
{
    // The motor's values as texts; all empty when the database has no
    // current record, so the rest of the summary still prints.
    struct MotorTexts {
        QString part, current, torque, torqueUnit, inertia, inertiaUnit, gain, phase, leadDeg, leadRps, maxVolts;
    } m;
    if (s.UseCustomMotor) {
        m = {s.CustomMotorName, N(s.CustomMotorCurrent), N(s.CustomMotorTorque), TorqueUnitName(s.CustomTorqueUnit),
             N(s.CustomMotorInertia), InertiaUnitName(s.CustomInertiaUnit), N(s.CustomHarmonicGain),
             N(s.CustomHarmonicPhase), N(s.CustomLeadAngleDeg), N(s.CustomLeadAngleRps), N(s.CustomMotorMaxVolts)};
    } else if (db) {
        m = {db->partNumber, N(db->current), N(db->Torque), TorqueUnitName(db->TorqueUnit), N(db->inertia),
             InertiaUnitName(db->InertiaUnit), N(db->harmonicGain), N(db->harmonicPhase), N(db->leadangleDeg),
             N(db->leadangleRps), N(db->PWMmaxPct)};
    }
    out.add(2, QStringLiteral("Motor:"));
    out.add(4, QStringLiteral("Part number: ") + m.part);
    out.add(4, QStringLiteral("Rated current:") + m.current + QStringLiteral("A, rated torque:") + m.torque + m.torqueUnit
                   + QStringLiteral(", rotor inertia: ") + m.inertia + m.inertiaUnit);
    out.add(4, QStringLiteral("Smoothness gain: ") + m.gain + QStringLiteral(", smoothness phase: ") + m.phase);
    out.add(4, QStringLiteral("Max lead angle: ") + m.leadDeg + QStringLiteral("deg, at ") + m.leadRps
                   + QStringLiteral(" rps"));
    out.add(4, QStringLiteral("Max voltage: ") + m.maxVolts + QStringLiteral("%"));
}

}  // namespace

QList<PrintLine> ComposePrintout(const PrintoutInput& in)
{
    const Settings& s = in.settings;
    Composer out;
    out.add(2, QStringLiteral("KORV4 Configurator Setup"), true);
    out.add(2, QString());
    out.add(2, QStringLiteral("KORV4 stepper-motor drives: configuration summary"));
    out.add(2, QStringLiteral("Keep it with the drive's wiring notes; the matching .cnf file restores it."));
    out.add(2, QStringLiteral("Configurator Software Version: ") + in.programVersion);
    out.add(2, QStringLiteral("Drive Firmware Version: ") + in.driveVersion);

    out.add(2, QStringLiteral("Drive: ") + in.modelName);
    out.add(2, QString());
    out.add(2, QStringLiteral("Max accel rate: ") + N(s.MaxAccel) + QStringLiteral(" rev/sec/sec, Max speed: ")
                   + N(s.MaxSpeed) + QStringLiteral(" rev/sec"));
    ModeBlock(out, s);
    out.add(2, QStringLiteral("Run current:  ") + N(s.RunCurrent) + QStringLiteral(" A, Idle current:  ")
                   + N(s.IdleCurrentPct) + QStringLiteral("%, after ") + N(s.IdleDelay) + QStringLiteral(" sec delay."));
    EncoderBlock(out, s);
    IoBlock(out, s);
    FilterBlock(out, s);
    MotorBlock(out, s, in.databaseMotor);
    if (s.InertiaAsRatio) {
        out.add(2, QStringLiteral("Load inertia: ") + QString::number(s.InertiaRatio, 'f', 2)
                       + QStringLiteral("X motor inertia."));
    } else {
        // Held in kg m2; shown in the unit it is printed with.
        out.add(2, QStringLiteral("Load inertia:") + N(InertiaFromKgm2(s.LoadInertia, s.LoadInertiaUnit))
                       + InertiaUnitName(s.LoadInertiaUnit));
    }
    out.add(2, s.SmoothingOn ? QStringLiteral("Waveform smoothing on.") : QStringLiteral("Waveform smoothing off."));
    out.add(2, s.DampingOn ? QStringLiteral("Electronic damping on.") : QStringLiteral("Electronic damping off."));

    out.add(2, QStringLiteral("Comm port") + (in.commRow >= 0 ? N(in.commRow + 1) : QString()));
    return out.lines;
}

QString PrintoutText(const QList<PrintLine>& lines)
{
    QString text;
    for (const PrintLine& l : lines)
        text += QString(qMax(0, l.column - 1), QLatin1Char(' ')) + l.text + QLatin1Char('\n');
    return text;
}
