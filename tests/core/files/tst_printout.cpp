#include "ConfigSamples.h"
#include "Printout.h"
#include "SampleMotor.h"

#include <QTest>
#include <functional>

using Tweak = std::function<void(PrintoutInput&)>;
Q_DECLARE_METATYPE(Tweak)

namespace {

PrintoutInput DefaultInput()
{
    PrintoutInput in;
    in.modelName = QStringLiteral("KORV4-J");
    in.driveVersion = QStringLiteral("1.05k");
    in.programVersion = QStringLiteral("1.0");
    in.databaseMotor = SampleMotor(QStringLiteral("KM-23-200"), 2.8);
    in.commRow = 0;
    return in;
}

// The printout's lines, each indented to its column.
QStringList Listing(const PrintoutInput& in)
{
    QStringList lines = PrintoutText(ComposePrintout(in)).split(QLatin1Char('\n'));
    lines.removeLast();
    return lines;
}

}  // namespace

class TestPrintout : public QObject {
    Q_OBJECT
private slots:
    void defaultListing();
    void blocks_data();
    void blocks();
};

void TestPrintout::defaultListing()
{
    const QList<PrintLine> lines = ComposePrintout(DefaultInput());
    QCOMPARE(PrintoutText(lines), QString::fromUtf8(ConfigSamples::Fixture(QStringLiteral("printout-default.txt"))));
    QVERIFY(lines.first().bold);
    for (qsizetype i = 1; i < lines.size(); ++i)
        QVERIFY(!lines.at(i).bold);
}

void TestPrintout::blocks_data()
{
    QTest::addColumn<Tweak>("tweak");
    QTest::addColumn<QStringList>("present");  // consecutive lines
    QTest::addColumn<QStringList>("absent");

    const Tweak tmx = [](PrintoutInput& in) { in.settings.OperatingMode = 2; };
    QTest::newRow("TMX, protocol flags 1")
        << tmx
        << QStringList{" TMX mode, RS-485 address = !(ascii  33 ), TXDelay =  0  ms, bit rate9600",
                       "   , Special Protocols: ", "   Steps/rev:   25000 ", " Power up control mode =  21 "}
        << QStringList{};
    QTest::newRow("J program, protocol flags 54")
        << Tweak([](PrintoutInput& in) {
               in.settings.OperatingMode = 7;
               in.settings.ProtocolFlags = 54;
               in.settings.BitRateCode = 5;
           })
        << QStringList{" J Programmer mode, RS-485 address = !(ascii  33 ), TXDelay =  0  ms, bit rate115200",
                       "   , Special Protocols: ", "     Prefix all responses with address character",
                       "     Respond to all commands with ack or nak",
                       "     Use this drive as RS-232 to RS-485 converter", "     Use Red Lion register addressing",
                       "   Steps/rev:   25000 "}
        << QStringList{};
    QTest::newRow("empty address")
        << Tweak([](PrintoutInput& in) {
               in.settings.OperatingMode = 2;
               in.settings.Rs485Address.clear();
           })
        << QStringList{" TMX mode, RS-485 address = (ascii ), TXDelay =  0  ms, bit rate9600"}
        << QStringList{};
    QTest::newRow("Ky program") << Tweak([](PrintoutInput& in) { in.settings.OperatingMode = 1; })
                                << QStringList{" Ky Programmer mode", " Run current:   1.4  A, Idle current:   50 %, after  0.4  sec delay."}
                                << QStringList{"   Steps/rev:   25000 "};
    QTest::newRow("hub") << Tweak([](PrintoutInput& in) { in.settings.OperatingMode = 4; })
                         << QStringList{" Hub mode"} << QStringList{"   Steps/rev:   25000 "};
    QTest::newRow("stand-alone, other control mode")
        << Tweak([](PrintoutInput& in) { in.settings.ControlMode = 21; })
        << QStringList{" Max accel rate:  3000  rev/sec/sec, Max speed:  50  rev/sec",
                       " Run current:   1.4  A, Idle current:   50 %, after  0.4  sec delay."}
        << QStringList{};
    QTest::newRow("quadrature following, B leads A")
        << Tweak([](PrintoutInput& in) {
               in.settings.PulseType = 2;
               in.settings.QuadDirBLeadsA = true;
           })
        << QStringList{"   Quadrature encoder following (motor moves clockwise when B leads A)"} << QStringList{};
    QTest::newRow("CW/CCW pulse") << Tweak([](PrintoutInput& in) { in.settings.PulseType = 1; })
                                  << QStringList{"   CW Pulse / CCW Pulse", "   Steps/rev:   25000 "} << QStringList{};

    const auto velocity = [](int range) {
        return Tweak([range](PrintoutInput& in) {
            in.settings.ControlMode = 11;
            in.settings.VelAnalog = true;
            in.settings.VelTwoSpeeds = true;
            in.settings.AnalogRange = static_cast<std::int16_t>(range);
            in.settings.AnalogScale = -2.5;
            in.settings.AnalogOffset = -12;
        });
    };
    const QStringList velocityLines = {" Velocity/oscillator mode:", "   Run when X1/Step input closed",
                                       "   Speed =  10 rps, Accel =  100 rev/s/s, decel =  100  rev/s/s",
                                       "   When X5 closed, change speed to  5  rev/sec"};
    QTest::newRow("analog range 0") << velocity(0)
                                    << (velocityLines + QStringList{
                                            "   Speed proportional to analog input. -2.5 rev/sec at +10V.  Offset = -12 mV",
                                            "     Range = +/- 10V", "     Deadband =  5  mV", "   Steps/rev:   25000 "})
                                    << QStringList{};
    QTest::newRow("analog range 1") << velocity(1) << QStringList{"   Speed proportional to analog input. -2.5 rev/sec at +10V.  Offset = -12 mV", "     Range = 0 to 10V"} << QStringList{};
    QTest::newRow("analog range 2") << velocity(2) << QStringList{"   Speed proportional to analog input. -2.5 rev/sec at +5V.  Offset = -12 mV", "     Range = +/- 5V"} << QStringList{};
    QTest::newRow("analog range 3") << velocity(3) << QStringList{"   Speed proportional to analog input. -2.5 rev/sec at +5V.  Offset = -12 mV", "     Range = 0 to 5V"} << QStringList{};
    QTest::newRow("velocity without switches")
        << Tweak([](PrintoutInput& in) {
               in.settings.ControlMode = 11;
               in.settings.VelRunStopInput = false;
           })
        << QStringList{" Velocity/oscillator mode:", "   Speed =  10 rps, Accel =  100 rev/s/s, decel =  100  rev/s/s",
                       "   Steps/rev:   25000 "}
        << QStringList{"   Run when X1/Step input closed"};

    const QString sep(QStringLiteral(" ") + QString(56, QLatin1Char('-')));
    QTest::newRow("stall detection")
        << Tweak([](PrintoutInput& in) {
               in.settings.StallDetect = true;
               in.settings.StallPrevent = true;
               in.settings.EncoderDirCW = true;
           })
        << QStringList{sep, " Stall detection:  fault drive if motor stalls", "   Encoder resolution:   4000  counts/rev",
                       " , A leads B when motor turns cw", sep, " I/O:"}
        << QStringList{};
    QTest::newRow("stall prevention with hard stop")
        << Tweak([](PrintoutInput& in) {
               in.settings.StallPrevent = true;
               in.settings.HardStopFault = true;
           })
        << QStringList{sep, " Auto adjust move parameters if torque utilization exceeds  100 %",
                       "   Encoder resolution:   4000  counts/rev", " , A leads B when motor turns ccw",
                       "   If motor stalls for more than  20  msec, fault the drive", sep, " I/O:"}
        << QStringList{};
    QTest::newRow("no encoder block")
        << Tweak([](PrintoutInput&) {})
        << QStringList{" Run current:   1.4  A, Idle current:   50 %, after  0.4  sec delay.", " I/O:"}
        << QStringList{};

    QTest::newRow("I/O codes 1")
        << Tweak([](PrintoutInput& in) {
               Settings& s = in.settings;
               s.EnableInputMode = s.AlarmResetMode = s.AlarmOutputMode = s.BrakeOutputMode = s.MotionOutputMode = 1;
               s.LimitMode = 2;
           })
        << QStringList{"   Enable motor when Enable input is open.",
                       "   Allow faults to be cleared by closing Alarm Reset Input",
                       "   If a fault occurs, close Alarm Output.",
                       "   Close Brake Output  200  ms before moving, open brake output  200  ms before disabling servo.",
                       "   Open Motion Output when moving.", "   At end of travel limit, sensors are open.", sep}
        << QStringList{};
    QTest::newRow("I/O codes 2")
        << Tweak([](PrintoutInput& in) {
               Settings& s = in.settings;
               s.EnableInputMode = s.AlarmResetMode = s.AlarmOutputMode = s.BrakeOutputMode = s.MotionOutputMode = 2;
               s.LimitMode = 3;
               s.BrakeEngageDelay = 0;
           })
        << QStringList{"   Enable motor when Enable input is closed.",
                       "   Allow faults to be cleared by opening Alarm Reset Input",
                       "   If a fault occurs, open Alarm Output.",
                       "   Open Brake Output  200  ms before moving, close brake output  0  ms before disabling servo.",
                       "   Close Motion Output when moving.",
                       "   No limit sensors, limit inputs are available for other uses."}
        << QStringList{};
    QTest::newRow("tach output") << Tweak([](PrintoutInput& in) { in.settings.MotionOutputMode = 8; })
                                 << QStringList{"   Motion Output: tach, 1600 pulses/rev."} << QStringList{};
    QTest::newRow("motion and limit codes 0")
        << Tweak([](PrintoutInput& in) {
               in.settings.MotionOutputMode = 0;
               in.settings.LimitMode = 0;
           })
        << QStringList{"   Brake Output not used for brake, available for other uses.", sep}
        << QStringList{"   Motion Output not used."};

    QTest::newRow("noise filter in kHz") << Tweak([](PrintoutInput& in) { in.settings.NoiseFilterHz = 2500; })
                                         << QStringList{" Input Noise filter:  2.5 kHz"} << QStringList{};
    QTest::newRow("custom motor")
        << Tweak([](PrintoutInput& in) { in.settings.UseCustomMotor = true; })
        << QStringList{"   Part number: custom motor",
                       "   Rated current: 2 A, rated torque: 118 oz in, rotor inertia:  300 g cm2",
                       "   Smoothness gain:  0 , smoothness phase:  0 ", "   Max lead angle:  120 deg, at  25  rps",
                       "   Max voltage:  94.1176470588235 %"}
        << QStringList{};
    QTest::newRow("no database record")
        << Tweak([](PrintoutInput& in) { in.databaseMotor.reset(); })
        << QStringList{" Motor:", "   Part number: ", "   Rated current:A, rated torque:, rotor inertia: ",
                       "   Smoothness gain: , smoothness phase: ", "   Max lead angle: deg, at  rps", "   Max voltage: %",
                       " Load inertia: 1.00X motor inertia.", " Waveform smoothing on.", " Electronic damping on.",
                       " Comm port 1 "}
        << QStringList{};
    // The load inertia is held in kg m2 and printed in the unit it names.
    QTest::newRow("load inertia in kg cm2")
        << Tweak([](PrintoutInput& in) {
               in.settings.InertiaAsRatio = false;
               in.settings.LoadInertia = 0.0001;
               in.settings.LoadInertiaUnit = 2;
           })
        << QStringList{" Load inertia: 1 kg cm2"} << QStringList{};
    QTest::newRow("load inertia ratio")
        << Tweak([](PrintoutInput& in) { in.settings.InertiaRatio = 2.345; })
        << QStringList{" Load inertia: 2.35X motor inertia."} << QStringList{};
    QTest::newRow("switches off and port 8")
        << Tweak([](PrintoutInput& in) {
               in.settings.SmoothingOn = false;
               in.settings.DampingOn = false;
               in.commRow = 7;
           })
        << QStringList{" Waveform smoothing off.", " Electronic damping off.", " Comm port 8 "} << QStringList{};
    QTest::newRow("no port") << Tweak([](PrintoutInput& in) { in.commRow = -1; })
                             << QStringList{" Comm port"} << QStringList{};
}

void TestPrintout::blocks()
{
    QFETCH(Tweak, tweak);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    PrintoutInput in = DefaultInput();
    tweak(in);
    const QStringList listing = Listing(in);
    const qsizetype at = listing.indexOf(present.first());
    QVERIFY2(at >= 0, qPrintable(present.first() + QStringLiteral(" missing from\n") + listing.join(QLatin1Char('\n'))));
    QCOMPARE(listing.mid(at, present.size()), present);
    for (const QString& line : absent)
        QVERIFY2(!listing.contains(line), qPrintable(line));
}

QTEST_APPLESS_MAIN(TestPrintout)
#include "tst_printout.moc"
