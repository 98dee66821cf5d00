#include "LinkRig.h"
#include "Wait.h"

#include <QSignalSpy>
#include <QtTest>

class TestDriveQueries : public QObject {
    Q_OBJECT
private slots:
    void checkDrive_data();
    void checkDrive();
    void silentCheckDrive_data();
    void silentCheckDrive();
    void driveStillThere_data();
    void driveStillThere();
    void servoStatus_data();
    void servoStatus();
    void hexValue_data();
    void hexValue();
    void staleBytesAreNotTheReply_data();
    void staleBytesAreNotTheReply();
    void queryFromEventInsideAnotherIsIgnored();
    void nestedCallOfTheRunningExchangeIsGranted();
};

void TestDriveQueries::checkDrive_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("revision");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("title");

    QTest::newRow("model 44") << 4 << 44 << false << true << QString::fromLatin1("\x04\x2C") << 3 << "1.04 k" << "";
    QTest::newRow("model 42") << 4 << 42 << false << true << QString::fromLatin1("\x04\x2A") << 1 << "1.04 k" << "";
    QTest::newRow("no revision reply") << 4 << 42 << false << false << QString::fromLatin1("\x04\x2A") << 1 << "1.04" << "";
    QTest::newRow("other family") << 4 << 35 << false << true << "" << -1 << "1.04 k" << "";
    QTest::newRow("no answer") << 4 << 42 << true << true << "" << -1 << "" << "CheckDrive 0";
}

void TestDriveQueries::checkDrive()
{
    QFETCH(int, firmware);
    QFETCH(int, model);
    QFETCH(bool, silent);
    QFETCH(bool, revision);
    LinkRig rig;
    rig.drive.firmwareCode = firmware;
    rig.drive.modelCode = model;
    rig.drive.silent = silent;
    rig.drive.answersRevision = revision;
    rig.link.RxText() = QStringLiteral("stale");

    QTEST(rig.queries.CheckDrive(), "result");
    QTEST(rig.cfg.modelIndex(), "row");
    QTEST(rig.cfg.driveVersion(), "version");
    QFETCH(QString, title);
    QCOMPARE(rig.prompt.titles(), title.isEmpty() ? QStringList() : QStringList{title});
    if (!title.isEmpty()) {
        QCOMPARE(rig.prompt.messages[0].icon, Prompt::Icon::Question);
        QCOMPARE(rig.prompt.messages[0].text,
                 QStringLiteral("The drive is not responding.  Is it connected to the right port and turned on?"));
    }
    QVERIFY(rig.link.RxText().isEmpty());
    if (!silent) {
        QCOMPARE(rig.cfg.state().FirmwareVersion, 1.04f);
        QCOMPARE(rig.cfg.state().DriveModelCode, model);
        QCOMPARE(rig.drive.received, QByteArray("C") + LinkRig::bytes({121, 142}));
    }
    if (revision && !silent)
        QCOMPARE(rig.cfg.state().MinorRev, QStringLiteral("k"));
}

void TestDriveQueries::silentCheckDrive_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("identified");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("title");

    QTest::newRow("listed model") << 45 << false << true << "untouched" << "";
    QTest::newRow("other family") << 35 << false << false << "" << "";
    QTest::newRow("no answer") << 45 << true << false << "untouched" << "Communication Error";
}

void TestDriveQueries::silentCheckDrive()
{
    QFETCH(int, model);
    QFETCH(bool, silent);
    QFETCH(bool, identified);
    LinkRig rig;
    rig.drive.modelCode = model;
    rig.drive.silent = silent;
    rig.cfg.setDriveVersion(QStringLiteral("untouched"));

    QCOMPARE(!rig.queries.SilentCheckDrive().isEmpty(), identified);
    QTEST(rig.cfg.driveVersion(), "version");
    QFETCH(QString, title);
    QCOMPARE(rig.prompt.titles(), title.isEmpty() ? QStringList() : QStringList{title});
    QCOMPARE(rig.cfg.modelIndex(), -1);
    QCOMPARE(rig.drive.received, QByteArray("C"));  // no revision query
}

void TestDriveQueries::driveStillThere_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("waiting");  // reply text already there
    QTest::addColumn<bool>("there");

    for (int code : {9, 18, 30, 35, 40, 109, 118})
        QTest::newRow(qPrintable(QStringLiteral("code %1").arg(code))) << code << false << "" << true;
    for (int code : {29, 41, 43, 46, 110})
        QTest::newRow(qPrintable(QStringLiteral("code %1").arg(code))) << code << false << "" << false;
    QTest::newRow("no answer") << 35 << true << "" << false;
    // Text that waited is the start of the reply: the firmware byte becomes
    // the model code (4: not a start-up model).
    QTest::newRow("text waiting") << 35 << false << QString::fromLatin1("\x04") << false;
}

void TestDriveQueries::driveStillThere()
{
    QFETCH(int, model);
    QFETCH(bool, silent);
    QFETCH(QString, waiting);
    LinkRig rig;
    rig.drive.modelCode = model;
    rig.drive.silent = silent;
    rig.link.RxText() = waiting;
    QTEST(rig.queries.DriveStillThere(), "there");
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(rig.cfg.modelIndex(), -1);
}

void TestDriveQueries::servoStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<int>("result");

    QTest::newRow("0200") << 0x0200 << false << 512;
    QTest::newRow("8001") << 0x8001 << false << -32767;
    QTest::newRow("FFFF is -1 like no answer") << 0xFFFF << false << -1;
    QTest::newRow("no answer") << 0 << true << -1;
}

void TestDriveQueries::servoStatus()
{
    QFETCH(int, status);
    QFETCH(bool, silent);
    LinkRig rig;
    rig.drive.servoStatus = status;
    rig.drive.silent = silent;
    QTEST(rig.queries.GetServoStatus(), "result");
    QCOMPARE(rig.drive.received, LinkRig::bytes({121, 128}));
    QVERIFY(rig.link.RxText().isEmpty());

    LinkRig closed(false);
    QCOMPARE(closed.queries.GetServoStatus(), 0);
    QVERIFY(closed.drive.received.isEmpty());
}

void TestDriveQueries::hexValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("6B") << "6B" << 107;
    QTest::newRow("006b") << "006b" << 107;
    QTest::newRow("7FFF") << "7FFF" << 32767;
    QTest::newRow("8000") << "8000" << -32768;
    QTest::newRow("FFFE") << "FFFE" << -2;
    QTest::newRow("stops at a non-digit") << "1G2" << 1;
    QTest::newRow("no digits") << "xyz" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestDriveQueries::hexValue()
{
    QFETCH(QString, text);
    QTEST(DriveQueries::HexValue(text), "value");
}

namespace {
// Where the bytes that wait before an exchange are.
enum class Stale { ToolBacklog, HalfMessage, InPort };
}  // namespace
Q_DECLARE_METATYPE(Stale)

void TestDriveQueries::staleBytesAreNotTheReply_data()
{
    QTest::addColumn<QByteArray>("stale");
    QTest::addColumn<Stale>("where");
    QTest::addColumn<bool>("servo");  // the servo status query, else CheckDrive

    // What a tool left behind when it closed with bytes still unread.
    QTest::newRow("tool's backlog") << QByteArray("AL=0000\rIV=0\rAL=00") << Stale::ToolBacklog << false;
    QTest::newRow("tool's backlog, servo status") << QByteArray("IS=1011\r") << Stale::ToolBacklog << true;
    // The start of a drive message whose other bytes never came.
    QTest::newRow("half a message") << LinkRig::bytes({'x', 255}) << Stale::HalfMessage << false;
    QTest::newRow("half a message, servo status") << LinkRig::bytes({252, 3}) << Stale::HalfMessage << true;
    // Left in the port by a polled read.
    QTest::newRow("left in the port") << QByteArray("late") << Stale::InPort << false;
}

void TestDriveQueries::staleBytesAreNotTheReply()
{
    // An exchange that starts throws away what was waiting: its reply is
    // read from what the drive sends after the command.
    QFETCH(QByteArray, stale);
    QFETCH(Stale, where);
    QFETCH(bool, servo);
    LinkRig rig;
    rig.drive.servoStatus = 0x0200;
    QSignalSpy faults(&rig.link, &DriveLink::servoFaultReported);
    switch (where) {
    case Stale::ToolBacklog:
        rig.cfg.state().TerminalMode = true;  // nobody takes them
        rig.arrive(stale);
        rig.cfg.state().TerminalMode = false;
        QCOMPARE(rig.link.unreadBytes(), stale);
        break;
    case Stale::HalfMessage:
        rig.arrive(stale);
        QCOMPARE(rig.link.unreadBytes(), stale);
        break;
    case Stale::InPort:
        rig.port.setRThreshold(0);
        rig.arrive(stale);
        rig.port.setRThreshold(1);
        QCOMPARE(rig.port.InBufferCount(), stale.size());
        break;
    }
    rig.drive.lineBytesPerSecond = 960;
    if (servo) {
        QCOMPARE(rig.queries.GetServoStatus(), 0x0200);
    } else {
        QCOMPARE(rig.queries.CheckDrive(), QString::fromLatin1("\x04\x2A"));
        QCOMPARE(rig.cfg.driveVersion(), QStringLiteral("1.04 k"));
        QCOMPARE(rig.cfg.modelIndex(), 1);
    }
    QVERIFY(rig.prompt.messages.isEmpty());
    // No drive message pieced together out of old and new bytes.
    QCOMPARE(rig.prompt.beeps, 0);
    QVERIFY(faults.isEmpty());
    QVERIFY(rig.link.unreadBytes().isEmpty());
}

void TestDriveQueries::queryFromEventInsideAnotherIsIgnored()
{
    LinkRig rig;
    rig.drive.replyDelayMs = 30;
    QString inner = QStringLiteral("not run");
    QTimer::singleShot(5, [&] { inner = rig.queries.CheckDrive(); });
    const QString outer = rig.queries.CheckDrive();
    QCOMPARE(outer, QString::fromLatin1("\x04\x2A"));
    QCOMPARE(inner, QString());
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(rig.drive.received, QByteArray("C") + LinkRig::bytes({121, 142}));
    // Once the first is done, the next may run.
    QCOMPARE(rig.queries.SilentCheckDrive(), outer);
}

void TestDriveQueries::nestedCallOfTheRunningExchangeIsGranted()
{
    LinkRig rig;
    DriveLink::Exchange outer(rig.link);
    QVERIFY(bool(outer));
    QVERIFY(rig.link.exchangeRunning());
    QCOMPARE(rig.queries.SilentCheckDrive(), QString::fromLatin1("\x04\x2A"));
}

QTEST_GUILESS_MAIN(TestDriveQueries)
#include "tst_drivequeries.moc"
