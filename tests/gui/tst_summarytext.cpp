#include "SummaryText.h"

#include <QtTest>
#include <functional>

using Tweak = std::function<void(Settings&)>;
Q_DECLARE_METATYPE(Tweak)
Q_DECLARE_METATYPE(SummaryLines)

namespace {
SummaryLine Row(const QString& a, const QString& b) { return {a, b, false}; }
}  // namespace

// The summary's texts as settings -> cells, block by block.
class TestSummaryText : public QObject {
    Q_OBJECT
private slots:
    void motor_data()
    {
        QTest::addColumn<Tweak>("tweak");
        QTest::addColumn<SummaryLines>("lines");
        QTest::newRow("database motor") << Tweak([](Settings&) {})
            << SummaryLines{MergedLine("Motor: PN-23-1"), Row("1.4", "A/phase"), Row("50", "% idle")};
        QTest::newRow("custom motor") << Tweak([](Settings& s) {
            s.UseCustomMotor = true;
            s.RunCurrent = 2.25;
            s.IdleCurrentPct = 0;
        }) << SummaryLines{MergedLine("Motor: custom motor"), Row("2.25", "A/phase"), Row("0", "% idle")};
    }
    void motor()
    {
        QFETCH(Tweak, tweak);
        QFETCH(SummaryLines, lines);
        Settings s;
        tweak(s);
        QCOMPARE(MotorSummary(s, "PN-23-1"), lines);
    }

    void motion_data()
    {
        QTest::addColumn<Tweak>("tweak");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<SummaryLines>("lines");
        const Tweak none = [](Settings&) {};
        QTest::newRow("pulse and direction: one ampersand") << none << "Pulse && Direction"
            << SummaryLines{MergedLine("Mode: Pulse & Direction"), Row("25000", "steps/rev"), Row("", "")};
        QTest::newRow("quadrature") << Tweak([](Settings& s) { s.PulseType = 2; s.StepsPerRev = 200; })
            << "Quadrature Following"
            << SummaryLines{MergedLine("Mode: Quadrature Following"), Row("200", "steps/rev"), Row("", "")};
        QTest::newRow("TMX address") << Tweak([](Settings& s) { s.OperatingMode = 2; }) << "TMX Mode"
            << SummaryLines{MergedLine("Mode: TMX Mode"), Row("25000", "steps/rev"), Row("Address", "!")};
        QTest::newRow("J program, digit address")
            << Tweak([](Settings& s) { s.OperatingMode = 7; s.ControlMode = 11; s.Rs485Address = "7"; })
            << "J Program"
            << SummaryLines{MergedLine("Mode: J Program"), Row("25000", "steps/rev"), Row("Address", "7")};
        QTest::newRow("velocity oscillator") << Tweak([](Settings& s) { s.ControlMode = 11; })
            << "Velocity Mode"
            << SummaryLines{MergedLine("Mode: Velocity Mode"), Row("25000", "steps/rev"), Row("10.000", "rev/sec")};
        for (int range = 0; range < 4; ++range) {
            QTest::addRow("velocity analog, range %d", range)
                << Tweak([range](Settings& s) {
                       s.ControlMode = 11;
                       s.VelAnalog = true;
                       s.AnalogRange = range;
                       s.AnalogScale = -2.5;
                   })
                << "Velocity Mode"
                << SummaryLines{MergedLine("Mode: Velocity Mode"), Row("25000", "steps/rev"),
                                Row("-2.500", range < 2 ? "rev/sec @ 10V" : "rev/sec @ 5V")};
        }
        QTest::newRow("Ky program") << Tweak([](Settings& s) { s.OperatingMode = 1; s.ControlMode = 21; })
            << "Ky Program"
            << SummaryLines{MergedLine("Mode: Ky Program"), Row("25000", "steps/rev"), Row("", "")};
        QTest::newRow("no description") << Tweak([](Settings& s) { s.OperatingMode = 5; }) << ""
            << SummaryLines{MergedLine("Mode: "), Row("25000", "steps/rev"), Row("", "")};
    }
    void motion()
    {
        QFETCH(Tweak, tweak);
        QFETCH(QString, desc);
        QFETCH(SummaryLines, lines);
        Settings s;
        tweak(s);
        QCOMPARE(MotionSummary(s, desc), lines);
    }

    void regen_data()
    {
        QTest::addColumn<Tweak>("tweak");
        QTest::addColumn<SummaryLines>("lines");
        QTest::newRow("internal, defaults") << Tweak([](Settings&) {})
            << SummaryLines{MergedLine("Regen resistor (internal)"), Row("40", "Ohms"), Row("50", "Watts")};
        QTest::newRow("external") << Tweak([](Settings& s) {
            s.RegenExternal = true;
            s.RegenResOhms = 12.5;
            s.RegenResWatts = 100;
        }) << SummaryLines{MergedLine("Regen resistor (external)"), Row("12.5", "Ohms"), Row("100", "Watts")};
        // Values a file may carry beyond the dialog's range, and sums with
        // binary noise, read as plain numbers.
        QTest::newRow("large and noisy values") << Tweak([](Settings& s) {
            s.RegenResOhms = 100000;
            s.RegenResWatts = 0.1 + 0.2;
        }) << SummaryLines{MergedLine("Regen resistor (internal)"), Row("100000", "Ohms"), Row("0.3", "Watts")};
    }
    void regen()
    {
        QFETCH(Tweak, tweak);
        QFETCH(SummaryLines, lines);
        Settings s;
        tweak(s);
        QCOMPARE(RegenSummary(s), lines);
    }

    void io_data()
    {
        QTest::addColumn<int>("row");  // 1..6 below the title
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("state");
        QTest::newRow("fault out 1") << 1 << 1 << "Fault Out" << "Close on fault";
        QTest::newRow("fault out 2") << 1 << 2 << "Fault Out" << "Open on fault";
        QTest::newRow("fault out 3") << 1 << 3 << "Fault Out" << "not used";
        QTest::newRow("alarm in 1") << 2 << 1 << "Alarm In" << "Close to reset";
        QTest::newRow("alarm in 2") << 2 << 2 << "Alarm In" << "Open to reset";
        QTest::newRow("limits 1") << 3 << 1 << "Limits" << "Closed at limit";
        QTest::newRow("limits 2") << 3 << 2 << "Limits" << "Open at limit";
        QTest::newRow("limits 3") << 3 << 3 << "Limits" << "not used";
        QTest::newRow("enable 1") << 4 << 1 << "Enable" << "Open to enable";
        QTest::newRow("enable 2") << 4 << 2 << "Enable" << "Close to enable";
        QTest::newRow("motion out 1") << 5 << 1 << "Motion Out" << "Open if running";
        QTest::newRow("motion out 2") << 5 << 2 << "Motion Out" << "Close if running";
        QTest::newRow("motion out 0") << 5 << 0 << "Motion Out" << "not used";
        QTest::newRow("motion out 3") << 5 << 3 << "Motion Out" << "not used";
        const char* tach[] = {"Tach 100 ppr", "Tach 200 ppr", "Tach 400 ppr", "Tach 800 ppr", "Tach 1600 ppr"};
        for (int mode = 4; mode <= 8; ++mode)
            QTest::addRow("motion out %d", mode) << 5 << mode << "Motion Out" << tach[mode - 4];
        QTest::newRow("motion out 9") << 5 << 9 << "Motion Out" << "not used";
        QTest::newRow("brake out 1") << 6 << 1 << "Brake Out" << "Close to release";
        QTest::newRow("brake out 2") << 6 << 2 << "Brake Out" << "Open to release";
        QTest::newRow("brake out 4: no tach") << 6 << 4 << "Brake Out" << "not used";
    }
    void io()
    {
        QFETCH(int, row);
        QFETCH(int, mode);
        QFETCH(QString, label);
        QFETCH(QString, state);
        int Settings::*const members[] = {&Settings::AlarmOutputMode, &Settings::AlarmResetMode,
                                          &Settings::LimitMode,       &Settings::EnableInputMode,
                                          &Settings::MotionOutputMode, &Settings::BrakeOutputMode};
        Settings s;
        s.*members[row - 1] = mode;
        const SummaryLines lines = IOSummary(s);
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.first(), MergedLine("Dedicated I/O:"));
        QCOMPARE(lines.at(row), Row(label, state));
    }

    void encoder_data()
    {
        QTest::addColumn<Tweak>("tweak");
        QTest::addColumn<SummaryLines>("lines");
        QTest::newRow("not used: counts not shown") << Tweak([](Settings& s) { s.EncoderCounts = 8000; })
            << SummaryLines{MergedLine("Encoder: not used"), Row("", ""), MergedLine("")};
        QTest::newRow("stall detect") << Tweak([](Settings& s) { s.StallDetect = true; s.StallPrevent = true; })
            << SummaryLines{MergedLine("Encoder:"), Row("4000", "Counts/rev"),
                            MergedLine("Fault drive if motor stalls")};
        QTest::newRow("prevent in step positioning: empty")
            << Tweak([](Settings& s) { s.StallPrevent = true; })
            << SummaryLines{MergedLine("Encoder:"), Row("4000", "Counts/rev"), MergedLine("")};
        QTest::newRow("prevent in velocity") << Tweak([](Settings& s) { s.StallPrevent = true; s.ControlMode = 11; })
            << SummaryLines{MergedLine("Encoder:"), Row("4000", "Counts/rev"),
                            MergedLine("Prevent stalls by limiting torque demand to 100%")};
        QTest::newRow("prevent in TMX mode") << Tweak([](Settings& s) {
            s.StallPrevent = true;
            s.OperatingMode = 2;
            s.MaxTorquePct = 80;
            s.EncoderCounts = 1000;
        }) << SummaryLines{MergedLine("Encoder:"), Row("1000", "Counts/rev"),
                           MergedLine("Prevent stalls by limiting torque demand to 80%")};
    }
    void encoder()
    {
        QFETCH(Tweak, tweak);
        QFETCH(SummaryLines, lines);
        Settings s;
        tweak(s);
        QCOMPARE(EncoderSummary(s), lines);
    }

    void numbersIgnoreLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(SummaryNumber(1.4), QStringLiteral("1.4"));
        QCOMPARE(SummaryFixed3(10), QStringLiteral("10.000"));
        QLocale::setDefault(saved);
    }
};

QTEST_GUILESS_MAIN(TestSummaryText)
#include "tst_summarytext.moc"
