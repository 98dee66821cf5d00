#include "Characters.h"
#include "CustomMotorRules.h"
#include "MotorDialogRules.h"
#include "Units.h"

#include <QtTest>

// The motor dialog's and the custom-motor editor's rules, without windows.
class TestMotorDialogRules : public QObject {
    Q_OBJECT
private slots:
    void boxes_data();
    void boxes();
    void runCurrentLimit_data();
    void runCurrentLimit();
    void ratedCurrentOnTheSlider();
    void idleAmps();
    void loadInertiaHeldInKgm2();
    void customMotorWrite();
    void sliderPositionsRound_data();
    void sliderPositionsRound();
    void typedNameLimit_data();
    void typedNameLimit();
    void wizardGate_data();
    void wizardGate();
};

void TestMotorDialogRules::boxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("idle 95") << "txtIdlePercent" << "95" << "90";
    QTest::newRow("idle whole, halves to even") << "txtIdlePercent" << "12.5" << "12";
    QTest::newRow("idle no number") << "txtIdlePercent" << "abc" << "0";
    QTest::newRow("delay 12") << "IdleDelayTime" << "12" << "10.00";
    QTest::newRow("delay") << "IdleDelayTime" << "0.4" << "0.40";
    QTest::newRow("ratio 25") << "txtInertiaRatio" << "25" << "20";
    QTest::newRow("ratio below") << "txtInertiaRatio" << "-1" << "0";
    QTest::newRow("load inertia never negative") << "txtLoadInertia" << "-5" << "0";
    QTest::newRow("load inertia") << "txtLoadInertia" << "1.5" << "1.5";
    QTest::newRow("load inertia too large") << "txtLoadInertia" << "1e30" << "16777215";
    QTest::newRow("rated current 0") << "txtRatedCurrent" << "0" << "0.01";
    QTest::newRow("rated current beyond the image") << "txtRatedCurrent" << "1000" << "655.35";
    QTest::newRow("torque 0") << "txtRatedTorque" << "0" << "1E-08";
    QTest::newRow("torque negative") << "txtRatedTorque" << "-3" << "1E-08";
    QTest::newRow("torque beyond the image") << "txtRatedTorque" << "99999999" << "16777215";
    QTest::newRow("inertia no number") << "txtRotorInertia" << "abc" << "1E-08";
    QTest::newRow("resistance") << "txtR" << "400" << "320";
    QTest::newRow("inductance") << "txtL" << "0" << "0.1";
    QTest::newRow("volts") << "txtMaxVolts" << "5" << "10";
    QTest::newRow("lead angle") << "txtDeg" << "400" << "360";
    QTest::newRow("lead speed") << "txtRPS" << "1" << "5";
    QTest::newRow("gain 5000") << "Gain" << "5000" << "3000";
    QTest::newRow("phase -200") << "Phase" << "-200" << "-128";
}

void TestMotorDialogRules::boxes()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    const BoxScale* scale = nullptr;
    for (int i = 0; i < static_cast<int>(MotorBox::Count); ++i)
        if (box == QLatin1String(MotorBoxScale(static_cast<MotorBox>(i)).name))
            scale = &MotorBoxScale(static_cast<MotorBox>(i));
    for (int i = 0; i < static_cast<int>(CustomMotorBox::Count); ++i)
        if (box == QLatin1String(CustomMotorBoxScale(static_cast<CustomMotorBox>(i)).name))
            scale = &CustomMotorBoxScale(static_cast<CustomMotorBox>(i));
    QVERIFY(scale);
    const BoxRule rule = ScaleRule(*scale);
    QCOMPARE(rule.normalised(typed), left);
    QCOMPARE(rule.normalised(left), left);  // leaving again changes nothing
    // The slider of a paired box spans exactly the box's range.
    if (scale->hasSlider()) {
        QCOMPARE(PositionValue(*scale, scale->sliderMin), scale->min);
        QCOMPARE(PositionValue(*scale, scale->sliderMax), scale->max);
    }
}

void TestMotorDialogRules::runCurrentLimit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<float>("maxRun");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("held");
    QTest::newRow("7 A, drive maximum") << "7" << 6.0f << "6.00" << 650 << 600;
    QTest::newRow("7 A, motor lower") << "7" << 4.5f << "4.50" << 600 << 450;
    QTest::newRow("0.2 A") << "0.2" << 6.0f << "0.50" << 20 << 50;
    QTest::newRow("in range") << "1.234" << 6.0f << "1.23" << 123 << 123;
    QTest::newRow("no number") << "abc" << 6.0f << "0.50" << 0 << 50;
    // 1.5 x 1.7 A in single precision lies a hair below 2.55.
    QTest::newRow("limit a hair below") << "9" << 1.5f * 1.7f << "2.55" << 300 << 255;
    // A limit between hundredths: never above it.
    QTest::newRow("limit between hundredths") << "9" << 2.555f << "2.55" << 300 << 255;
    QTest::newRow("exactly the limit") << "2.55" << 1.5f * 1.7f << "2.55" << 255 << 255;
    // A motor under 0.34 A allows less than the 0.50 A floor: its limit wins.
    QTest::newRow("0.33 A motor, below the floor") << "0.2" << 1.5f * 0.33f << "0.49" << 20 << 49;
    QTest::newRow("0.30 A motor, above the limit") << "1" << 1.5f * 0.30f << "0.45" << 600 << 45;
    QTest::newRow("0.01 A motor") << "0.2" << 1.5f * 0.01f << "0.01" << 1 << 1;
    QTest::newRow("0.34 A motor, at the floor") << "0.2" << 1.5f * 0.34f << "0.50" << 20 << 50;
}

void TestMotorDialogRules::runCurrentLimit()
{
    QFETCH(QString, typed);
    QFETCH(float, maxRun);
    QFETCH(QString, left);
    QFETCH(int, dragTo);
    QFETCH(int, held);
    const BoxRule rule = DriveCurrentRule([maxRun] { return maxRun; });
    QCOMPARE(rule.normalised(typed), left);
    QCOMPARE(rule.normalised(left), left);
    QCOMPARE(DriveCurrentPosition(dragTo, maxRun), held);
    // The clamp keeps what it gave: a slider that sets the held position
    // again is not sent anywhere else.
    QCOMPARE(DriveCurrentPosition(held, maxRun), held);
    QVERIFY(static_cast<float>(LeadingNumber(left)) <= maxRun);
}

void TestMotorDialogRules::ratedCurrentOnTheSlider()
{
    QCOMPARE(RatedCurrentPosition(8, 6.0f), 600);
    QCOMPARE(RatedCurrentPosition(2, 6.0f), 200);
    QCOMPARE(RatedCurrentPosition(3.2, 3.2f), 320);  // equal in single precision
    QCOMPARE(RatedCurrentPosition(4, 3.2f), 320);
}

void TestMotorDialogRules::idleAmps()
{
    QCOMPARE(IdleAmpsText(QStringLiteral("50"), QStringLiteral("1.40")), QStringLiteral("%  (0.70 A)"));
    QCOMPARE(IdleAmpsText(QStringLiteral("90"), QStringLiteral("6.00")), QStringLiteral("%  (5.40 A)"));
    QCOMPARE(IdleAmpsText(QString(), QStringLiteral("abc")), QStringLiteral("%  (0.00 A)"));
}

void TestMotorDialogRules::loadInertiaHeldInKgm2()
{
    Settings s;
    MotorDialogEntries e;
    e.runCurrent = QStringLiteral("1.40");
    e.idlePercent = QStringLiteral("50");
    e.idleDelay = QStringLiteral("0.40");
    e.loadInertia = QStringLiteral("1");
    e.loadInertiaUnit = 2;  // kg cm2
    e.inertiaRatio = QStringLiteral("3.5");
    e.customChosen = true;
    e.dampingOff = true;
    WriteMotorSettings(e, s);
    QCOMPARE(s.LoadInertia, 0.0001);
    QCOMPARE(s.LoadInertiaUnit, std::int16_t(2));
    QCOMPARE(LeadingNumber(LoadInertiaText(s)), 1.0);
    QCOMPARE(s.InertiaRatio, 3.5);
    QVERIFY(!s.InertiaAsRatio);
    QVERIFY(s.UseCustomMotor);
    QVERIFY(!s.DampingOn);
    QVERIFY(s.SmoothingOn);
    QCOMPARE(s.RunCurrent, 1.4);
    QCOMPARE(s.IdleCurrentPct, 50);
    QCOMPARE(s.IdleDelay, 0.4);
}

void TestMotorDialogRules::customMotorWrite()
{
    Settings s;
    CustomMotorEntries e;
    e.name = QStringLiteral("ABCDEFGHIJKLMNOP");
    e.current = QStringLiteral("3.5");
    e.torque = QStringLiteral(".5");
    e.torqueUnit = 4;
    e.inertia = QStringLiteral("120");
    e.inertiaUnit = 1;
    e.r = QStringLiteral("1.2");
    e.l = QStringLiteral("3.4");
    e.maxVolts = QStringLiteral("55");
    e.deg = QStringLiteral("120.5");
    e.rps = QStringLiteral("25.5");
    e.gain = QStringLiteral("12.5");
    e.phase = QStringLiteral("-3.5");
    WriteCustomMotor(e, s);
    // The name as the box holds it: the box limits typing, and a longer
    // name that came from a file stays whole.
    QCOMPARE(s.CustomMotorName, QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(s.CustomMotorCurrent, 3.5);
    QCOMPARE(s.CustomMotorTorque, 0.5);
    QCOMPARE(s.CustomTorqueUnit, std::int16_t(4));
    QCOMPARE(s.CustomMotorInertia, 120.0);
    QCOMPARE(s.CustomInertiaUnit, std::int16_t(1));
    QCOMPARE(s.CustomMotorMaxVolts, 55.0);
    QCOMPARE(s.CustomLeadAngleDeg, 120);  // halves to even
    QCOMPARE(s.CustomLeadAngleRps, 26);
    QCOMPARE(s.CustomHarmonicGain, 12);
    QCOMPARE(s.CustomHarmonicPhase, -4);
    const MotorSpecTexts shown = CustomSpecsAsTyped(e);
    QCOMPARE(shown.torque, QStringLiteral(".5"));  // as typed
    QCOMPARE(shown.torqueUnit, QStringLiteral("N m"));
    QCOMPARE(shown.inertiaUnit, QStringLiteral("g cm2"));
}

void TestMotorDialogRules::sliderPositionsRound_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("position");
    const int delay = static_cast<int>(MotorBox::IdleDelay);
    const int ratio = static_cast<int>(MotorBox::InertiaRatio);
    const int current = static_cast<int>(MotorBox::DriveCurrent);
    // Stored value x 100 (or x 10), rounded, halves to even.
    QTest::newRow("delay 0.295") << delay << 0.295 << 30;
    QTest::newRow("delay 0.285 (28.4999... x 100)") << delay << 0.285 << 28;
    QTest::newRow("delay 0.4") << delay << 0.4 << 40;
    QTest::newRow("delay 12, past the slider") << delay << 12.0 << 1200;
    QTest::newRow("ratio 0.15") << ratio << 0.15 << 2;
    QTest::newRow("ratio 0.25, half to even") << ratio << 0.25 << 2;
    QTest::newRow("ratio 0.35") << ratio << 0.35 << 4;
    QTest::newRow("ratio 1.45") << ratio << 1.45 << 14;
    QTest::newRow("current 1.005") << current << 1.005 << 100;
    QTest::newRow("current 2.675") << current << 2.675 << 268;
}

void TestMotorDialogRules::sliderPositionsRound()
{
    QFETCH(int, box);
    QFETCH(double, value);
    QFETCH(int, position);
    const BoxScale& scale = MotorBoxScale(static_cast<MotorBox>(box));
    QCOMPARE(ScalePosition(scale, value), position);
}

void TestMotorDialogRules::typedNameLimit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("kept");
    const QString rocket = QStringLiteral("🚀");
    const QString twelve = QStringLiteral("ABCDEFGHIJKL");
    const QString thirteen = twelve + QLatin1Char('M');
    const QString twenty = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    QTest::newRow("short") << QString() << "motor" << true << "motor";
    QTest::newRow("20 typed at once keep 13") << QString() << twenty << true << thirteen;
    QTest::newRow("one more at 13") << thirteen << thirteen + "N" << false << QString();
    QTest::newRow("rockets: 7 fit") << QString() << rocket.repeated(7) << true << rocket.repeated(7);
    QTest::newRow("rockets: 14 keep 13 whole") << QString() << rocket.repeated(14) << true << rocket.repeated(13);
    QTest::newRow("a rocket into 12") << twelve << twelve + rocket + rocket << true << twelve + rocket;
    QTest::newRow("rocket pasted in the middle")
        << twelve << QStringLiteral("ABC") + rocket + rocket + QStringLiteral("DEFGHIJKL") << true
        << QStringLiteral("ABC") + rocket + QStringLiteral("DEFGHIJKL");
    QTest::newRow("an accent on the 13th") << thirteen << thirteen + QChar(0x0301) << true << thirteen + QChar(0x0301);
    QTest::newRow("accented letters keep their accents")
        << QString() << QStringLiteral("e\u0301").repeated(15) << true << QStringLiteral("e\u0301").repeated(13);
    QTest::newRow("a long name from a file shortened") << twenty << twenty.left(19) << true << twenty.left(19);
    QTest::newRow("a long name from a file not lengthened") << twenty << twenty + "U" << false << QString();
    // What is typed or pasted over a long name leaves no more than 13 (the
    // edit starts from the name less the selection it replaces).
    QTest::newRow("typed over part of a long name") << twenty.left(10) + twenty.mid(13)
                                                    << twenty.left(10) + "xyz" + twenty.mid(13) << false << QString();
    QTest::newRow("pasted over a whole long name") << QString() << twenty << true << thirteen;
    QTest::newRow("pasted over a part, the rest fits")
        << twenty.left(5) + twenty.mid(15) << twenty.left(5) + "xyz" + twenty.mid(15) << true
        << twenty.left(5) + "xyz" + twenty.mid(15);
    QTest::newRow("a long paste over part of a short name")
        << QStringLiteral("motor") << QStringLiteral("mo") + twenty + QStringLiteral("tor") << true
        << QStringLiteral("mo") + twenty.left(8) + QStringLiteral("tor");
    QTest::newRow("32767 pasted") << QString() << QString(32767, QLatin1Char('x')) << true
                                  << QString(13, QLatin1Char('x'));
    QTest::newRow("accents pasted by the thousand")
        << QString() << QStringLiteral("e\u0301").repeated(16383) << true << QStringLiteral("e\u0301").repeated(13);
}

// What typing leaves in the name box: never more than 13 characters as a
// user counts them, never half of one.
void TestMotorDialogRules::typedNameLimit()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, accepted);
    int cursor = -1;
    const std::optional<QString> kept = TypedText(before, after, CustomMotorNameLength, &cursor);
    QCOMPARE(kept.has_value(), accepted);
    if (accepted) {
        QTEST(*kept, "kept");
        QVERIFY(CharacterCount(*kept) <= std::max(CustomMotorNameLength, CharacterCount(before)));
    }
}

void TestMotorDialogRules::wizardGate_data()
{
    QTest::addColumn<float>("firmware");
    QTest::addColumn<QString>("revision");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("1.00j") << 1.0f << "j" << false;
    QTest::newRow("1.00k") << 1.0f << "k" << true;
    QTest::newRow("1.00z") << 1.0f << "z" << true;
    QTest::newRow("1.00 upper-case K") << 1.0f << "K" << false;
    QTest::newRow("1.00, no revision") << 1.0f << "" << false;
    QTest::newRow("1.00, two letters") << 1.0f << "kk" << false;
    QTest::newRow("1.01a") << 1.01f << "a" << true;
    QTest::newRow("1.01, no revision") << 1.01f << "" << true;
    QTest::newRow("no drive yet") << 0.0f << "" << true;
}

void TestMotorDialogRules::wizardGate()
{
    QFETCH(float, firmware);
    QFETCH(QString, revision);
    QFETCH(bool, allowed);
    QCOMPARE(SmoothingWizardAllowed(firmware, revision), allowed);
}

QTEST_GUILESS_MAIN(TestMotorDialogRules)
#include "tst_motordialogrules.moc"
