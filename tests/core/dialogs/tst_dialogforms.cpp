#include "EncoderForm.h"
#include "IOForm.h"
#include "RegenForm.h"

#include <QtTest>

// What the encoder, I/O and regen dialogs make of the settings and give back.
class TestDialogForms : public QObject {
    Q_OBJECT
private slots:
    void boxClamps_data();
    void boxClamps();
    void encoderStallSwitches_data();
    void encoderStallSwitches();
    void encoderRoundsHalvesToEven();
    void encoderLinesCaption();
    void ioFill_data();
    void ioFill();
    void ioKeepsWhatTheSettingsDoNotSay();
    void regenKeepsExternalValuesWithTheInternalResistor();
};

void TestDialogForms::boxClamps_data()
{
    QTest::addColumn<BoxRule>("rule");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("counts below") << EncoderForm::CountsRule() << "50" << "100";
    QTest::newRow("counts above") << EncoderForm::CountsRule() << "70000" << "65535";
    QTest::newRow("counts no number") << EncoderForm::CountsRule() << "x" << "100";
    QTest::newRow("torque below") << EncoderForm::MaxTorqueRule() << "5" << "10";
    QTest::newRow("torque above") << EncoderForm::MaxTorqueRule() << "150" << "100";
    QTest::newRow("hard stop zero") << EncoderForm::HardStopRule() << "0" << "1";
    QTest::newRow("hard stop above") << EncoderForm::HardStopRule() << "40000" << "32000";
    QTest::newRow("brake delay above") << IOForm::BrakeDelayRule() << "40000" << "32000";
    QTest::newRow("brake delay negative") << IOForm::BrakeDelayRule() << "-5" << "0";
    QTest::newRow("decel fraction below 1") << IOForm::MaxDecelRule() << "0.4" << "1";
    QTest::newRow("decel rounded") << IOForm::MaxDecelRule() << "1234.6" << "1235";
    QTest::newRow("decel half to even") << IOForm::MaxDecelRule() << "2.5" << "2";
    QTest::newRow("decel above") << IOForm::MaxDecelRule() << "9000" << "5000";
    QTest::newRow("ohms below") << RegenForm::OhmsRule() << "1" << "5";
    QTest::newRow("watts above") << RegenForm::WattsRule() << "2000" << "1000";
    QTest::newRow("seconds zero") << RegenForm::SecsRule() << "0" << "0.01";
    QTest::newRow("seconds above") << RegenForm::SecsRule() << "9" << "8";
    QTest::newRow("seconds fraction") << RegenForm::SecsRule() << ".3125" << "0.3125";
}

void TestDialogForms::boxClamps()
{
    QFETCH(BoxRule, rule);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(rule.normalised(typed), shown);
}

void TestDialogForms::encoderStallSwitches_data()
{
    QTest::addColumn<bool>("prevent");
    QTest::addColumn<bool>("detect");
    QTest::addColumn<bool>("hardStop");
    QTest::addColumn<bool>("shownPrevent");
    QTest::addColumn<bool>("shownDetect");
    QTest::addColumn<bool>("shownHardStop");
    QTest::newRow("both on: detection wins") << true << true << true << false << true << true;
    QTest::newRow("hard stop without prevention") << false << false << true << false << false << false;
    QTest::newRow("prevention with hard stop") << true << false << true << true << false << true;
    QTest::newRow("detection only") << false << true << false << false << true << false;
}

void TestDialogForms::encoderStallSwitches()
{
    QFETCH(bool, prevent);
    QFETCH(bool, detect);
    QFETCH(bool, hardStop);
    Settings s;
    s.StallPrevent = prevent;
    s.StallDetect = detect;
    s.HardStopFault = hardStop;
    const EncoderForm f = EncoderForm::FromSettings(s);
    QTEST(f.stallPrevent, "shownPrevent");
    QTEST(f.stallDetect, "shownDetect");
    QTEST(f.hardStopFault, "shownHardStop");
    // OK without changes stores what was shown.
    Settings back = s;
    f.writeTo(back);
    QTEST(back.StallPrevent, "shownPrevent");
    QTEST(back.StallDetect, "shownDetect");
    QTEST(back.HardStopFault, "shownHardStop");

    // Unticking one switch never ticks the other.
    EncoderForm g = f;
    g.tickStallPrevent(false);
    g.tickStallDetect(false);
    QVERIFY(!g.stallPrevent && !g.stallDetect);
    g.tickStallPrevent(true);
    QVERIFY(g.stallPrevent && !g.stallDetect);
    g.tickStallDetect(true);
    QVERIFY(!g.stallPrevent && g.stallDetect);
}

void TestDialogForms::encoderRoundsHalvesToEven()
{
    Settings s;
    EncoderForm f = EncoderForm::FromSettings(s);
    f.counts = 4000.5;
    f.maxTorquePct = 80.5;
    f.hardStopMs = 21.5;
    f.cw = true;
    f.singleEnded = true;
    f.writeTo(s);
    QCOMPARE(s.EncoderCounts, 4000);
    QCOMPARE(s.MaxTorquePct, 80);
    QCOMPARE(s.HardStopTimeMs, 22);
    QVERIFY(s.EncoderDirCW);
    QVERIFY(s.EncoderSingleEnded);
    QCOMPARE(EncoderForm::FromSettings(s).counts, 4000.0);
}

void TestDialogForms::encoderLinesCaption()
{
    QCOMPARE(EncoderLinesCaption(4000), QStringLiteral("counts/turn (1000 lines)"));
    QCOMPARE(EncoderLinesCaption(1001), QStringLiteral("counts/turn (250.25 lines)"));
}

void TestDialogForms::ioFill_data()
{
    // Settings as a file or a drive may bring them; the form the opener
    // shows; what OK then stores.
    QTest::addColumn<QList<int>>("modes");    // enable, reset, alarm out, brake, motion, limits
    QTest::addColumn<QList<int>>("shown");    // enable, alarm input, alarm out, brake, motion, tach row, limit row
    QTest::addColumn<QList<int>>("stored");   // the six modes after OK
    QTest::newRow("defaults") << QList<int>{3, 3, 3, 3, 3, 1} << QList<int>{3, 0, 3, 0, 3, 0, 0}
                              << QList<int>{3, 3, 3, 3, 3, 1};
    QTest::newRow("tach 400") << QList<int>{1, 1, 1, 1, 6, 2} << QList<int>{1, 1, 1, 1, 4, 2, 1}
                              << QList<int>{1, 1, 1, 1, 6, 2};
    QTest::newRow("reset by opening is not offered") << QList<int>{2, 2, 2, 2, 2, 3}
                                                     << QList<int>{2, 0, 2, 1, 2, 0, 2}
                                                     << QList<int>{2, 3, 2, 2, 2, 3};
    QTest::newRow("out of range") << QList<int>{0, 0, 9, 7, 9, 0} << QList<int>{1, 0, 3, 0, 4, 0, 2}
                                  << QList<int>{1, 3, 3, 3, 4, 3};
}

void TestDialogForms::ioFill()
{
    QFETCH(QList<int>, modes);
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, stored);
    Settings s;
    s.EnableInputMode = modes[0];
    s.AlarmResetMode = modes[1];
    s.AlarmOutputMode = modes[2];
    s.BrakeOutputMode = modes[3];
    s.MotionOutputMode = modes[4];
    s.LimitMode = modes[5];
    IOForm f;
    f.fill(s);
    QCOMPARE((QList<int>{f.enableOption, f.alarmInput ? 1 : 0, f.alarmOutput, f.brake ? 1 : 0, f.motion,
                         f.tachRow, f.limitRow}),
             shown);
    f.writeTo(s);
    QCOMPARE((QList<int>{s.EnableInputMode, s.AlarmResetMode, s.AlarmOutputMode, s.BrakeOutputMode,
                         s.MotionOutputMode, s.LimitMode}),
             stored);
}

void TestDialogForms::ioKeepsWhatTheSettingsDoNotSay()
{
    IOForm f;
    Settings s;
    s.BrakeOutputMode = 2;
    s.MotionOutputMode = 8;
    s.BrakeReleaseDelay = 350;
    s.MaxAccel = 2500;
    f.fill(s);
    QVERIFY(f.brake && f.brakeOpen);
    QCOMPARE(f.tachRow, 4);
    // No brake and no tach: the brake option and the tach row stay.
    s.BrakeOutputMode = 3;
    s.MotionOutputMode = 1;
    f.fill(s);
    QVERIFY(!f.brake && f.brakeOpen);
    QCOMPARE(f.tachRow, 4);
    QCOMPARE(f.motion, int(IOForm::MotionOpen));
    // Ticking the brake again gives the kept option.
    f.brake = true;
    f.writeTo(s);
    QCOMPARE(s.BrakeOutputMode, 2);
    QCOMPARE(s.BrakeReleaseDelay, 350);
    QCOMPARE(s.MaxAccel, 2500.0);
    QCOMPARE(s.MotionOutputMode, 1);
    QCOMPARE(IOForm::TachRows(), QStringList({"100 pulses/rev", "200 pulses/rev", "400 pulses/rev",
                                              "800 pulses/rev", "1600 pulses/rev"}));
}

void TestDialogForms::regenKeepsExternalValuesWithTheInternalResistor()
{
    Settings s;
    s.RegenExternal = true;
    s.RegenResWatts = 200;
    s.RegenResOhms = 25;
    s.RegenResSecs = 0.5;
    RegenForm f = RegenForm::FromSettings(s);
    QVERIFY(f.external);
    f.external = false;
    Settings back;
    f.writeTo(back);
    QVERIFY(!back.RegenExternal);
    QCOMPARE(back.RegenResWatts, 200.0);
    QCOMPARE(back.RegenResOhms, 25.0);
    QCOMPARE(back.RegenResSecs, 0.5);
}

QTEST_GUILESS_MAIN(TestDialogForms)
#include "tst_dialogforms.moc"
