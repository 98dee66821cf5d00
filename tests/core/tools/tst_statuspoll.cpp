#include "NestingCount.h"
#include "StatusPoll.h"
#include "TmxRig.h"
#include "Wait.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int Patience = 5000;

const QByteArray kActivation = "HR\rIFD\rMN\rMO\rAO\rBO\r";
const QByteArray kExtCycle = "ISX\rIOY\rIV1\rIA\rSC\rIE\rSC\rAL\r";
const QByteArray kFullCycle = "IS\rIO\r" + kExtCycle;
const QByteArray kClose = "MO2\rBO3\rAO1\rQT\r";

// The bytes are the activation, whole poll cycles, and the closing.
bool WholeCycles(const QByteArray& bytes, const QByteArray& cycle, int* cycles)
{
    if (!bytes.startsWith(kActivation) || !bytes.endsWith(kClose))
        return false;
    QByteArray middle = bytes.mid(kActivation.size(), bytes.size() - kActivation.size() - kClose.size());
    *cycles = 0;
    while (middle.startsWith(cycle)) {
        middle.remove(0, cycle.size());
        ++*cycles;
    }
    return middle.isEmpty();
}

QString Leds(const StatusDisplay& d, bool outputs)
{
    QString s;
    if (outputs)
        for (Led l : d.outputs)
            s += l == Led::Lit ? QLatin1Char('L') : QLatin1Char('.');
    else
        for (Led l : d.inputs)
            s += l == Led::Lit ? QLatin1Char('L') : QLatin1Char('.');
    return s;
}

// Calls f from the event loop as soon as check() holds (also inside the
// monitor's own waits).
void WhenTrue(QObject* context, std::function<bool()> check, std::function<void()> f)
{
    auto* timer = new QTimer(context);
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, context, [timer, check, f] {
        if (!check())
            return;
        timer->stop();
        timer->deleteLater();
        f();
    });
    timer->start();
}

template <typename Rig>
void script(Rig& rig, int* cycles)
{
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    QVERIFY(rig.cfg.state().TerminalMode);
    QCOMPARE(poll.modelNumber(), 41);
    QCOMPARE(poll.savedFunction("MO"), QStringLiteral("2"));
    QCOMPARE(poll.display().layout, StatusLayout::Compact);
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 2, Patience);
    QCOMPARE(poll.display().encoder, QStringLiteral(" 0"));
    QCOMPARE(poll.display().volts, QStringLiteral("  2.50"));
    poll.close();
    QVERIFY(!rig.cfg.state().TerminalMode);
    QTRY_VERIFY_WITH_TIMEOUT(rig.drive.received.endsWith(kClose), Patience);
    QVERIFY2(WholeCycles(rig.drive.received, kExtCycle, cycles), rig.drive.received.constData());
}

using CountingPoll = NestingCount<StatusPoll>;

// The monitor over a pseudo-terminal whose drive sends every byte on its
// own at the 9600-baud rate.
struct PacedTmxRig : PtyTmxRig {
    PacedTmxRig() { drive.lineBytesPerSecond = 960; }
};

}  // namespace

class TestStatusPoll : public QObject {
    Q_OBJECT
private slots:
    void againstTheDrive_data();
    void againstTheDrive();
    void replies_data();
    void replies();
    void ledsByModel_data();
    void ledsByModel();
    void modelAnswer_data();
    void modelAnswer();
    void modelAnswerTakesItsCr_data();
    void modelAnswerTakesItsCr();
    void greetingBurstWhilePolling();
    void closeWhileAQueryWaits_data();
    void closeWhileAQueryWaits();
    void silentDrive();
    void cyclesNeverOverlap();
    void forcedOutputs_data();
    void forcedOutputs();
    void powerUpWhilePolling();
    void motorFollowsTheButtons();
};

void TestStatusPoll::againstTheDrive_data()
{
    QTest::addColumn<bool>("pty");
    QTest::newRow("in memory") << false;
    QTest::newRow("pseudo-terminal") << true;
}

void TestStatusPoll::againstTheDrive()
{
    QFETCH(bool, pty);
    int cycles = 0;
    if (pty) {
        PtyTmxRig rig;
        QVERIFY(rig.ready());
        script(rig, &cycles);
    } else {
        MemoryTmxRig rig;
        script(rig, &cycles);
    }
    QVERIFY(cycles >= 2);
}

void TestStatusPoll::replies_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");  // "unchanged": as the cycle before left it
    QTest::newRow("alarms") << QByteArray("AL") << QByteArray("AL=0009\r") << "alarms" << "9";
    QTest::newRow("alarms, four digits only") << QByteArray("AL") << QByteArray("AL=12345\r") << "alarms" << "4660";
    QTest::newRow("alarms, up to a non-digit") << QByteArray("AL") << QByteArray("AL=1G00\r") << "alarms" << "1";
    QTest::newRow("alarms, key missing") << QByteArray("AL") << QByteArray("AX=0009\r") << "alarms" << "unchanged";
    QTest::newRow("alarms, after other text") << QByteArray("AL") << QByteArray("*\rAL=2000\r") << "alarms" << "8192";
    QTest::newRow("status") << QByteArray("SC") << QByteArray("SC=0001\r") << "status" << "1";
    QTest::newRow("enabled") << QByteArray("SC") << QByteArray("SC=0001\r") << "enabled" << "true";
    QTest::newRow("disabled") << QByteArray("SC") << QByteArray("SC=0000\r") << "enabled" << "false";
    QTest::newRow("enable, CR before the key") << QByteArray("SC") << QByteArray("\rSC=0000\r") << "enabled"
                                               << "unchanged";
    QTest::newRow("speed") << QByteArray("IV1") << QByteArray("IV=1500\r") << "speed" << "25.00";
    QTest::newRow("speed, slow") << QByteArray("IV1") << QByteArray("IV=300\r") << "speed" << "  5.00";
    QTest::newRow("speed, backwards") << QByteArray("IV1") << QByteArray("IV=-900\r") << "speed" << "  -15.00";
    QTest::newRow("speed, key missing") << QByteArray("IV1") << QByteArray("?\r") << "speed" << "unchanged";
    QTest::newRow("volts") << QByteArray("IA") << QByteArray("IA=2.5\r") << "volts" << "  2.50";
    QTest::newRow("volts, ten and over") << QByteArray("IA") << QByteArray("IA=12\r") << "volts" << "12.00";
    QTest::newRow("volts, CR before the key") << QByteArray("IA") << QByteArray("\rIA=12\r") << "volts"
                                              << "unchanged";
    QTest::newRow("encoder, negative") << QByteArray("IE") << QByteArray("IE=-56\r") << "encoder" << "-56";
    QTest::newRow("encoder") << QByteArray("IE") << QByteArray("IE=250\r") << "encoder" << " 250";
}

void TestStatusPoll::replies()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    MemoryTmxRig rig;
    rig.tmx.alarmWord = 0x0005;
    rig.tmx.enabled = false;
    rig.tmx.analogVolts = 3;
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    const auto value = [&]() -> QString {
        const StatusDisplay& d = poll.display();
        if (field == QLatin1String("alarms"))
            return QString::number(d.alarmWord);
        if (field == QLatin1String("status"))
            return QString::number(d.statusWord);
        if (field == QLatin1String("enabled"))
            return d.enabled ? QStringLiteral("true") : QStringLiteral("false");
        if (field == QLatin1String("speed"))
            return d.speed;
        if (field == QLatin1String("volts"))
            return d.volts;
        return d.encoder;
    };
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 1 && !poll.cycleWaiting(), Patience);
    const QString before = value();
    rig.tmx.replies.insert(command, reply);
    const int after = poll.cyclesRun() + 1;
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() > after && !poll.cycleWaiting(), Patience);
    QCOMPARE(value(), shown == QLatin1String("unchanged") ? before : shown);
    poll.close();
}

void TestStatusPoll::ledsByModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("is");
    QTest::addColumn<QByteArray>("io");
    QTest::addColumn<QByteArray>("isx");
    QTest::addColumn<QByteArray>("ioy");
    QTest::addColumn<QString>("inputs");   // IN1..IN8, X0..X7: L lit, . black
    QTest::addColumn<QString>("outputs");  // OUT1..OUT4, Y1..Y3
    QTest::addColumn<bool>("compact");
    QTest::addColumn<bool>("mainIO");
    // The X column: character 1 is X0, 2..8 are X7..X1.
    QTest::newRow("41, X7..X1 low") << 41 << QByteArray("00000000") << QByteArray("00000000")
                                    << QByteArray("10000000") << QByteArray("11111011") << ".........LLLLLLL"
                                    << "......L" << true << false;
    QTest::newRow("42, X0 and X1") << 42 << QByteArray() << QByteArray() << QByteArray("01111110")
                                   << QByteArray("11111110") << "........LL......" << "....L.." << true << false;
    QTest::newRow("43, IN8 and IN1, OUT4 and OUT1") << 43 << QByteArray("01111110") << QByteArray("11110110")
                                                    << QByteArray("11111111") << QByteArray("11111101")
                                                    << "L......L........" << "L..L.L." << false << true;
    QTest::newRow("46, IN3 only") << 46 << QByteArray("11111011") << QByteArray("11111111")
                                  << QByteArray("11111111") << QByteArray("11111111") << "..L............."
                                  << "......." << false << true;
    QTest::newRow("77, all low") << 77 << QByteArray("00000000") << QByteArray("00000000")
                                 << QByteArray("00000000") << QByteArray("00000000") << "LLLLLLLLLLLLLLLL"
                                 << "LLLLLLL" << false << true;
    QTest::newRow("44, as 41: X2") << 44 << QByteArray() << QByteArray() << QByteArray("11111101")
                               << QByteArray("11111111") << "..........L....." << "......." << true << false;
    QTest::newRow("unknown 50: designed, extended only")
        << 50 << QByteArray("00000000") << QByteArray("00000000") << QByteArray("11111110")
        << QByteArray("11111111") << ".........L......" << "......." << false << false;
    QTest::newRow("short reply: only what it covers")
        << 41 << QByteArray() << QByteArray() << QByteArray("0") << QByteArray("111111") << "........L......."
        << "......." << true << false;
}

void TestStatusPoll::ledsByModel()
{
    QFETCH(int, model);
    QFETCH(QByteArray, is);
    QFETCH(QByteArray, io);
    QFETCH(QByteArray, isx);
    QFETCH(QByteArray, ioy);
    QFETCH(QString, inputs);
    QFETCH(QString, outputs);
    QFETCH(bool, compact);
    QFETCH(bool, mainIO);
    MemoryTmxRig rig;
    rig.tmx.modelNumber = model;
    rig.tmx.inputs = is;
    rig.tmx.outputs = io;
    rig.tmx.extInputs = isx;
    rig.tmx.extOutputs = ioy;
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    QCOMPARE(poll.modelNumber(), model);
    QCOMPARE(poll.display().layout == StatusLayout::Compact, compact);
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 1 && !poll.cycleWaiting(), Patience);
    poll.close();
    QCOMPARE(Leds(poll.display(), false), inputs);
    QCOMPARE(Leds(poll.display(), true), outputs);
    QCOMPARE(rig.tmx.commands.contains("IS"), mainIO);
    QCOMPARE(rig.tmx.commands.contains("IO"), mainIO);
}

void TestStatusPoll::modelAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("compact");
    QTest::addColumn<bool>("mainIO");
    // One character 48 above the number, or the "MN=" form.
    QTest::newRow("Y is 41") << QByteArray("Y") << 41 << true << false;
    QTest::newRow("[ is 43") << QByteArray("[") << 43 << false << true;
    QTest::newRow("y is 73") << QByteArray("y") << 73 << false << true;
    QTest::newRow("MN=46") << QByteArray("MN=46\r") << 46 << false << true;
}

void TestStatusPoll::modelAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, model);
    QFETCH(bool, compact);
    QFETCH(bool, mainIO);
    MemoryTmxRig rig;
    rig.tmx.modelNumber = 50;
    rig.tmx.replies.insert("MN", answer);
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    QCOMPARE(poll.modelNumber(), model);
    QCOMPARE(poll.display().layout == StatusLayout::Compact, compact);
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 1 && !poll.cycleWaiting(), Patience);
    poll.close();
    QCOMPARE(rig.tmx.commands.contains("IS"), mainIO);
}

namespace {
// Where the carriage return behind the model character goes.
enum class ModelCr { None, WithIt, MomentLater, BeforeNextReply };
}  // namespace
Q_DECLARE_METATYPE(ModelCr)

void TestStatusPoll::modelAnswerTakesItsCr_data()
{
    QTest::addColumn<ModelCr>("cr");
    QTest::newRow("Z alone") << ModelCr::None;
    QTest::newRow("Z CR") << ModelCr::WithIt;
    QTest::newRow("Z, CR in a later read") << ModelCr::MomentLater;
    QTest::newRow("Z, CR ahead of the next reply") << ModelCr::BeforeNextReply;
}

void TestStatusPoll::modelAnswerTakesItsCr()
{
    // The carriage return behind a one-character model answer belongs to
    // it: it must not end the "MO" exchange, or every later answer lands
    // one exchange late and closing puts back the wrong functions.
    QFETCH(ModelCr, cr);
    PacedTmxRig rig;
    QVERIFY(rig.ready());
    rig.tmx.outputFunctions = {{"MO", "2"}, {"AO", "1"}, {"BO", "4"}};
    auto reply = rig.drive.textCommandHandler;
    bool crOwed = false;
    rig.drive.textCommandHandler = [&](const QByteArray& line) {
        if (line != "MN") {
            const QByteArray prefix = crOwed ? QByteArray("\r") : QByteArray();
            crOwed = false;
            return prefix + reply(line);
        }
        if (cr == ModelCr::WithIt)
            return QByteArray("Z\r");
        if (cr == ModelCr::MomentLater)
            QTimer::singleShot(3, &rig.drive, [&] { rig.drive.send("\r"); });
        crOwed = cr == ModelCr::BeforeNextReply;
        return QByteArray("Z");
    };
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    QCOMPARE(poll.modelNumber(), 42);
    QCOMPARE(poll.savedFunction("MO"), QStringLiteral("2"));
    QCOMPARE(poll.savedFunction("AO"), QStringLiteral("1"));
    QCOMPARE(poll.savedFunction("BO"), QStringLiteral("4"));
    // Forcing Y1 gives the brake output function 3; closing puts all back.
    poll.forceOutput(4, true);
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 1 && !poll.cycleWaiting(), Patience);
    QCOMPARE(rig.tmx.outputFunctions.value("BO"), QByteArray("3"));
    rig.tmx.commands.clear();
    poll.close();
    QTRY_VERIFY_WITH_TIMEOUT(rig.tmx.commands.contains("QT"), Patience);
    QCOMPARE(rig.tmx.commands, (QList<QByteArray>{"MO2", "BO4", "AO1", "QT"}));
    QCOMPARE(rig.tmx.outputFunctions,
             (QHash<QByteArray, QByteArray>{{"MO", "2"}, {"AO", "1"}, {"BO", "4"}}));
}

void TestStatusPoll::greetingBurstWhilePolling()
{
    // Greetings back to back at the line rate while the monitor polls: the
    // character handling does not nest, the polling goes on, and the
    // monitor is back to its plain polling soon after the burst.
    PacedTmxRig rig;
    QVERIFY(rig.ready());
    CountingPoll poll(rig.link);
    QVERIFY(poll.activate());
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 1, Patience);
    constexpr int Greetings = 600;  // about 1.9 s of line
    for (int i = 0; i < Greetings; ++i)
        rig.tmx.powerUp(60, 41);
    QTRY_COMPARE_WITH_TIMEOUT(rig.drive.lineBacklog(), qsizetype(0), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(rig.prompt.beeps >= 1, Patience);
    QCOMPARE(poll.deepest, 1);
    QVERIFY2(poll.deepestWait <= 2, qPrintable(QString::number(poll.deepestWait)));
    // Polling answers again within a cycle or two.
    rig.tmx.alarmWord = 9;
    QElapsedTimer sinceBurst;
    sinceBurst.start();
    QTRY_COMPARE_WITH_TIMEOUT(poll.display().alarmWord, 9u, Patience);
    QVERIFY2(sinceBurst.elapsed() < 2000, qPrintable(QString::number(sinceBurst.elapsed())));
    QCOMPARE(rig.cfg.driveVersion(), QStringLiteral("1.60"));
    poll.close();
    QVERIFY(!rig.cfg.state().TerminalMode);
}

void TestStatusPoll::closeWhileAQueryWaits_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("partial");
    QTest::newRow("encoder unanswered") << QByteArray("IE") << QByteArray();
    QTest::newRow("status without its CR") << QByteArray("SC") << QByteArray("SC=00");
    QTest::newRow("speed, key cut short") << QByteArray("IV1") << QByteArray("IV");
}

void TestStatusPoll::closeWhileAQueryWaits()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, partial);
    MemoryTmxRig rig;
    if (partial.isEmpty())
        rig.tmx.unanswered.insert(command);
    else
        rig.tmx.replies.insert(command, partial);
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    bool closedWhileWaiting = false;
    qsizetype commandsAtClose = 0;
    WhenTrue(&poll, [&] { return !rig.tmx.commands.isEmpty() && rig.tmx.commands.last() == command; },
             [&] {
                 closedWhileWaiting = poll.cycleWaiting();
                 poll.close();
                 commandsAtClose = rig.tmx.commands.size();
             });
    QTRY_VERIFY_WITH_TIMEOUT(!poll.running(), Patience);
    QVERIFY(closedWhileWaiting);
    QTRY_VERIFY_WITH_TIMEOUT(!poll.cycleWaiting(), Patience);
    WaitSeconds(0.4);
    // Nothing after the closing: no further query of the cycle, no new cycle.
    QVERIFY(rig.drive.received.endsWith(kClose));
    QCOMPARE(rig.tmx.commands.size(), commandsAtClose);
    QVERIFY(!rig.cfg.state().TerminalMode);
}

void TestStatusPoll::silentDrive()
{
    MemoryTmxRig rig;
    rig.drive.silent = true;
    StatusPoll poll(rig.link);
    QSignalSpy changes(&poll, &StatusPoll::displayChanged);
    QVERIFY(poll.activate());
    QCOMPARE(poll.modelNumber(), 0);
    QVERIFY(poll.savedFunction("MO").isEmpty());
    QVERIFY(poll.savedFunction("AO").isEmpty());
    QVERIFY(poll.savedFunction("BO").isEmpty());
    QCOMPARE(poll.display().layout, StatusLayout::Designed);
    WhenTrue(&poll, [&] { return rig.tmx.commands.size() >= 8; }, [&] { poll.close(); });
    QTRY_VERIFY_WITH_TIMEOUT(!poll.running() && !poll.cycleWaiting(), Patience);
    // Nothing was put back, and nothing shown changed.
    QVERIFY(rig.drive.received.startsWith(kActivation + "ISX\rIOY\r"));
    QVERIFY(rig.drive.received.endsWith("\rQT\r"));
    QVERIFY(!rig.drive.received.contains("MO2"));
    QVERIFY(changes.isEmpty());
    QCOMPARE(poll.display(), StatusDisplay{});
}

void TestStatusPoll::cyclesNeverOverlap()
{
    MemoryTmxRig rig;
    // Replies slower than the poll interval: the timer falls due while a
    // cycle waits, again and again.
    rig.drive.replyDelayMs = 60;
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    int nested = 0;
    WhenTrue(&poll, [&] { return poll.cycleWaiting(); }, [&] {
        const int before = poll.cyclesRun();
        poll.pollCycle();  // a tick inside the wait
        nested = poll.cyclesRun() - before;
    });
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 3, 10000);
    poll.close();
    QTRY_VERIFY_WITH_TIMEOUT(!poll.cycleWaiting(), Patience);
    QCOMPARE(nested, 0);
    int cycles = 0;
    QTRY_VERIFY_WITH_TIMEOUT(rig.drive.received.endsWith(kClose), Patience);
    QVERIFY2(WholeCycles(rig.drive.received, kExtCycle, &cycles), rig.drive.received.constData());
    QVERIFY(cycles >= 2);
}

void TestStatusPoll::forcedOutputs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("high");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("OUT1 HI") << 0 << true << QByteArray("IH1\r");
    QTest::newRow("OUT4 LO") << 3 << false << QByteArray("IL4\r");
    QTest::newRow("Y1 HI") << 4 << true << QByteArray("BO3\rIHY1\r");
    QTest::newRow("Y2 LO") << 5 << false << QByteArray("MO3\rILY2\r");
    QTest::newRow("Y3 HI") << 6 << true << QByteArray("AO3\rIHY3\r");
    QTest::newRow("no such row") << 7 << true << QByteArray();
}

void TestStatusPoll::forcedOutputs()
{
    QFETCH(int, row);
    QFETCH(bool, high);
    QFETCH(QByteArray, sent);
    MemoryTmxRig rig;
    StatusPoll poll(rig.link);
    QList<QByteArray> sends;
    rig.port.onSent = [&sends](const QByteArray& b) { sends << b; };
    poll.forceOutput(row, high);
    // In one send.
    QCOMPARE(sends, sent.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{sent});
}

void TestStatusPoll::powerUpWhilePolling()
{
    MemoryTmxRig rig;
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    rig.tmx.powerUp(60, 41);
    QTRY_COMPARE_WITH_TIMEOUT(rig.prompt.beeps, 1, Patience);
    QCOMPARE(rig.cfg.driveVersion(), QStringLiteral("1.60"));
    QCOMPARE(rig.cfg.state().DriveModelCode, 41);
    const int cycles = poll.cyclesRun();
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() > cycles + 1, Patience);
    poll.close();
    QVERIFY(rig.drive.received.contains("00"));
    QCOMPARE(rig.tmx.greetingAnswers, 1);
}

void TestStatusPoll::motorFollowsTheButtons()
{
    MemoryTmxRig rig;
    StatusPoll poll(rig.link);
    QVERIFY(poll.activate());
    QTRY_VERIFY_WITH_TIMEOUT(poll.cyclesRun() >= 1 && !poll.cycleWaiting(), Patience);
    QVERIFY(poll.display().enabled);
    poll.disableMotor();
    QTRY_VERIFY_WITH_TIMEOUT(!poll.display().enabled, Patience);
    QCOMPARE(poll.display().statusWord & 1u, 0u);
    poll.enableMotor();
    QTRY_VERIFY_WITH_TIMEOUT(poll.display().enabled, Patience);
    poll.close();
}

QTEST_MAIN(TestStatusPoll)
#include "tst_statuspoll.moc"
