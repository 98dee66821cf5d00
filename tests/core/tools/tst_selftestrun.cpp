#include "SelfTestRun.h"
#include "TmxRig.h"
#include "Wait.h"

#include <QThread>
#include <QtTest>

namespace {

const QList<QByteArray> kSetUp{"HR", "SK", "CM21", "DI25000", "MR16", "VE.25"};
const QList<QByteArray> kStop{"SK", "QT"};
const QList<QByteArray> kFirstStep{"DI12500", "FL"};

}  // namespace

class TestSelfTestRun : public QObject {
    Q_OBJECT
private slots:
    void commandOrder_data();
    void commandOrder();
    void stepsAlternate();
    void stopAndRestart();
    void timerOnlyAfterSetUp();
    void stepsKeepTheirBeat_data();
    void stepsKeepTheirBeat();
};

void TestSelfTestRun::commandOrder_data()
{
    QTest::addColumn<bool>("pty");
    QTest::newRow("in memory") << false;
    QTest::newRow("pseudo-terminal") << true;
}

void TestSelfTestRun::commandOrder()
{
    QFETCH(bool, pty);
    const auto run = [](auto& rig) {
        SelfTestRun test(rig.link);
        test.start();
        QVERIFY(test.running());
        QTRY_COMPARE_WITH_TIMEOUT(rig.tmx.commands.size(), kSetUp.size() + 2, 3000);
        QCOMPARE(rig.tmx.commands, kSetUp + kFirstStep);
        QCOMPARE(test.interval(), SelfTestRun::StepMs);
        // The motor of the simulated drive turns the positive way.
        QVERIFY(rig.tmx.moving());
        QVERIFY(rig.tmx.speedRpm() > 0);
        test.stop();
        QTRY_COMPARE_WITH_TIMEOUT(rig.tmx.commands.size(), kSetUp.size() + 4, 3000);
        QCOMPARE(rig.tmx.commands.mid(kSetUp.size() + 2), kStop);
        QVERIFY(!rig.tmx.moving());
        QVERIFY(!rig.cfg.state().TerminalMode);  // the self test leaves it alone
    };
    if (pty) {
        PtyTmxRig rig;
        QVERIFY(rig.ready());
        run(rig);
    } else {
        MemoryTmxRig rig;
        run(rig);
        QCOMPARE(rig.drive.received,
                 QByteArray("HR\rSK\rCM21\rDI25000\rMR16\rVE.25\rDI12500\rFL\rSK\rQT\r"));
    }
}

void TestSelfTestRun::stepsAlternate()
{
    MemoryTmxRig rig;
    SelfTestRun test(rig.link);
    test.start();
    test.step();
    test.step();
    test.step();
    test.stop();
    QCOMPARE(rig.tmx.commands.mid(kSetUp.size()),
             (QList<QByteArray>{"DI12500", "FL", "DI-12500", "FL", "DI12500", "FL", "SK", "QT"}));
}

void TestSelfTestRun::stopAndRestart()
{
    MemoryTmxRig rig;
    SelfTestRun test(rig.link);
    test.start();
    test.step();
    test.step();
    test.stop();
    QCOMPARE(test.interval(), SelfTestRun::FirstStepMs);
    test.stop();  // not running: nothing more
    rig.tmx.commands.clear();
    test.start();
    test.step();
    test.stop();
    QCOMPARE(rig.tmx.commands, kSetUp + kFirstStep + kStop);
    // A stopped run sends no more moves.
    rig.tmx.commands.clear();
    WaitSeconds(0.05);
    test.step();
    QVERIFY(rig.tmx.commands.isEmpty());
}

void TestSelfTestRun::timerOnlyAfterSetUp()
{
    MemoryTmxRig rig;
    SelfTestRun test(rig.link);
    // Built but not started: the timer does not run, however long we wait.
    WaitSeconds(0.05);
    QVERIFY(rig.drive.received.isEmpty());
    test.start();
    test.start();  // a second start while running changes nothing
    QTRY_VERIFY_WITH_TIMEOUT(rig.drive.received.endsWith("FL\r"), 3000);
    QCOMPARE(rig.drive.received.count("HR\r"), 1);
    test.stop();
}

void TestSelfTestRun::stepsKeepTheirBeat_data()
{
    QTest::addColumn<int>("commandMs");  // the drive's time over each command
    QTest::addColumn<int>("holdMs");     // the thread held after the first move
    QTest::addColumn<int>("marginMs");   // how far a move may be off its time
    QTest::newRow("quick drive") << 0 << 0 << 25;
    // Its time over the commands must not add up from move to move.
    QTest::newRow("drive taking 100 ms a command") << 100 << 0 << 60;
    // The moves missed meanwhile are not made up for with moves back to
    // back: the late one goes, and the next a full step after it.
    QTest::newRow("thread held 5 s") << 0 << 5000 << 60;
}

void TestSelfTestRun::stepsKeepTheirBeat()
{
    // The user watches the rhythm: every move 2.25 s after the one before,
    // the first reversal included, and no drift over the run.
    QFETCH(int, commandMs);
    QFETCH(int, holdMs);
    QFETCH(int, marginMs);
    MemoryTmxRig rig;
    rig.tmx.commandMs = commandMs;
    QElapsedTimer clock;
    QList<qint64> moves;
    auto reply = rig.drive.textCommandHandler;
    rig.drive.textCommandHandler = [&](const QByteArray& line) {
        if (line == "FL")
            moves << clock.elapsed();
        return reply(line);
    };
    SelfTestRun test(rig.link);
    clock.start();
    test.start();
    const qint64 setUpSent = clock.elapsed();
    // Our own wait: the test library's sleeps in steps of 10 ms would make
    // the timer look late.
    QVERIFY(WaitUntil([&] { return moves.size() >= 1; }, 5.0));
    if (holdMs > 0)
        QThread::msleep(static_cast<unsigned long>(holdMs));
    QVERIFY(WaitUntil([&] { return moves.size() >= 4; }, 15.0));
    test.stop();
    qInfo() << "moves at" << moves << "ms";
    // The first 10 ms after the set-up (its "FL" after the "DI" it follows).
    const qint64 first = moves.front() - setUpSent;
    QVERIFY2(first < 100 + commandMs, qPrintable(QString::number(first)));
    for (int i = 1; i < 4; ++i) {
        const qint64 gap = moves.at(i) - moves.at(i - 1);
        const QByteArray what = QStringLiteral("move %1 after %2 ms").arg(i).arg(gap).toUtf8();
        if (i == 1 && holdMs > 0)
            QVERIFY2(gap >= holdMs - marginMs, what.constData());
        else
            QVERIFY2(qAbs(gap - SelfTestRun::StepMs) <= marginMs, what.constData());
    }
    if (holdMs == 0) {
        const qint64 span = moves.at(3) - moves.at(0);
        QVERIFY2(qAbs(span - 3 * SelfTestRun::StepMs) <= marginMs, qPrintable(QString::number(span)));
    }
}

QTEST_MAIN(TestSelfTestRun)
#include "tst_selftestrun.moc"
