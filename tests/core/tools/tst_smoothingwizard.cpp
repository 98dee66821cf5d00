#include "DeviceSerialPort.h"
#include "LinkStack.h"
#include "MemorySerialPort.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "NestingCount.h"
#include "SmoothingWizard.h"
#include "TmxReplyValue.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<qint64>)

namespace {

using Step = SmoothingWizard::Step;

using CountingWizard = NestingCount<SmoothingWizard>;

template <typename Port, typename Wizard = SmoothingWizard>
struct WizardRigOf : LinkStack<Port> {
    using LinkStack<Port>::link;
    Wizard wizard{link};
    QList<SmoothingWizard::Tuned> tuned;
    int ended = 0;

    void wire(SimulatedTmx& tmx)
    {
        // The drive's gain, phase and control mode before the wizard.
        tmx.kept = {{"HG", "1200"}, {"HP", "-12"}, {"CM", "7"}};
        QObject::connect(&wizard, &SmoothingWizard::tunedReady, [this](const SmoothingWizard::Tuned& t) { tuned << t; });
        QObject::connect(&wizard, &SmoothingWizard::ended, [this] { ++ended; });
    }
};

struct WizardRig : WizardRigOf<MemorySerialPort> {
    SimulatedDrive drive{port};
    SimulatedTmx tmx{drive};
    explicit WizardRig(bool openPort = true)
    {
        wire(tmx);
        if (openPort)
            link.StartComm();
        prompt.clear();
    }
    // What the drive got since the last call (the in-memory port hands it
    // over at once).
    QByteArray take()
    {
        const QByteArray got = drive.received.mid(seen);
        seen = drive.received.size();
        return got;
    }
    qsizetype seen = 0;
};

template <typename Wizard = SmoothingWizard>
struct PtyWizardRigOf : WizardRigOf<DeviceSerialPort, Wizard> {
    using WizardRigOf<DeviceSerialPort, Wizard>::link;
    SimulatedDrive drive;
    SimulatedTmx tmx{drive};
    PtyWizardRigOf()
    {
        qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
        this->wire(tmx);
        link.StartComm();
    }
};
using PtyWizardRig = PtyWizardRigOf<>;

// The wizard over a pseudo-terminal whose drive sends every byte on its own
// at the 9600-baud rate, and notes when each command reached it.
struct PacedWizardRig : PtyWizardRigOf<CountingWizard> {
    QElapsedTimer clock;
    qint64 lastCommandMs = 0;
    // Called with each command the drive takes, before it answers.
    std::function<void(const QByteArray&)> onCommand;
    PacedWizardRig()
    {
        drive.lineBytesPerSecond = 960;
        clock.start();
        auto answer = drive.textCommandHandler;
        drive.textCommandHandler = [this, answer](const QByteArray& line) {
            lastCommandMs = clock.elapsed();
            if (onCommand)
                onCommand(line);
            return answer(line);
        };
    }
    // No command for this long: the wizard has nothing more to say.
    bool quietFor(qint64 ms) const { return clock.elapsed() - lastCommandMs >= ms; }
};

// The wizard's reads; left unanswered, the drive is silent.
const QSet<QByteArray> kReads{"HG", "HP", "CM"};

const QByteArray kActivation = "HR\rPR1\rHG\rHP\rCM\rCM21\r";

// A whole run: speed 0.75, gain 1500, phase -20, Done.
template <typename Rig>
void RunWizard(Rig& rig)
{
    QVERIFY(rig.wizard.PortReady());
    rig.wizard.Activate();
    QVERIFY(rig.wizard.view().startEnabled);
    rig.wizard.Start(QStringLiteral("2.5"));
    rig.wizard.SliderChange(75);
    QVERIFY(!rig.wizard.NextDone());
    rig.wizard.SliderScroll(1400);
    rig.wizard.SliderChange(1500);
    QVERIFY(!rig.wizard.NextDone());
    rig.wizard.SliderChange(-20);
    QVERIFY(rig.wizard.NextDone());
}

const QByteArray kFullRun = kActivation + "CC2.5\rCM10\rJS1.00\rCJ\rCS0.75\r"
                            "HG1200\rHG1400\rHG1500\r"
                            "HP-12\rHP-20\r"
                            "SJ\rCM7\rQT\r";

}  // namespace

class TestSmoothingWizard : public QObject {
    Q_OBJECT
private slots:
    void replyValue_data();
    void replyValue();
    void sliderCommands_data();
    void sliderCommands();
    void fullRun();
    void fullRunOverPseudoTerminal();
    void stepsShowTheirSlider();
    void gainToPhaseSendsOnlyThePhase();
    void programSetSliderSendsOnlyChanges();
    void valuesOutsideTheSliderGoToItsEnd();
    void silentDrive();
    void controlModeOutOfRangeCountsAsNone();
    void cancelInEveryState_data();
    void cancelInEveryState();
    void noPortSendsNothing();
    void powerUpWhileRunning();
    void greetingBurstOverPacedLine();
    void cancelDuringAReadEndsTheTalk_data();
    void cancelDuringAReadEndsTheTalk();
    void scrollDoesNotStore();
    void cancelAndReopenInsideAWait_data();
    void cancelAndReopenInsideAWait();
};

void TestSmoothingWizard::replyValue_data()
{
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<qint64>("min");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<std::optional<qint64>>("value");
    const qint64 i32min = INT32_MIN, i32max = INT32_MAX, i16min = INT16_MIN, i16max = INT16_MAX;
    const std::optional<qint64> none;
    QTest::newRow("gain") << QByteArray("HG=1200\r") << i32min << i32max << std::optional<qint64>(1200);
    QTest::newRow("empty value is 0") << QByteArray("HG=\r") << i32min << i32max << std::optional<qint64>(0);
    QTest::newRow("no number is 0") << QByteArray("HG=abc\r") << i32min << i32max << std::optional<qint64>(0);
    QTest::newRow("no =") << QByteArray("HG1200\r") << i32min << i32max << none;
    QTest::newRow("no CR after =") << QByteArray("\rHG=1200") << i32min << i32max << none;
    QTest::newRow("nothing") << QByteArray() << i32min << i32max << none;
    QTest::newRow("negative") << QByteArray("HP=-12\r") << i32min << i32max << std::optional<qint64>(-12);
    QTest::newRow("echo and noise before") << QByteArray("HP\r\nHP=7\r") << i32min << i32max
                                           << std::optional<qint64>(7);
    QTest::newRow("first reply counts") << QByteArray("HG=7\rHP=9\r") << i32min << i32max
                                        << std::optional<qint64>(7);
    QTest::newRow("number then text") << QByteArray("HG=12 units\r") << i32min << i32max
                                      << std::optional<qint64>(12);
    QTest::newRow("half to even, down") << QByteArray("HG=12.5\r") << i32min << i32max
                                        << std::optional<qint64>(12);
    QTest::newRow("half to even, up") << QByteArray("HG=13.5\r") << i32min << i32max << std::optional<qint64>(14);
    QTest::newRow("mode at the top") << QByteArray("CM=32767\r") << i16min << i16max
                                     << std::optional<qint64>(32767);
    QTest::newRow("mode rounds into range") << QByteArray("CM=32767.4\r") << i16min << i16max
                                            << std::optional<qint64>(32767);
    QTest::newRow("mode past the top") << QByteArray("CM=32768\r") << i16min << i16max << none;
    QTest::newRow("mode rounds past the top") << QByteArray("CM=32767.6\r") << i16min << i16max << none;
    QTest::newRow("mode at the bottom") << QByteArray("CM=-32768\r") << i16min << i16max
                                        << std::optional<qint64>(-32768);
    QTest::newRow("mode past the bottom") << QByteArray("CM=-32769\r") << i16min << i16max << none;
    QTest::newRow("gain past 32 bits") << QByteArray("HG=2147483648\r") << i32min << i32max << none;
    QTest::newRow("gain far past") << QByteArray("HG=1e30\r") << i32min << i32max << none;
    QTest::newRow("gain past the doubles") << QByteArray("HG=-1e999\r") << i32min << i32max << none;
}

void TestSmoothingWizard::replyValue()
{
    QFETCH(QByteArray, received);
    QFETCH(qint64, min);
    QFETCH(qint64, max);
    QFETCH(std::optional<qint64>, value);
    QCOMPARE(TmxReplyValue(received, min, max), value);
}

void TestSmoothingWizard::sliderCommands_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("speed 75") << int(Step::Speed) << 75 << "0.75" << QByteArray("CS0.75\r");
    QTest::newRow("speed 0") << int(Step::Speed) << 0 << "0.00" << QByteArray("CS0.00\r");
    QTest::newRow("speed 500") << int(Step::Speed) << 500 << "5.00" << QByteArray("CS5.00\r");
    QTest::newRow("gain") << int(Step::Gain) << 1200 << "1200" << QByteArray("HG1200\r");
    QTest::newRow("phase negative") << int(Step::Phase) << -12 << "-12" << QByteArray("HP-12\r");
    QTest::newRow("phase 0") << int(Step::Phase) << 0 << "0" << QByteArray("HP0\r");
    QTest::newRow("no step") << int(Step::None) << 5 << "5" << QByteArray();
}

void TestSmoothingWizard::sliderCommands()
{
    QFETCH(int, step);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(QByteArray, command);
    QCOMPARE(SmoothingWizard::ParamText(Step(step), value), shown);
    QCOMPARE(SmoothingWizard::SliderCommand(Step(step), value), command);
}

void TestSmoothingWizard::fullRun()
{
    WizardRig rig;
    RunWizard(rig);
    QCOMPARE(rig.take(), kFullRun);
    QCOMPARE(rig.tuned.size(), 1);
    QCOMPARE(rig.tuned.front().gain, std::optional<int>(1500));
    QCOMPARE(rig.tuned.front().phase, std::optional<int>(-20));
    QCOMPARE(rig.ended, 1);
    QCOMPARE(rig.prompt.messages.size(), 1);
    QCOMPARE(rig.prompt.messages.front().text,
             QStringLiteral("Don't forget to download the new settings to the drive to make them permanent."));
    QCOMPARE(rig.prompt.messages.front().title, Configurator::ProgramTitle());
    QVERIFY(!rig.cfg.state().TerminalMode);
    QVERIFY(rig.link.terminalTool() == nullptr);
    QCOMPARE(rig.port.RThreshold(), 1);
    QCOMPARE(rig.tmx.kept.value("CM"), QByteArray("7"));
    QVERIFY(!rig.wizard.running());

    // Shown again: the drive's values (as the run left them) are read anew.
    rig.wizard.Activate();
    QCOMPARE(rig.take(), kActivation);
    QCOMPARE(rig.wizard.gain(), 1500);
    QCOMPARE(rig.wizard.phase(), -20);
    QVERIFY(rig.cfg.state().TerminalMode);
    QCOMPARE(rig.wizard.view().nextCaption, QStringLiteral("Next"));
    QVERIFY(!rig.wizard.view().sliderEnabled);
}

void TestSmoothingWizard::fullRunOverPseudoTerminal()
{
    PtyWizardRig rig;
    QVERIFY(rig.drive.isPresent());
    QCOMPARE(rig.port.portNumber(), 1);
    RunWizard(rig);
    QTRY_COMPARE_WITH_TIMEOUT(rig.drive.received, kFullRun, 2000);
    QCOMPARE(rig.tuned.size(), 1);
    QCOMPARE(rig.tuned.front().gain, std::optional<int>(1500));
    QCOMPARE(rig.tuned.front().phase, std::optional<int>(-20));
    QCOMPARE(rig.wizard.savedControlMode(), std::int16_t(7));
    QVERIFY(!rig.cfg.state().TerminalMode);
}

void TestSmoothingWizard::stepsShowTheirSlider()
{
    WizardRig rig;
    rig.wizard.Activate();
    const SmoothingWizard::View& v = rig.wizard.view();
    QVERIFY(v.startEnabled && !v.nextEnabled && !v.sliderEnabled && !v.frameEnabled && !v.rpsShown);
    QCOMPARE(v.frameCaption, QStringLiteral("Motor Speed"));
    QVERIFY(v.instructions.startsWith("This wizard will help you adjust the harmonic gain and phase"));

    rig.wizard.Start(QStringLiteral("1"));
    QVERIFY(!v.startEnabled && v.nextEnabled && v.sliderEnabled && v.frameEnabled && v.rpsShown);
    QCOMPARE(v.slider.minimum, 0);
    QCOMPARE(v.slider.maximum, 500);
    QCOMPARE(v.slider.largeChange, 25);
    QCOMPARE(v.sliderValue, 100);
    QCOMPARE(v.param, QStringLiteral("1.00"));
    QVERIFY(v.instructions.startsWith("Move the slider until you find the speed"));

    rig.wizard.NextDone();
    QCOMPARE(v.frameCaption, QStringLiteral("Harmonic Gain"));
    QCOMPARE(v.slider.maximum, 3000);
    QCOMPARE(v.slider.smallChange, 10);
    QCOMPARE(v.sliderValue, 1200);
    QCOMPARE(v.param, QStringLiteral("1200"));
    QVERIFY(!v.rpsShown);
    QCOMPARE(v.nextCaption, QStringLiteral("Next"));
    QCOMPARE(v.instructions, QStringLiteral("Find the best harmonic gain setting, then press NEXT."));

    rig.wizard.NextDone();
    QCOMPARE(v.frameCaption, QStringLiteral("Harmonic Phase"));
    QCOMPARE(v.slider.minimum, -128);
    QCOMPARE(v.slider.tickSpacing, 16);
    QCOMPARE(v.sliderValue, -12);
    QCOMPARE(v.nextCaption, QStringLiteral("Done"));
    QCOMPARE(v.instructions, QStringLiteral("Find the best phase setting, then press DONE."));
}

void TestSmoothingWizard::gainToPhaseSendsOnlyThePhase()
{
    WizardRig rig;
    rig.wizard.Activate();
    rig.wizard.Start(QStringLiteral("1"));
    rig.wizard.NextDone();
    rig.wizard.SliderChange(2000);
    rig.take();
    rig.wizard.NextDone();
    // The gain slider held 2000; the phase slider's range would clamp that
    // to 128, which is never sent: only the phase the drive gave.
    QCOMPARE(rig.take(), QByteArray("HP-12\r"));
    QCOMPARE(rig.tmx.kept.value("HP"), QByteArray("-12"));
    QCOMPARE(rig.tmx.kept.value("HG"), QByteArray("2000"));
    // Speed to gain likewise sends the gain alone.
    WizardRig second;
    second.wizard.Activate();
    second.wizard.Start(QStringLiteral("1"));
    second.take();
    second.wizard.NextDone();
    QCOMPARE(second.take(), QByteArray("HG1200\r"));
}

void TestSmoothingWizard::programSetSliderSendsOnlyChanges()
{
    WizardRig rig;
    rig.tmx.kept["HG"] = "100";
    rig.wizard.Activate();
    rig.wizard.Start(QStringLiteral("1"));
    rig.take();
    // The speed slider held 100, the gain is 100: the slider does not move.
    rig.wizard.NextDone();
    QCOMPARE(rig.take(), QByteArray());
    rig.wizard.NextDone();
    QCOMPARE(rig.take(), QByteArray("HP-12\r"));
    QVERIFY(rig.wizard.NextDone());
    // The next run finds the phase on the slider: the start speed moves it.
    rig.wizard.Activate();
    rig.take();
    rig.wizard.Start(QStringLiteral("1"));
    QCOMPARE(rig.take(), QByteArray("CS1.00\rCC1\rCM10\rJS1.00\rCJ\r"));
}

void TestSmoothingWizard::valuesOutsideTheSliderGoToItsEnd()
{
    WizardRig rig;
    rig.tmx.kept["HG"] = "5000";
    rig.tmx.kept["HP"] = "-300";
    rig.wizard.Activate();
    QCOMPARE(rig.wizard.gain(), 5000);
    rig.wizard.Start(QStringLiteral("1"));
    rig.take();
    rig.wizard.NextDone();
    QCOMPARE(rig.wizard.view().sliderValue, 3000);
    QCOMPARE(rig.take(), QByteArray("HG3000\r"));
    rig.wizard.NextDone();
    QCOMPARE(rig.wizard.view().sliderValue, -128);
    QCOMPARE(rig.take(), QByteArray("HP-128\r"));
    rig.wizard.NextDone();
    QCOMPARE(rig.tuned.front().gain, std::optional<int>(3000));
    QCOMPARE(rig.tuned.front().phase, std::optional<int>(-128));
}

void TestSmoothingWizard::silentDrive()
{
    WizardRig rig;
    rig.tmx.unanswered = kReads;
    rig.wizard.Activate();
    QCOMPARE(rig.wizard.savedControlMode(), std::int16_t(21));
    QCOMPARE(rig.wizard.gain(), 0);
    QCOMPARE(rig.wizard.phase(), 0);
    QVERIFY(rig.wizard.view().startEnabled);
    QVERIFY(rig.prompt.messages.isEmpty());
    rig.wizard.Start(QStringLiteral("1"));
    rig.wizard.NextDone();
    rig.wizard.NextDone();
    rig.take();
    QVERIFY(rig.wizard.NextDone());
    QCOMPARE(rig.take(), QByteArray("SJ\rCM21\rQT\r"));
    // Nothing was read or set: the holder keeps its own gain and phase.
    QCOMPARE(rig.tuned.size(), 1);
    QVERIFY(!rig.tuned.front().gain);
    QVERIFY(!rig.tuned.front().phase);

    // A value the user set counts even when the drive said nothing.
    rig.wizard.Activate();
    rig.wizard.Start(QStringLiteral("1"));
    rig.wizard.NextDone();
    rig.wizard.SliderChange(900);
    rig.wizard.NextDone();
    rig.wizard.NextDone();
    QCOMPARE(rig.tuned.back().gain, std::optional<int>(900));
    QVERIFY(!rig.tuned.back().phase);

    // An earlier run's values stay when the drive is silent.
    rig.tmx.unanswered.clear();
    rig.tmx.kept["HP"] = "-12";
    rig.wizard.Activate();
    rig.tmx.unanswered = kReads;
    rig.wizard.Cancel();
    QCOMPARE(rig.wizard.gain(), 900);
    rig.wizard.Activate();
    QCOMPARE(rig.wizard.gain(), 900);
    QCOMPARE(rig.wizard.phase(), -12);
}

void TestSmoothingWizard::controlModeOutOfRangeCountsAsNone()
{
    WizardRig rig;
    rig.tmx.kept["CM"] = "40000";
    rig.wizard.Activate();
    QCOMPARE(rig.wizard.savedControlMode(), std::int16_t(21));
    rig.take();
    rig.wizard.Cancel();
    QCOMPARE(rig.take(), QByteArray("SJ\rCM21\rQT\r"));
}

void TestSmoothingWizard::cancelInEveryState_data()
{
    QTest::addColumn<int>("nexts");  // -1: before Start
    QTest::newRow("ready") << -1;
    QTest::newRow("speed") << 0;
    QTest::newRow("gain") << 1;
    QTest::newRow("phase") << 2;
}

void TestSmoothingWizard::cancelInEveryState()
{
    QFETCH(int, nexts);
    WizardRig rig;
    rig.wizard.Activate();
    if (nexts >= 0)
        rig.wizard.Start(QStringLiteral("1"));
    for (int i = 0; i < nexts; ++i)
        rig.wizard.NextDone();
    rig.take();
    rig.wizard.Cancel();
    QCOMPARE(rig.take(), QByteArray("SJ\rCM7\rQT\r"));
    QCOMPARE(rig.ended, 1);
    QVERIFY(rig.tuned.isEmpty());
    QVERIFY(rig.prompt.messages.isEmpty());
    QVERIFY(!rig.cfg.state().TerminalMode);
    QCOMPARE(rig.wizard.step(), Step::None);
    // Nothing more reaches the drive from the ended wizard.
    rig.wizard.SliderChange(50);
    QVERIFY(!rig.wizard.NextDone());
    rig.wizard.Start(QStringLiteral("1"));
    QCOMPARE(rig.take(), QByteArray());
}

void TestSmoothingWizard::noPortSendsNothing()
{
    WizardRig rig(false);
    QVERIFY(!rig.wizard.PortReady());
    QCOMPARE(rig.prompt.messages.size(), 1);
    QCOMPARE(rig.prompt.messages.front().text,
             QStringLiteral("Cannot run the Waveform Smoothing Wizard: there is no comm port open."));
    rig.wizard.Activate();
    rig.wizard.Start(QStringLiteral("1"));
    rig.wizard.Cancel();
    QCOMPARE(rig.port.sent, QByteArray());
    QVERIFY(!rig.cfg.state().TerminalMode);
    QVERIFY(rig.tuned.isEmpty());
}

void TestSmoothingWizard::powerUpWhileRunning()
{
    WizardRig rig;
    rig.wizard.Activate();
    rig.wizard.Start(QStringLiteral("1"));
    rig.wizard.SliderChange(80);
    rig.take();
    rig.tmx.kept["HG"] = "700";
    rig.tmx.kept["HP"] = "5";
    rig.drive.send("xy");
    rig.drive.sendGreeting(4, 41);
    QTRY_COMPARE(rig.tmx.greetingAnswers, 1);
    QTRY_COMPARE(rig.wizard.phase(), 5);
    QCOMPARE(rig.wizard.gain(), 700);
    QCOMPARE(rig.take(), QByteArray("00PR1\rHG\rHP\r"));
    // The step and the slider stay; the jog is not started again.
    QCOMPARE(rig.wizard.step(), Step::Speed);
    QCOMPARE(rig.wizard.view().sliderValue, 80);
    QCOMPARE(rig.port.RThreshold(), 1);
    rig.wizard.NextDone();
    QCOMPARE(rig.take(), QByteArray("HG700\r"));
}

void TestSmoothingWizard::greetingBurstOverPacedLine()
{
    // Greetings back to back at the line rate, each arriving while the
    // wizard still pauses and reads after the one before. The ones that
    // arrive meanwhile wait until it is done, and of them only the newest
    // is answered: the handling never nests, and the wizard falls quiet
    // soon after the burst.
    PacedWizardRig rig;
    QVERIFY(rig.drive.isPresent());
    rig.wizard.Activate();
    QVERIFY(rig.wizard.view().startEnabled);
    rig.wizard.Start(QStringLiteral("1"));
    constexpr int Greetings = 600;  // about 1.9 s of line
    for (int i = 0; i < Greetings; ++i)
        rig.tmx.powerUp(4, 41);
    QTRY_COMPARE_WITH_TIMEOUT(rig.drive.lineBacklog(), qsizetype(0), 10000);
    QElapsedTimer sinceBurst;
    sinceBurst.start();
    QTRY_VERIFY_WITH_TIMEOUT(rig.quietFor(1000), 5000);
    QVERIFY2(sinceBurst.elapsed() < 5000, qPrintable(QString::number(sinceBurst.elapsed())));

    QCOMPARE(rig.wizard.deepest, 1);
    QVERIFY(rig.tmx.greetingAnswers >= 1);
    QVERIFY2(rig.tmx.greetingAnswers < Greetings / 20, qPrintable(QString::number(rig.tmx.greetingAnswers)));
    // Each answered greeting was answered whole: "00", "PR1", the two reads.
    QCOMPARE(rig.tmx.commands.count("PR1"), 1 + rig.tmx.greetingAnswers);
    QCOMPARE(rig.tmx.commands.count("HP"), 1 + rig.tmx.greetingAnswers);
    QVERIFY(rig.wizard.running());
    QCOMPARE(rig.wizard.step(), Step::Speed);
    QCOMPARE(rig.port.RThreshold(), 1);
    rig.tmx.commands.clear();
    rig.wizard.Cancel();
    QTRY_COMPARE_WITH_TIMEOUT(rig.tmx.commands, (QList<QByteArray>{"SJ", "CM7", "QT"}), 2000);
}

void TestSmoothingWizard::cancelDuringAReadEndsTheTalk_data()
{
    QTest::addColumn<bool>("powerUp");
    QTest::addColumn<QList<QByteArray>>("after");  // the commands from the HG read on
    // Before the control mode was read: it is left alone.
    QTest::newRow("activation") << false << QList<QByteArray>{"HG", "SJ", "QT"};
    // The drive's power-up, after the mode was saved: it is put back.
    QTest::newRow("power-up") << true << QList<QByteArray>{"HG", "SJ", "CM7", "QT"};
}

void TestSmoothingWizard::cancelDuringAReadEndsTheTalk()
{
    // Cancel comes (as the close box would) while the wizard reads "HG":
    // the leave step goes out, and after its "QT" nothing more.
    QFETCH(bool, powerUp);
    QFETCH(QList<QByteArray>, after);
    PacedWizardRig rig;
    QVERIFY(rig.drive.isPresent());
    bool armed = !powerUp;
    rig.onCommand = [&](const QByteArray& line) {
        if (armed && line.endsWith("HG")) {
            armed = false;
            QTimer::singleShot(100, &rig.wizard, [&] { rig.wizard.Cancel(); });
        }
    };
    rig.wizard.Activate();
    if (powerUp) {
        QVERIFY(rig.wizard.view().startEnabled);
        rig.wizard.Start(QStringLiteral("1"));
        armed = true;
        rig.tmx.powerUp(4, 41);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!rig.wizard.running(), 3000);
    QTest::qWait(800);  // the HP and CM reads would have gone out by now
    const qsizetype hg = rig.tmx.commands.lastIndexOf("HG");
    QVERIFY(hg >= 0);
    QCOMPARE(rig.tmx.commands.mid(hg), after);
    QCOMPARE(rig.tmx.kept.value("CM"), QByteArray("7"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    QCOMPARE(rig.port.RThreshold(), 1);
    QCOMPARE(rig.ended, 1);
}

void TestSmoothingWizard::scrollDoesNotStore()
{
    WizardRig rig;
    rig.wizard.Activate();
    rig.wizard.Start(QStringLiteral("1"));
    rig.wizard.NextDone();
    rig.take();
    rig.wizard.SliderScroll(2500);
    QCOMPARE(rig.take(), QByteArray("HG2500\r"));
    QCOMPARE(rig.wizard.view().param, QStringLiteral("2500"));
    QCOMPARE(rig.wizard.gain(), 1200);
    rig.wizard.SliderChange(2600);
    QCOMPARE(rig.wizard.gain(), 2600);
}

void TestSmoothingWizard::cancelAndReopenInsideAWait_data()
{
    QTest::addColumn<bool>("powerUp");
    QTest::addColumn<QByteArray>("before");  // what the first run sent up to its wait
    QTest::addColumn<QByteArray>("cancel");  // what its Cancel sends
    // The pause between "HR" and "PR1" as the window opens: the mode is not
    // saved yet, so the Cancel leaves it alone.
    QTest::newRow("opening") << false << QByteArray("HR\r") << QByteArray("SJ\rQT\r");
    // The pause after a power-up's "00" and "PR1", while jogging.
    QTest::newRow("power-up") << true << QByteArray("00PR1\r") << QByteArray("SJ\rCM7\rQT\r");
}

void TestSmoothingWizard::cancelAndReopenInsideAWait()
{
    // The user cancels the wizard and opens it again while one of its steps
    // still waits. The new opening is a run of its own; the step of the
    // ended run that was waiting sends nothing more when its wait ends: no
    // second "PR1", no second round of reads.
    QFETCH(bool, powerUp);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, cancel);
    WizardRig rig;
    const auto cancelAndReopen = [&] {
        QTimer::singleShot(20, &rig.wizard, [&] {
            rig.wizard.Cancel();
            rig.wizard.Activate();
        });
    };
    if (powerUp) {
        rig.wizard.Activate();
        rig.wizard.Start(QStringLiteral("1"));
        rig.take();
        auto answer = rig.drive.textCommandHandler;
        rig.drive.textCommandHandler = [&, answer](const QByteArray& line) {
            if (line.endsWith("PR1") && rig.tmx.greetingAnswers == 0)
                cancelAndReopen();
            return answer(line);
        };
        rig.tmx.powerUp(4, 41);
        QTRY_COMPARE(rig.tmx.greetingAnswers, 1);
    } else {
        cancelAndReopen();
        rig.wizard.Activate();
    }
    // Time for whatever the ended run would still have sent.
    QTest::qWait(800);
    QCOMPARE(rig.take(), before + cancel + kActivation);
    QCOMPARE(rig.ended, 1);
    // The new run is the one going, at its start.
    QVERIFY(rig.wizard.running());
    QVERIFY(rig.wizard.view().startEnabled);
    QCOMPARE(rig.wizard.step(), Step::None);
    QVERIFY(rig.cfg.state().TerminalMode);
    QCOMPARE(rig.port.RThreshold(), 1);
    rig.wizard.Cancel();
    QCOMPARE(rig.take(), QByteArray("SJ\rCM7\rQT\r"));
    QVERIFY(!rig.cfg.state().TerminalMode);
}

QTEST_GUILESS_MAIN(TestSmoothingWizard)
#include "tst_smoothingwizard.moc"
