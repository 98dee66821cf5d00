#include "AlarmWord.h"
#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "FaultCommands.h"
#include "FaultWatch.h"
#include "PtyLinkRig.h"
#include "ScriptedPrompt.h"
#include "Wait.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A prompt whose boxes stay up while something happens, as a user reading
// a message would keep it.
struct UserPrompt : ScriptedPrompt {
    std::function<void()> whileShown;
    Answer ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override
    {
        const Answer answer = ScriptedPrompt::ask(title, text, icon, buttons);
        if (whileShown)
            whileShown();
        return answer;
    }
};

// The program's link on a pseudo-terminal with the simulated drive behind it.
struct FaultRig : BasicPtyLinkRig<UserPrompt> {
    FaultCommands faults{link, queries};
    FaultWatch watch{link};

    FaultRig() { prompt.clear(); }
};

QByteArray statusQuery()
{
    return QByteArray("y\x80", 2);
}

QByteArray identifyAndRevision()
{
    return QByteArray("C") + QByteArray("y\x8E", 2);
}

const QString kTitle = Configurator::ProgramTitle();

}  // namespace

class TestDriveFaults : public QObject {
    Q_OBJECT
private slots:
    void init();

    void historyReplies_data();
    void historyReplies();
    void lateHistoryIsNotReadAsMessages();
    void dripAfterShortHistoryIsGivenUpOn();
    void clearHistory();
    void clearAlarm_data();
    void clearAlarm();
    void faultMessagesDuringClearAlarmRaiseNothing();
    void clearFault_data();
    void clearFault();
    void restore_data();
    void restore();
    void closedPortDoesNothing();
    void commandInsideAnotherExchangeIsIgnored();

    void faultMask_data();
    void faultMask();
    void faultIsHandledAfterTheReceivePath();
    void faultDuringAnExchangeWaitsForIt();
};

void TestDriveFaults::init()
{
    if (!SimulatedDrive().isPresent())
        QSKIP("no pseudo-terminals here");
}

void TestDriveFaults::historyReplies_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("words");
    QTest::newRow("all zeros") << QByteArray(16, '\0') << true << QList<int>(8, 0);
    QByteArray word7(16, '\0');
    word7[14] = word7[15] = char(0xFF);
    QTest::newRow("word 7 = FFFF") << word7 << true << QList<int>{0, 0, 0, 0, 0, 0, 0, 0xFFFF};
    QTest::newRow("20 bytes") << QByteArray::fromHex("0080" "0001" "2001" "0000000000000000" "0200" "FCFFFFFF")
                              << true << QList<int>{128, 1, 0x2001, 0, 0, 0, 0, 0x200};
    QTest::newRow("15 bytes") << QByteArray(15, '\x01') << false << QList<int>(8, 0);
    QTest::newRow("silence") << QByteArray() << false << QList<int>(8, 0);
}

void TestDriveFaults::historyReplies()
{
    QFETCH(QByteArray, sent);
    QFETCH(bool, ok);
    QFETCH(QList<int>, words);
    FaultRig rig;
    rig.drive.alarmHistory = sent;
    rig.drive.answersAlarmHistory = !sent.isEmpty();
    QSignalSpy progress(&rig.faults, &FaultCommands::progressReset);
    QSignalSpy faults(&rig.link, &DriveLink::servoFaultReported);

    QByteArray reply = "before";
    QCOMPARE(rig.faults.GetAlarmHistory(reply), ok);

    QCOMPARE(rig.drive.received, QByteArray("a"));
    QCOMPARE(progress.count(), 1);
    QCOMPARE(rig.port.RThreshold(), 1);
    if (ok) {
        QVERIFY(rig.prompt.messages.isEmpty());
        QCOMPARE(reply.left(16), sent.left(16));
        for (int i = 0; i < AlarmWord::kHistoryWords; ++i)
            QCOMPARE(AlarmWord::historyWord(reply, i), words.at(i));
    } else {
        QCOMPARE(reply, QByteArray("before"));
        QCOMPARE(rig.prompt.titles(), QStringList{"Alarm History Upload "});
        QCOMPARE(rig.prompt.messages[0].text, FaultCommands::NotRespondingText());
        QCOMPARE(rig.prompt.messages[0].icon, Prompt::Icon::Question);
    }
    // None of the binary reply (FC..., FF FF) was taken for a drive message.
    QTest::qWait(100);
    QCOMPARE(faults.count(), 0);
    QVERIFY(rig.link.RxText().isEmpty());
    QVERIFY(rig.link.unreadBytes().isEmpty());
}

void TestDriveFaults::lateHistoryIsNotReadAsMessages()
{
    // The history comes while the time-out message is still up. It holds a
    // fault message and a power-up greeting: read as drive messages they
    // would raise the fault window and answer "QT".
    FaultRig rig;
    rig.drive.alarmHistory = QByteArray::fromHex("FC0001" "FF042B" "00000000000000000000");
    rig.drive.replyDelayMs = 700;
    rig.prompt.whileShown = [] { WaitSeconds(0.5); };
    QSignalSpy faults(&rig.link, &DriveLink::servoFaultReported);
    const int row = rig.cfg.modelIndex();

    QByteArray reply;
    QVERIFY(!rig.faults.GetAlarmHistory(reply));
    QCOMPARE(rig.prompt.titles(), QStringList{"Alarm History Upload "});
    QCOMPARE(rig.port.RThreshold(), 1);
    QTest::qWait(300);
    QCOMPARE(faults.count(), 0);
    QCOMPARE(rig.drive.received, QByteArray("a"));
    QCOMPARE(rig.cfg.modelIndex(), row);
    QVERIFY(rig.link.unreadBytes().isEmpty());
    // Drive messages are read again afterwards.
    rig.drive.sendFault(1);
    QTRY_COMPARE_WITH_TIMEOUT(faults.count(), 1, 2000);
}

void TestDriveFaults::dripAfterShortHistoryIsGivenUpOn()
{
    // A short reply, then a byte every 50 ms, byte by byte on a 9600-baud
    // line: the line is never quiet for the 0.1 s that ends a late reply.
    // The late bytes are thrown away for about half a second only; then the
    // receive path has the port again.
    FaultRig rig;
    rig.drive.lineBytesPerSecond = 960;
    rig.drive.alarmHistory = QByteArray(10, '\x01');
    QElapsedTimer sinceMessage;
    rig.prompt.whileShown = [&] {
        rig.drive.sendPaced(QByteArray(100, 'x'), 1, 50);
        sinceMessage.start();
    };
    QSignalSpy faults(&rig.link, &DriveLink::servoFaultReported);

    QByteArray reply;
    QVERIFY(!rig.faults.GetAlarmHistory(reply));
    const qint64 discarding = sinceMessage.elapsed();
    QCOMPARE(rig.prompt.titles(), QStringList{"Alarm History Upload "});
    QCOMPARE(rig.port.RThreshold(), 1);
    QVERIFY2(discarding >= 400 && discarding < 900, qPrintable(QString::number(discarding)));
    // The drip goes on and is reply text now; drive messages are read again.
    QTRY_VERIFY_WITH_TIMEOUT(rig.link.RxText().contains(QLatin1Char('x')), 2000);
    rig.drive.sendFault(1);
    QTRY_COMPARE_WITH_TIMEOUT(faults.count(), 1, 6000);
}

void TestDriveFaults::clearHistory()
{
    FaultRig rig;
    rig.drive.alarmHistory = QByteArray::fromHex("00800000000000000000000000000000");
    QByteArray reply;
    QVERIFY(rig.faults.ClearHistory(reply));
    QCOMPARE(rig.drive.received, QByteArray("oa"));
    QCOMPARE(rig.drive.historyClears, 1);
    QCOMPARE(reply, QByteArray(16, '\0'));

    rig.drive.silent = true;
    reply = "kept";
    QVERIFY(!rig.faults.ClearHistory(reply));
    QCOMPARE(reply, QByteArray("kept"));
    QCOMPARE(rig.prompt.titles(), QStringList{"Alarm History Upload "});
}

// The drive's answers to clearing: ClearFault reports the result, ClearAlarm
// tells the message and enables the drive again unless the fault stays.
void TestDriveFaults::clearAlarm_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("sticks");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("reenabled");
    using R = FaultCommands::ClearResult;
    QTest::newRow("0000") << 0x0000 << false << false << int(R::Cleared) << FaultCommands::ClearedText() << true;
    QTest::newRow("0200, clears") << 0x0200 << false << false << int(R::Cleared) << FaultCommands::ClearedText()
                                  << true;
    QTest::newRow("0200, sticks") << 0x0200 << true << false << int(R::StillPresent)
                                  << FaultCommands::WillNotClearText() << false;
    QTest::newRow("silence") << 0x0000 << false << true << int(R::NoAnswer) << FaultCommands::NoStatusText() << true;
}

void TestDriveFaults::clearAlarm()
{
    QFETCH(int, status);
    QFETCH(bool, sticks);
    QFETCH(bool, silent);
    QFETCH(QString, message);
    QFETCH(bool, reenabled);
    FaultRig rig;
    rig.drive.servoStatus = status;
    rig.drive.faultSticks = sticks;
    rig.drive.silent = silent;
    bool clearingWhileAsked = false;
    rig.prompt.whileShown = [&] { clearingWhileAsked = rig.cfg.state().ClearingFault; };

    rig.faults.ClearAlarm();

    QCOMPARE(rig.prompt.titles(), QStringList{kTitle});
    QCOMPARE(rig.prompt.messages[0].text, message);
    QCOMPARE(rig.prompt.messages[0].buttons, Prompt::Buttons::Ok);
    QByteArray expected = "z" + statusQuery();
    if (reenabled)
        expected += "n";
    QTRY_COMPARE_WITH_TIMEOUT(rig.drive.received, expected, 2000);
    QCOMPARE(rig.drive.reenables, reenabled ? 1 : 0);
    QVERIFY(clearingWhileAsked);
    QVERIFY(!rig.cfg.state().ClearingFault);
}

void TestDriveFaults::faultMessagesDuringClearAlarmRaiseNothing()
{
    FaultRig rig;
    QSignalSpy faults(&rig.link, &DriveLink::servoFaultReported);
    QSignalSpy shows(&rig.watch, &FaultWatch::showRequested);
    // The drive reports the fault again while it is being cleared.
    rig.drive.replyDelayMs = 50;
    QTimer::singleShot(0, &rig.drive, [&] { rig.drive.sendFault(1); });
    rig.faults.ClearAlarm();
    QCOMPARE(rig.prompt.messages.size(), 1);
    QTest::qWait(150);
    QCOMPARE(faults.count(), 0);
    QCOMPARE(shows.count(), 0);
    rig.drive.sendFault(1);
    QTRY_COMPARE_WITH_TIMEOUT(shows.count(), 1, 2000);
}

void TestDriveFaults::clearFault_data()
{
    clearAlarm_data();
}

void TestDriveFaults::clearFault()
{
    QFETCH(int, status);
    QFETCH(bool, sticks);
    QFETCH(bool, silent);
    QFETCH(QString, message);
    FaultRig rig;
    rig.drive.servoStatus = status;
    rig.drive.faultSticks = sticks;
    rig.drive.silent = silent;
    int messagesWhenLampsWentOut = -1;
    const auto result = rig.faults.ClearFault([&] { messagesWhenLampsWentOut = rig.prompt.messages.size(); });
    QTEST(int(result), "result");
    QCOMPARE(rig.prompt.titles(), QStringList{kTitle});
    QCOMPARE(rig.prompt.messages[0].text, message);
    // The lamps go out only for a cleared fault, before it is told.
    QCOMPARE(messagesWhenLampsWentOut, result == FaultCommands::ClearResult::Cleared ? 0 : -1);
    QCOMPARE(rig.drive.received, "zzn" + statusQuery());
    QVERIFY(!rig.cfg.state().ClearingFault);
}

void TestDriveFaults::restore_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("silentAfter");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("cancel") << int(Prompt::Answer::Cancel) << false << QByteArray() << QStringList{"Reset Drive Data"};
    QTest::newRow("ok") << int(Prompt::Answer::Ok) << false << "i4719" + identifyAndRevision()
                        << QStringList{"Reset Drive Data"};
    QTest::newRow("ok, drive silent after") << int(Prompt::Answer::Ok) << true << QByteArray("i4719C")
                                            << QStringList{"Reset Drive Data", "CheckDrive 0"};
}

void TestDriveFaults::restore()
{
    QFETCH(int, answer);
    QFETCH(bool, silentAfter);
    QFETCH(QByteArray, received);
    FaultRig rig;
    rig.drive.modelCode = 44;
    rig.drive.image = QByteArray(161, '\x55');
    rig.prompt.answers << Prompt::Answer(answer);
    rig.drive.silent = silentAfter;

    QCOMPARE(rig.faults.RestoreFactoryDefaults(), answer == int(Prompt::Answer::Ok));

    QTEST(rig.prompt.titles(), "titles");
    QCOMPARE(rig.prompt.messages[0].buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(rig.prompt.messages[0].text,
             QStringLiteral("Do you want to erase all the information in your drive and restore factory default values?"));
    QCOMPARE(rig.drive.received, received);
    const bool restored = answer == int(Prompt::Answer::Ok);
    QCOMPARE(rig.drive.factoryRestores, restored ? 1 : 0);
    QCOMPARE(rig.drive.image, restored ? rig.drive.factoryImage : QByteArray(161, '\x55'));
    // The drive was identified again: its model row is selected.
    QCOMPARE(rig.cfg.modelIndex() == 3, restored && !silentAfter);
}

void TestDriveFaults::closedPortDoesNothing()
{
    FaultRig rig;
    rig.port.close();
    rig.faults.ClearAlarm();
    QCOMPARE(rig.faults.RestoreFactoryDefaults(), false);
    int lampsOut = 0;
    QCOMPARE(rig.faults.ClearFault([&] { ++lampsOut; }), FaultCommands::ClearResult::NotDone);
    QVERIFY(!rig.faults.portOpen());
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(lampsOut, 0);
    QVERIFY(!rig.cfg.state().ClearingFault);
    QTest::qWait(50);
    QVERIFY(rig.drive.received.isEmpty());
}

void TestDriveFaults::commandInsideAnotherExchangeIsIgnored()
{
    // A menu command handled inside Clear Alarm's wait must not start a
    // second exchange on the same line.
    FaultRig rig;
    bool nestedOk = true;
    QByteArray nestedReply = "untouched";
    QTimer::singleShot(0, &rig.drive, [&] { nestedOk = rig.faults.GetAlarmHistory(nestedReply); });
    rig.faults.ClearAlarm();
    QVERIFY(!nestedOk);
    QCOMPARE(nestedReply, QByteArray("untouched"));
    QCOMPARE(rig.prompt.messages.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(rig.drive.received, "z" + statusQuery() + "n", 2000);
}

void TestDriveFaults::faultMask_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<bool>("raises");
    QTest::newRow("CCW limit") << 2 << false;
    QTest::newRow("under voltage") << 64 << false;
    QTest::newRow("comm error and limits") << (1024 | 4 | 2) << false;
    QTest::newRow("motor stalled") << 1 << true;
    QTest::newRow("stall and resistance") << 8193 << true;
    QTest::newRow("bad encoder") << 512 << true;
    QTest::newRow("every bit") << 0x3FFF << true;
}

void TestDriveFaults::faultMask()
{
    QFETCH(int, word);
    QFETCH(bool, raises);
    FaultRig rig;
    QSignalSpy lamps(&rig.watch, &FaultWatch::lampsChanged);
    QSignalSpy shows(&rig.watch, &FaultWatch::showRequested);
    QSignalSpy reported(&rig.link, &DriveLink::servoFaultReported);
    rig.drive.sendFault(word);
    QTRY_COMPARE_WITH_TIMEOUT(reported.count(), 1, 2000);
    QCOMPARE(reported[0][0].toInt(), word);
    if (raises) {
        QTRY_COMPARE_WITH_TIMEOUT(shows.count(), 1, 2000);
        QCOMPARE(lamps.count(), 1);
        QCOMPARE(lamps[0][0].toInt(), word);
    } else {
        QTest::qWait(100);
        QCOMPARE(lamps.count(), 0);
        QCOMPARE(shows.count(), 0);
    }
}

void TestDriveFaults::faultIsHandledAfterTheReceivePath()
{
    FaultRig rig;
    QSignalSpy lamps(&rig.watch, &FaultWatch::lampsChanged);
    QList<int> lampsWhenReported;
    QObject::connect(&rig.link, &DriveLink::servoFaultReported, &rig.link,
                     [&](int) { lampsWhenReported << lamps.count(); });
    QList<QPair<int, bool>> atShow;  // wait depth, exchange running
    QObject::connect(&rig.watch, &FaultWatch::showRequested, &rig.link,
                     [&] { atShow << qMakePair(WaitDepth(), rig.link.exchangeRunning()); });
    // Two faults in one arrival, then text: one show, two lamp updates.
    rig.drive.send(QByteArray::fromHex("FC0001" "FC4001") + "ok");
    QTRY_COMPARE_WITH_TIMEOUT(atShow.size(), 1, 2000);
    QCOMPARE(lampsWhenReported, (QList<int>{0, 0}));
    QCOMPARE(lamps.count(), 2);
    QCOMPARE(lamps[1][0].toInt(), 8193);
    QCOMPARE(atShow[0], qMakePair(0, false));
    QCOMPARE(rig.link.RxText(), QStringLiteral("ok"));
    QTest::qWait(100);
    QCOMPARE(atShow.size(), 1);
    QVERIFY(!rig.watch.showPending());
}

void TestDriveFaults::faultDuringAnExchangeWaitsForIt()
{
    // The fault comes while the status query waits for its answer: the
    // window may only come once the query is over.
    FaultRig rig;
    rig.drive.replyDelayMs = 300;
    QList<QPair<int, bool>> atShow;
    QObject::connect(&rig.watch, &FaultWatch::showRequested, &rig.link,
                     [&] { atShow << qMakePair(WaitDepth(), rig.link.exchangeRunning()); });
    QSignalSpy lamps(&rig.watch, &FaultWatch::lampsChanged);
    QTimer::singleShot(0, &rig.drive, [&] { rig.drive.sendFault(128); });
    QCOMPARE(rig.queries.GetServoStatus(), 0);
    QCOMPARE(lamps.count(), 1);
    QVERIFY(atShow.isEmpty());
    QVERIFY(rig.watch.showPending());
    QTRY_COMPARE_WITH_TIMEOUT(atShow.size(), 1, 2000);
    QCOMPARE(atShow[0], qMakePair(0, false));
}

QTEST_GUILESS_MAIN(TestDriveFaults)
#include "tst_drivefaults.moc"
