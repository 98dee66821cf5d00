#include "DriveTools.h"
#include "Harmonizer.h"
#include "LinkStack.h"
#include "MotorDialogRig.h"
#include "MemorySerialPort.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

// The wizard's window on the link, a simulated drive that keeps its
// harmonic gain, phase and control mode, and a custom-motor editor's
// gain and phase standing in as two numbers.
struct HarmonizerRig : LinkStack<MemorySerialPort> {
    SimulatedDrive drive{port};
    SimulatedTmx tmx{drive};
    QHash<QByteArray, QByteArray>& values = tmx.kept;
    Harmonizer window{link};
    int editorGain = 333;
    int editorPhase = 44;
    qsizetype seen = 0;

    explicit HarmonizerRig(bool openPort = true)
    {
        values = {{"HG", "1200"}, {"HP", "-12"}, {"CM", "7"}};
        window.runningCurrentText = [] { return QStringLiteral("3.2"); };
        window.tunedReady = [this](const SmoothingWizard::Tuned& t) {
            editorGain = t.gain.value_or(editorGain);
            editorPhase = t.phase.value_or(editorPhase);
        };
        if (!openPort)
            port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
        link.StartComm();
        prompt.clear();
    }
    QByteArray take()
    {
        const QByteArray got = drive.received.mid(seen);
        seen = drive.received.size();
        return got;
    }
    // The user drags the slider to the value and lets go.
    void drag(int to)
    {
        QSlider* s = window.paramSlider();
        s->setSliderDown(true);
        s->setSliderPosition(to);
        s->setSliderDown(false);
    }
};

}  // namespace

class TestHarmonizer : public QObject {
    Q_OBJECT
private slots:
    void fullRunThroughTheWindow();
    void closeBoxAndEscapeActAsCancel_data();
    void closeBoxAndEscapeActAsCancel();
    void noPort();
    void fromTheCustomMotorEditor_data();
    void fromTheCustomMotorEditor();
};

void TestHarmonizer::fullRunThroughTheWindow()
{
    HarmonizerRig rig;
    Harmonizer& w = rig.window;
    w.showWizard();
    QVERIFY(w.isVisible());
    QVERIFY(w.isModal());
    QCOMPARE(w.windowTitle(), QStringLiteral("Waveform Smoothing Wizard"));
    QCOMPARE(rig.take(), QByteArray("HR\rPR1\rHG\rHP\rCM\rCM21\r"));
    QVERIFY(w.startButton()->isEnabled());
    QVERIFY(!w.nextDoneButton()->isEnabled());
    QVERIFY(!w.paramSlider()->isEnabled());
    QVERIFY(!w.sliderFrame()->isEnabled());
    for (QWidget* c : w.findChildren<QWidget*>())
        if (qobject_cast<QPushButton*>(c) || qobject_cast<QSlider*>(c))
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));

    w.startButton()->click();
    QCOMPARE(rig.take(), QByteArray("CC3.2\rCM10\rJS1.00\rCJ\r"));
    QVERIFY(w.rpsLabel()->isVisibleTo(&w));
    QCOMPARE(w.lblParam()->text(), QStringLiteral("1.00"));
    QCOMPARE(w.paramSlider()->maximum(), 500);
    QCOMPARE(w.paramSlider()->value(), 100);

    // A drag sends every position, its end once more as the change.
    QSlider* slider = w.paramSlider();
    slider->setSliderDown(true);
    slider->setSliderPosition(90);
    slider->setSliderPosition(75);
    slider->setSliderDown(false);
    QCOMPARE(rig.take(), QByteArray("CS0.90\rCS0.75\rCS0.75\r"));
    QCOMPARE(w.lblParam()->text(), QStringLiteral("0.75"));
    // A key moves it by its small step.
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(rig.take(), QByteArray("CS0.76\r"));

    w.nextDoneButton()->click();
    QCOMPARE(rig.take(), QByteArray("HG1200\r"));
    QCOMPARE(w.sliderFrame()->title(), QStringLiteral("Harmonic Gain"));
    QCOMPARE(slider->maximum(), 3000);
    QCOMPARE(slider->pageStep(), 100);
    QCOMPARE(slider->value(), 1200);
    QVERIFY(!w.rpsLabel()->isVisibleTo(&w));
    rig.drag(2000);
    QCOMPARE(rig.take(), QByteArray("HG2000\rHG2000\r"));
    QCOMPARE(w.wizard().gain(), 2000);

    // The phase slider's range would clamp 2000 to 128: never sent.
    w.nextDoneButton()->click();
    QCOMPARE(rig.take(), QByteArray("HP-12\r"));
    QCOMPARE(slider->minimum(), -128);
    QCOMPARE(slider->value(), -12);
    QCOMPARE(w.nextDoneButton()->text(), QStringLiteral("Done"));
    QCOMPARE(w.nextDoneButton()->accessibleName(), QStringLiteral("Done"));
    QTest::keyClick(slider, Qt::Key_PageDown);
    QCOMPARE(rig.take(), QByteArray("HP-22\r"));
    QCOMPARE(w.lblParam()->text(), QStringLiteral("-22"));

    w.nextDoneButton()->click();
    QCOMPARE(rig.take(), QByteArray("SJ\rCM7\rQT\r"));
    QVERIFY(!w.isVisible());
    QCOMPARE(rig.editorGain, 2000);
    QCOMPARE(rig.editorPhase, -22);
    QCOMPARE(rig.prompt.messages.size(), 1);
    QVERIFY(rig.prompt.messages.front().text.startsWith("Don't forget to download"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    QCOMPARE(rig.values.value("HG"), QByteArray("2000"));
    QCOMPARE(rig.values.value("HP"), QByteArray("-22"));
    QCOMPARE(rig.values.value("CM"), QByteArray("7"));

    // Opened again: the first step, with the drive's values read anew.
    w.showWizard();
    QCOMPARE(rig.take(), QByteArray("HR\rPR1\rHG\rHP\rCM\rCM21\r"));
    QCOMPARE(w.nextDoneButton()->text(), QStringLiteral("Next"));
    QCOMPARE(w.sliderFrame()->title(), QStringLiteral("Motor Speed"));
    QVERIFY(w.lblParam()->text().isEmpty());
    w.cancelButton()->click();
}

void TestHarmonizer::closeBoxAndEscapeActAsCancel_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addColumn<int>("nexts");
    QTest::newRow("close box, speed") << false << 0;
    QTest::newRow("close box, gain") << false << 1;
    QTest::newRow("Escape, phase") << true << 2;
}

void TestHarmonizer::closeBoxAndEscapeActAsCancel()
{
    QFETCH(bool, escape);
    QFETCH(int, nexts);
    HarmonizerRig rig;
    Harmonizer& w = rig.window;
    w.showWizard();
    w.startButton()->click();
    for (int i = 0; i < nexts; ++i)
        w.nextDoneButton()->click();
    rig.drag(50);
    rig.take();
    if (escape)
        QTest::keyClick(&w, Qt::Key_Escape);
    else
        QVERIFY(w.close());
    QCOMPARE(rig.take(), QByteArray("SJ\rCM7\rQT\r"));
    QVERIFY(!w.isVisible());
    QVERIFY(!rig.cfg.state().TerminalMode);
    QCOMPARE(rig.editorGain, 333);
    QCOMPARE(rig.editorPhase, 44);
    QVERIFY(rig.prompt.messages.isEmpty());
    // The Cancel button of a hidden, ended wizard sends nothing more.
    w.cancelButton()->click();
    QCOMPARE(rig.take(), QByteArray());
}

void TestHarmonizer::noPort()
{
    HarmonizerRig rig(false);
    rig.window.showWizard();
    QVERIFY(!rig.window.isVisible());
    QCOMPARE(rig.prompt.messages.size(), 1);
    QVERIFY(rig.prompt.messages.front().text.contains("no comm port open"));
    QCOMPARE(rig.port.sent, QByteArray());
    QVERIFY(!rig.cfg.state().TerminalMode);
}

void TestHarmonizer::fromTheCustomMotorEditor_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("gain");
    QTest::addColumn<QString>("phase");
    QTest::newRow("drive answers") << false << "1500" << "-12";
    // Nothing read: the gain the user set goes in, the phase stays.
    QTest::newRow("silent drive") << true << "1500" << "10";
}

void TestHarmonizer::fromTheCustomMotorEditor()
{
    QFETCH(bool, silent);
    QFETCH(QString, gain);
    QFETCH(QString, phase);
    BasicMotorDialogRig<PortedRig> r;
    SimulatedDrive drive(r.rig.port);
    DriveTools tools(r.rig.link, r.rig.queries, r.rig.main);
    r.start();
    QVERIFY(r.rig.port.isOpen());
    SimulatedTmx tmx(drive);
    tmx.kept = {{"HG", "1200"}, {"HP", "-12"}, {"CM", "7"}};
    if (silent)
        tmx.unanswered = {"HG", "HP", "CM"};
    r.rig.main.Motor_Click();
    r.child<QPushButton>(r.motor(), "MoreOrLess").click();
    r.child<QRadioButton>(r.motor(), "optCustom").click();
    r.child<QPushButton>(r.motor(), "DefineNewMotor").click();
    r.type(r.edit(), "Gain", QStringLiteral("500"));
    r.type(r.edit(), "Phase", QStringLiteral("10"));
    const qsizetype before = drive.received.size();
    const int storedGain = r.rig.cfg.settings().CustomHarmonicGain;

    r.child<QPushButton>(r.edit(), "Wizard").click();
    Harmonizer& w = tools.harmonizer();
    QVERIFY(w.isVisible());
    w.startButton()->click();
    QVERIFY(drive.received.mid(before).contains("CC" + r.motor().runCurrentText().toLatin1() + "\rCM10\r"));
    w.nextDoneButton()->click();
    w.paramSlider()->setValue(1500);
    w.nextDoneButton()->click();
    w.nextDoneButton()->click();
    QVERIFY(!w.isVisible());
    QVERIFY(drive.received.endsWith(silent ? "SJ\rCM21\rQT\r" : "SJ\rCM7\rQT\r"));
    QCOMPARE(r.box(r.edit(), "Gain").text(), gain);
    QCOMPARE(r.box(r.edit(), "Phase").text(), phase);
    QCOMPARE(r.slider(r.edit(), "SliderGain").value(), gain.toInt());
    // The settings take them only at the editor's OK.
    QCOMPARE(r.rig.cfg.settings().CustomHarmonicGain, storedGain);
}

QTEST_MAIN(TestHarmonizer)
#include "tst_harmonizer.moc"
