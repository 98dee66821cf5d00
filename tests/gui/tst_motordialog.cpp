#include "Configurator.h"
#include "MotorDialogRig.h"
#include "RandomSettings.h"
#include "SampleMotor.h"
#include "SettingsFields.h"
#include "Units.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>

#include <cmath>

namespace {

// How far a load inertia may move through the box: what FormatSig keeps of
// it in the unit it is shown in.
double shownInertiaTolerance(const Settings& s)
{
    const double shown = std::fabs(InertiaFromKgm2(s.LoadInertia, s.LoadInertiaUnit));
    return InertiaToKgm2(std::max(0.005 * shown, 5e-9), s.LoadInertiaUnit) * (1 + 1e-9);
}

double sigTolerance(double value)
{
    return std::max(0.005 * std::fabs(value), 5e-9) * (1 + 1e-9);
}

// The fields a round trip through the dialogs may round; every other field
// must come back exactly.
FieldTolerance roundTripTolerance()
{
    return [](const SettingsField& f, double value) {
        static const QStringList rounded{"RunCurrent",        "IdleDelay",          "InertiaRatio",
                                         "LoadInertia",       "CustomMotorTorque",  "CustomMotorInertia",
                                         "CustomMotorMaxVolts"};
        if (rounded.contains(QLatin1String(f.name)))
            return std::numeric_limits<double>::infinity();
        return TextNumberTolerance(f, value);
    };
}

}  // namespace

class TestMotorDialog : public QObject {
    Q_OBJECT
private slots:
    void roundTripOverRandomConfigurations();
    void clampCases_data();
    void clampCases();
    void okFromCodeNormalisesEveryBox_data();
    void okFromCodeNormalisesEveryBox();
    void inertiaSet_data();
    void inertiaSet();
    void runCurrentLimitOfTheChosenMotor();
    void motorInUseWhileActive();
    void fillingWritesSliderAndText();
    void addMotorRecordSelectsInTheList_data();
    void addMotorRecordSelectsInTheList();
    void customMotorEditor();
    void wizardButton_data();
    void wizardButton();
    void namesAndTitles();
};

// Settings -> controls -> OK -> the same settings, for both dialogs; a
// second pass changes nothing at all.
void TestMotorDialog::roundTripOverRandomConfigurations()
{
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    QRandomGenerator rng(QRandomGenerator::global()->generate());
    const quint32 seed = rng.generate();
    rng.seed(seed);
    const QStringList parts = c.motors().partNumbers();
    QVERIFY(!parts.isEmpty());
    for (int round = 0; round < 40; ++round) {
        const QString where = QStringLiteral("seed %1 round %2").arg(seed).arg(round);
        c.selectModel(static_cast<int>(rng.bounded(6)));
        c.settings() = RandomSettings(rng);
        QVERIFY(c.motors().seek(parts.at(static_cast<int>(rng.bounded(parts.size())))));
        const Settings before = c.settings();
        const QString motor = c.databaseMotor().partNumber;

        // The editor's OK puts the custom motor's rated current on the
        // running current: the motor dialog is filled after it.
        auto pass = [&] {
            r.edit().showFilled();
            r.edit().OK_Click();
            r.motor().showFilled();
            r.motor().OK_Click();
            return c.settings();
        };
        const Settings once = pass();
        QVERIFY2(DifferingFields(before, once, roundTripTolerance()).isEmpty(),
                 qPrintable(where + ": " + DifferingFields(before, once, roundTripTolerance()).join(", ")));
        QCOMPARE(c.databaseMotor().partNumber, motor);

        // What may be rounded stays within what the boxes show.
        const float maxRun = c.MaxRunCurrentFor(before.UseCustomMotor);
        QVERIFY2(static_cast<float>(once.RunCurrent) <= maxRun && once.RunCurrent >= std::min(0.5, maxRun - 0.01),
                 qPrintable(where + QStringLiteral(": %1 A, limit %2 A").arg(once.RunCurrent).arg(maxRun)));
        if (static_cast<float>(before.RunCurrent) <= maxRun - 0.01f)
            QVERIFY2(std::fabs(once.RunCurrent - before.RunCurrent) <= 0.005 + 1e-9, qPrintable(where));
        QVERIFY2(std::fabs(once.IdleDelay - before.IdleDelay) <= 0.005 + 1e-9, qPrintable(where));
        QVERIFY2(std::fabs(once.InertiaRatio - before.InertiaRatio) <= 0.05 + 1e-9, qPrintable(where));
        QVERIFY2(std::fabs(once.LoadInertia - before.LoadInertia) <= shownInertiaTolerance(before), qPrintable(where));
        QVERIFY2(std::fabs(once.CustomMotorTorque - before.CustomMotorTorque) <= sigTolerance(before.CustomMotorTorque),
                 qPrintable(where));
        QVERIFY2(std::fabs(once.CustomMotorInertia - before.CustomMotorInertia) <= sigTolerance(before.CustomMotorInertia),
                 qPrintable(where));
        QCOMPARE(once.CustomMotorMaxVolts, std::nearbyint(before.CustomMotorMaxVolts));

        const Settings twice = pass();
        QVERIFY2(DifferingFields(once, twice).isEmpty(), qPrintable(where + ": " + DifferingFields(once, twice).join(", ")));
    }
}

void TestMotorDialog::clampCases_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("rated");  // of the database motor
    QTest::addColumn<int>("unit");      // load inertia unit, -1: as filled
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("position");  // of the box's slider, -1: none
    QTest::addColumn<QString>("reopened");
    QTest::newRow("7 A") << "txtDriveCurrent" << "7" << 5.0 << -1 << "6.00" << 600 << "6.00";
    QTest::newRow("7 A, 2 A motor") << "txtDriveCurrent" << "7" << 2.0 << -1 << "3.00" << 300 << "3.00";
    QTest::newRow("0.2 A") << "txtDriveCurrent" << "0.2" << 5.0 << -1 << "0.50" << 50 << "0.50";
    QTest::newRow("idle 95") << "txtIdlePercent" << "95" << 5.0 << -1 << "90" << 90 << "90";
    QTest::newRow("idle delay 12") << "IdleDelayTime" << "12" << 5.0 << -1 << "10.00" << 1000 << "10.00";
    QTest::newRow("ratio 25") << "txtInertiaRatio" << "25" << 5.0 << -1 << "20" << 200 << "20";
    QTest::newRow("ratio in tenths") << "txtInertiaRatio" << "3.14" << 5.0 << -1 << "3.1" << 31 << "3.1";
    QTest::newRow("1 kg cm2") << "txtLoadInertia" << "1" << 5.0 << 2 << "1" << -1 << "1.0";
    QTest::newRow("negative inertia") << "txtLoadInertia" << "-2" << 5.0 << 2 << "0" << -1 << ".00000";
}

void TestMotorDialog::clampCases()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(double, rated);
    QFETCH(int, unit);
    QFETCH(QString, left);
    QFETCH(int, position);
    QFETCH(QString, reopened);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    QCOMPARE(c.AddMotorRecord(SampleMotor(QStringLiteral("KV-TEST"), rated)), MotorStore::AddResult::Added);
    c.settings().InertiaAsRatio = box != QLatin1String("txtLoadInertia");
    MotorDialog& d = r.motor();
    d.showFilled();
    if (unit >= 0)
        r.child<QComboBox>(d, "JUnits").setCurrentIndex(unit);
    const QByteArray name = box.toLatin1();
    r.type(d, name.constData(), typed);
    QCOMPARE(r.box(d, name.constData()).text(), left);
    if (position >= 0) {
        const NumberSlider* slider = nullptr;
        for (const NumberSlider* s : d.findChildren<NumberSlider*>())
            if (&s->box() == &r.box(d, name.constData()))
                slider = s;
        QVERIFY(slider);
        QCOMPARE(slider->value(), position);
    }
    if (box == QLatin1String("txtIdlePercent"))
        QCOMPARE(r.child<QLabel>(d, "IdleLabel").text(),
                 QStringLiteral("%  (%1 A)").arg(0.9 * c.settings().RunCurrent, 0, 'f', 2));
    r.child<QPushButton>(d, "cmdOK").click();
    QVERIFY(!d.isVisible());
    if (box == QLatin1String("txtLoadInertia"))
        QCOMPARE(c.settings().LoadInertia, LeadingNumber(left) / 10000);  // kg m2
    d.showFilled();
    QCOMPARE(r.box(d, name.constData()).text(), reopened);
}

void TestMotorDialog::okFromCodeNormalisesEveryBox_data()
{
    QTest::addColumn<bool>("editor");
    QTest::addColumn<QString>("typed");
    QTest::newRow("motor dialog, 999999") << false << "999999";
    QTest::newRow("motor dialog, abc") << false << "abc";
    QTest::newRow("editor, 999999") << true << "999999";
    QTest::newRow("editor, abc") << true << "abc";
}

// The download presses OK while the boxes hold what the user typed: every
// box is normalised first, so nothing unclamped or unreadable gets through.
void TestMotorDialog::okFromCodeNormalisesEveryBox()
{
    QFETCH(bool, editor);
    QFETCH(QString, typed);
    const bool large = typed == QLatin1String("999999");
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    QVERIFY(c.motors().seek(QStringLiteral("KV23-S083B")));  // 2.8 A: limit 4.2 A
    c.settings().LoadInertiaUnit = 2;
    MotorDialog& d = r.motor();
    d.showFilled();
    SettingsDialog& dialog = editor ? static_cast<SettingsDialog&>(r.edit()) : d;
    if (editor)
        r.edit().showFilled();
    for (NumberBox* b : dialog.numberBoxes())
        b->setText(typed);
    c.state().SettingsChanged = false;
    // The download's press (the end-to-end test runs a real download).
    dialog.pressOkIfVisible();
    QVERIFY(!dialog.isVisible());
    QVERIFY(c.state().SettingsChanged);
    for (NumberBox* b : dialog.numberBoxes())
        QCOMPARE(b->text(), b->rule().normalised(typed));
    const Settings& s = c.settings();
    if (!editor) {
        QCOMPARE(s.RunCurrent, large ? 4.2 : 0.5);
        QCOMPARE(s.IdleCurrentPct, large ? 90 : 0);
        QCOMPARE(s.IdleDelay, large ? 10.0 : 0.0);
        QCOMPARE(s.InertiaRatio, large ? 20.0 : 0.0);
        QCOMPARE(s.LoadInertia, large ? 99.9999 : 0.0);
    } else {
        QCOMPARE(s.CustomMotorCurrent, large ? 655.35 : 0.01);
        QCOMPARE(s.CustomMotorTorque, large ? 999999 : 1e-8);
        QCOMPARE(s.CustomMotorInertia, large ? 999999 : 1e-8);
        QCOMPARE(s.CustomMotorR, large ? 320.0 : 0.1);
        QCOMPARE(s.CustomMotorL, large ? 320.0 : 0.1);
        QCOMPARE(s.CustomMotorMaxVolts, large ? 100.0 : 10.0);
        QCOMPARE(s.CustomLeadAngleDeg, large ? 360 : 45);
        QCOMPARE(s.CustomLeadAngleRps, large ? 100 : 5);
        QCOMPARE(s.CustomHarmonicGain, large ? 3000 : 0);
        QCOMPARE(s.CustomHarmonicPhase, large ? 128 : 0);
        // The rated current goes onto the motor dialog's running current,
        // no higher than the drive takes.
        QCOMPARE(d.runCurrentText(), large ? QStringLiteral("6.00") : QStringLiteral("0.01"));
    }
}

void TestMotorDialog::inertiaSet_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("set");
    QTest::newRow("opened and OK") << "" << false;
    QTest::newRow("running current typed") << "txtDriveCurrent" << false;
    QTest::newRow("load inertia typed") << "txtLoadInertia" << true;
    QTest::newRow("ratio typed") << "txtInertiaRatio" << true;
    QTest::newRow("ratio slider moved") << "SliderInertiaRatio" << true;
    QTest::newRow("edit, then refilled by an upload") << "refilled" << false;
}

void TestMotorDialog::inertiaSet()
{
    QFETCH(QString, edit);
    QFETCH(bool, set);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    // A value the box writes differently once left (".0015" -> "0.0015").
    c.settings().LoadInertia = 0.00000015;
    c.settings().LoadInertiaUnit = 3;
    c.settings().InertiaAsRatio = false;
    MotorDialog& d = r.motor();
    d.showFilled();
    auto typeInto = [&](const char* name) {
        NumberBox& b = r.box(d, name);
        b.setEnabled(true);
        b.selectAll();
        QTest::keyClicks(&b, QStringLiteral("2"));
    };
    if (edit == QLatin1String("SliderInertiaRatio"))
        r.slider(d, "SliderInertiaRatio").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (edit == QLatin1String("refilled")) {
        typeInto("txtLoadInertia");
        c.SummarizeAll();
    } else if (!edit.isEmpty())
        typeInto(edit.toLatin1().constData());
    QCOMPARE(c.state().InertiaSet, false);
    r.child<QPushButton>(d, "cmdOK").click();
    QCOMPARE(c.state().InertiaSet, set);
}

// The dialog's own motor choice limits the running current when OK is
// pressed, also when the dialog is not the active window (the download).
void TestMotorDialog::runCurrentLimitOfTheChosenMotor()
{
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    QCOMPARE(c.AddMotorRecord(SampleMotor(QStringLiteral("KV-BIG"), 5.0)), MotorStore::AddResult::Added);
    c.settings().UseCustomMotor = false;
    c.settings().CustomMotorCurrent = 1.0;
    MotorDialog& d = r.motor();
    d.showFilled();
    r.child<QRadioButton>(d, "optCustom").click();
    QCOMPARE(d.runCurrentText(), QStringLiteral("1.00"));  // the custom motor's rated current
    // Dragged, the slider stops at the chosen motor's limit and at 0.50 A.
    NumberSlider& slider = r.slider(d, "SliderMaxCurrent");
    slider.triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(slider.value(), 150);
    QCOMPARE(d.runCurrentText(), QStringLiteral("1.50"));
    slider.triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(slider.value(), 50);
    QCOMPARE(d.runCurrentText(), QStringLiteral("0.50"));
    r.box(d, "txtDriveCurrent").setText(QStringLiteral("5"));
    c.state().MotorDialogActive = false;
    QCOMPARE(c.MaxRunCurrent(), 6.0f);  // by the settings: the 5 A database motor
    d.pressOkIfVisible();
    QCOMPARE(c.settings().RunCurrent, 1.5);
    QVERIFY(c.settings().UseCustomMotor);
}

// While the motor dialog is the active window, its motor choice is the
// motor in use for the program's current limit.
void TestMotorDialog::motorInUseWhileActive()
{
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    QCOMPARE(c.AddMotorRecord(SampleMotor(QStringLiteral("KV-BIG"), 5.0)), MotorStore::AddResult::Added);
    c.settings().CustomMotorCurrent = 1.0;
    MotorDialog& d = r.motor();
    d.showFilled();
    d.activateWindow();
    if (!QTest::qWaitForWindowActive(&d))
        QSKIP("this platform does not activate windows");
    r.child<QRadioButton>(d, "optCustom").click();
    QCOMPARE(c.MaxRunCurrent(), 1.5f);
    r.child<QRadioButton>(d, "optStandard").click();
    QCOMPARE(c.MaxRunCurrent(), 6.0f);
    r.child<QRadioButton>(d, "optCustom").click();
    r.child<QPushButton>(d, "cmdCancel").click();
    QVERIFY(!c.state().MotorDialogActive);
    QCOMPARE(c.MaxRunCurrent(), 6.0f);  // the settings' motor again
}

// A filling shows the settings in the slider and in its box, also when the
// slider stood at that position already.
void TestMotorDialog::fillingWritesSliderAndText()
{
    MotorDialogRig r;
    r.start();
    MotorDialog& d = r.motor();
    d.showFilled();
    const QString shown = d.runCurrentText();
    const int position = r.slider(d, "SliderMaxCurrent").value();
    r.box(d, "txtDriveCurrent").setText(QStringLiteral("2"));  // not left
    r.box(d, "txtIdlePercent").setText(QStringLiteral("7"));
    r.child<QPushButton>(d, "cmdCancel").click();
    d.showFilled();
    QCOMPARE(r.slider(d, "SliderMaxCurrent").value(), position);
    QCOMPARE(d.runCurrentText(), shown);
    QCOMPARE(r.box(d, "txtIdlePercent").text(), QString::number(r.rig.cfg.settings().IdleCurrentPct));

    // The wizard's result lands in the editor's boxes the same way.
    EditMotor& e = r.edit();
    e.showFilled();
    const int gain = r.slider(e, "SliderGain").value();
    r.box(e, "Gain").setText(QStringLiteral("77"));
    e.setGainAndPhase(gain, -5);
    QCOMPARE(r.box(e, "Gain").text(), QString::number(gain));
    QCOMPARE(r.box(e, "Phase").text(), QStringLiteral("-5"));
    QCOMPARE(r.slider(e, "SliderPhase").value(), -5);
}

void TestMotorDialog::addMotorRecordSelectsInTheList_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("rated");
    QTest::newRow("existing") << "KV23-S083B" << 0 << "KV23-S083B" << "2.8";
    QTest::newRow("new") << "KV20-NEW" << 1 << "KV20-NEW" << "3.3";
    QTest::newRow("empty") << "" << 0 << "KV17-M062A" << "2";
}

void TestMotorDialog::addMotorRecordSelectsInTheList()
{
    QFETCH(QString, part);
    QFETCH(int, added);
    QFETCH(QString, selected);
    QFETCH(QString, rated);
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    MotorDialog& d = r.motor();
    QVERIFY(c.motors().seek(QStringLiteral("KV17-M062A")));
    d.showFilled();
    auto& list = r.child<QComboBox>(d, "MotorList");
    const int before = list.count();
    QCOMPARE(list.currentText(), QStringLiteral("KV17-M062A"));

    c.AddMotorRecord(SampleMotor(part, 3.3));

    QCOMPARE(list.count(), before + added);
    QCOMPARE(list.currentText(), selected);
    QCOMPARE(c.databaseMotor().partNumber, selected);
    QCOMPARE(r.child<QLabel>(d, "lblRatedCurrent").text(), rated);
    // The list is the database in key order.
    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown << list.itemText(i);
    QCOMPARE(shown, c.motors().partNumbers());
}

void TestMotorDialog::customMotorEditor()
{
    MotorDialogRig r;
    r.start();
    Configurator& c = r.rig.cfg;
    MotorDialog& d = r.motor();
    d.showFilled();
    QVERIFY(!r.child<QPushButton>(d, "DefineNewMotor").isEnabled());
    r.child<QRadioButton>(d, "optCustom").click();
    QVERIFY(!r.child<QComboBox>(d, "MotorList").isEnabled());
    r.child<QPushButton>(d, "DefineNewMotor").click();
    EditMotor& e = r.edit();
    QVERIFY(e.isVisible());
    QCOMPARE(r.box(e, "txtMaxVolts").text(), QStringLiteral("94"));  // 94.1176... on a whole-number slider

    r.child<QLineEdit>(e, "txtMotorName").setText(QString());
    QTest::keyClicks(&r.child<QLineEdit>(e, "txtMotorName"), QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    QCOMPARE(r.child<QLineEdit>(e, "txtMotorName").text(), QStringLiteral("ABCDEFGHIJKLM"));
    const int voltsAt = r.slider(e, "SliderMaxVolts").value();
    r.type(e, "txtMaxVolts", QStringLiteral("55"));
    QCOMPARE(r.slider(e, "SliderMaxVolts").value(), voltsAt);  // the slider stays
    r.type(e, "Gain", QStringLiteral("5000"));
    QCOMPARE(r.box(e, "Gain").text(), QStringLiteral("3000"));
    QCOMPARE(r.slider(e, "SliderGain").value(), 3000);
    r.type(e, "Phase", QStringLiteral("-200"));
    QCOMPARE(r.box(e, "Phase").text(), QStringLiteral("-128"));
    r.type(e, "txtRatedCurrent", QStringLiteral("8"));
    r.box(e, "txtRatedTorque").setText(QStringLiteral("50"));
    r.child<QComboBox>(e, "TorqueUnit").setCurrentIndex(3);
    r.child<QPushButton>(e, "cmdOK").click();
    QVERIFY(!e.isVisible());

    const Settings& s = c.settings();
    QCOMPARE(s.CustomMotorMaxVolts, 55.0);
    QCOMPARE(s.CustomHarmonicGain, 3000);
    QCOMPARE(s.CustomHarmonicPhase, -128);
    QCOMPARE(s.CustomMotorCurrent, 8.0);
    QCOMPARE(s.CustomMotorName, QStringLiteral("ABCDEFGHIJKLM"));
    QVERIFY(!s.UseCustomMotor);  // the motor dialog's OK decides that
    // The motor dialog shows the editor's motor, and its running current is
    // the rated current held at the drive's maximum.
    QCOMPARE(r.child<QLabel>(d, "OtherTorque").text(), QStringLiteral("50"));
    QCOMPARE(r.child<QLabel>(d, "OtherTorqueUnit").text(), QStringLiteral("kg cm"));
    QCOMPARE(r.child<QLabel>(d, "OtherCurrent").text(), QStringLiteral("8"));
    QCOMPARE(d.runCurrentText(), QStringLiteral("6.00"));
    r.child<QPushButton>(d, "cmdOK").click();
    QVERIFY(s.UseCustomMotor);
    QCOMPARE(s.RunCurrent, 6.0);
}

void TestMotorDialog::wizardButton_data()
{
    QTest::addColumn<float>("firmware");
    QTest::addColumn<QString>("revision");
    QTest::addColumn<bool>("opens");
    QTest::newRow("1.00j: refused") << 1.0f << "j" << false;
    QTest::newRow("1.00k") << 1.0f << "k" << true;
    QTest::newRow("1.03, any revision") << 1.03f << "" << true;
}

void TestMotorDialog::wizardButton()
{
    QFETCH(float, firmware);
    QFETCH(QString, revision);
    QFETCH(bool, opens);
    MotorDialogRig r;
    r.start();
    int wizards = 0;
    r.rig.main.hooks().showSmoothingWizard = [&] { ++wizards; };
    r.rig.cfg.state().FirmwareVersion = firmware;
    r.rig.cfg.state().MinorRev = revision;
    r.motor().showFilled();
    r.edit().showFilled();
    r.child<QPushButton>(r.edit(), "Wizard").click();
    QCOMPARE(wizards, opens ? 1 : 0);
    QCOMPARE(r.rig.prompt.messages.size(), opens ? 0 : 1);
    if (!opens) {
        QCOMPARE(r.rig.prompt.messages.first().title, QStringLiteral("KORV4 Configurator"));
        QCOMPARE(r.rig.prompt.messages.first().text,
                 QStringLiteral("You must have firmware version 1.00k or later to use the Waveform Smoothing Wizard."));
    }
    // What the wizard is given and gives back.
    QCOMPARE(r.rig.main.hooks().motorRunCurrentText(), r.motor().runCurrentText());
    r.rig.main.hooks().smoothingTuned(1200, -17);
    QCOMPARE(r.box(r.edit(), "Gain").text(), QStringLiteral("1200"));
    QCOMPARE(r.box(r.edit(), "Phase").text(), QStringLiteral("-17"));
}

void TestMotorDialog::namesAndTitles()
{
    MotorDialogRig r;
    r.start();
    r.rig.main.Motor_Click();
    QVERIFY(r.motor().isVisible());
    r.child<QPushButton>(r.motor(), "MoreOrLess").click();
    r.child<QRadioButton>(r.motor(), "optCustom").click();
    r.child<QPushButton>(r.motor(), "DefineNewMotor").click();
    QCOMPARE(r.motor().windowTitle(), QStringLiteral("Motor"));
    QCOMPARE(r.edit().windowTitle(), QStringLiteral("Define Custom Motor"));
    for (QWidget* dialog : {static_cast<QWidget*>(&r.motor()), static_cast<QWidget*>(&r.edit())}) {
        QList<QWidget*> controls;
        for (QAbstractButton* w : dialog->findChildren<QAbstractButton*>())
            controls << w;
        for (QLineEdit* w : dialog->findChildren<QLineEdit*>())
            if (!qobject_cast<QComboBox*>(w->parentWidget()))
                controls << w;
        for (QComboBox* w : dialog->findChildren<QComboBox*>())
            controls << w;
        for (QAbstractSlider* w : dialog->findChildren<QAbstractSlider*>())
            controls << w;
        QVERIFY(controls.size() > 10);
        for (QWidget* w : controls)
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(dialog->objectName() + ": " + w->objectName()));
    }
    // Help and Wiring open their pages and leave the dialog open.
    struct PageButton {
        QWidget* dialog;
        const char* button;
        const char* page;
        const char* anchor;
    };
    const PageButton pages[] = {{&r.motor(), "cmdHelp", "ConfigSoftware_Motor.html", ""},
                                {&r.motor(), "Wiring", "Connecting_the_Motor.html", ""},
                                {&r.edit(), "cmdHelp", "ConfigSoftware_Motor.html", "DefineMotor"}};
    for (const PageButton& p : pages) {
        r.child<QPushButton>(*p.dialog, p.button).click();
        QVERIFY(r.rig.main.helpScreen());
        const QUrl shown = r.rig.main.helpScreen()->browser()->source();
        QCOMPARE(shown.fileName(), QLatin1String(p.page));
        QCOMPARE(shown.fragment(), QLatin1String(p.anchor));
        QVERIFY(!r.rig.main.helpScreen()->browser()->toPlainText().contains(QStringLiteral("not found")));
        QVERIFY(p.dialog->isVisible());
    }
}

QTEST_MAIN(TestMotorDialog)
#include "tst_motordialog.moc"
