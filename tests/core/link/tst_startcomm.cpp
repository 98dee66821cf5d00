#include "DeviceSerialPort.h"
#include "LinkRig.h"

#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

// Points COM1..COM8 at paths that do not exist (or at the given ones).
void mapPorts(const QString& folder, const QMap<int, QString>& real = {})
{
    for (int n = 1; n <= 8; ++n)
        qputenv(("KORV4_COM" + QByteArray::number(n)).constData(),
                real.value(n, folder + QStringLiteral("/missing%1").arg(n)).toLocal8Bit());
}

struct DeviceRig {
    ScriptedPrompt prompt;
    Configurator cfg{prompt};
    DeviceSerialPort port;
    DriveLink link{cfg, port};
};

}  // namespace

class TestStartComm : public QObject {
    Q_OBJECT
private slots:
    void devicePathMapping();
    void nothingOpens();
    void failedStartCanReachComOneAgain();
    void openReasons_data();
    void openReasons();
    void firstPortThatOpens_data();
    void firstPortThatOpens();
    void listMovesThePort();
    void listFallsBackToOldPort();
    void listIgnoredWhileExchangeWaits();
};

void TestStartComm::devicePathMapping()
{
    qunsetenv("KORV4_COM3");
    QCOMPARE(SerialPort::devicePath(3), QStringLiteral("/dev/ttyS2"));
    qputenv("KORV4_COM3", "/tmp/elsewhere");
    QCOMPARE(SerialPort::devicePath(3), QStringLiteral("/tmp/elsewhere"));
    qunsetenv("KORV4_COM3");
}

void TestStartComm::nothingOpens()
{
    QTemporaryDir dir;
    mapPorts(dir.path());
    DeviceRig rig;
    QCOMPARE(rig.link.StartComm(), 0);
    QStringList expected;
    for (int n = 1; n < 8; ++n)
        expected << "Communication Error";
    expected << "No open port";
    QCOMPARE(rig.prompt.titles(), expected);
    QCOMPARE(rig.prompt.messages[0].text,
             QStringLiteral("Error on Comm1:  1 (no such device %1/missing1).  Will try Comm2.").arg(dir.path()));
    QCOMPARE(rig.prompt.messages[6].text.right(18), QStringLiteral(".  Will try Comm8."));
    QCOMPARE(rig.prompt.messages[0].icon, Prompt::Icon::Exclamation);
    QCOMPARE(rig.prompt.messages[7].icon, Prompt::Icon::None);
    QVERIFY(rig.prompt.messages[7].text.startsWith("Could not find an open comm port."));
    QCOMPARE(rig.cfg.commRow(), 0);
    QVERIFY(!rig.port.isOpen());
}

void TestStartComm::failedStartCanReachComOneAgain()
{
    LinkRig rig(false);
    rig.port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    QCOMPARE(rig.link.StartComm(), 0);
    rig.prompt.clear();
    // The adapter is plugged in now; choosing COM1 (the row shown) opens it.
    rig.port.missingPorts.clear();
    rig.cfg.selectCommRow(0);
    QVERIFY(rig.port.isOpen());
    QCOMPARE(rig.port.portNumber(), 1);
    QCOMPARE(rig.drive.received, QByteArray("0"));
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestStartComm::openReasons_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing" << "no such device";
    QTest::newRow("no permission") << "permission" << "permission denied";
    QTest::newRow("busy") << "busy" << "port busy";
}

void TestStartComm::openReasons()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.path() + "/tty";
    SimulatedDrive drive;  // a pseudo-terminal to hold busy
    DeviceSerialPort holder;
    if (kind == QLatin1String("permission")) {
        if (::geteuid() == 0)
            QSKIP("root opens any device");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QFile::setPermissions(path, QFileDevice::Permissions());
    } else if (kind == QLatin1String("busy")) {
        path = drive.slavePath();
        qputenv("KORV4_COM1", path.toLocal8Bit());
        QVERIFY(holder.open(1));
    }
    qputenv("KORV4_COM2", path.toLocal8Bit());
    DeviceSerialPort port;
    SerialPort::OpenError error;
    QVERIFY(!port.open(2, &error));
    QVERIFY2(error.reason.contains(reason), qPrintable(error.reason));
    QVERIFY(error.number != 0);
    QVERIFY(!port.isOpen());
}

void TestStartComm::firstPortThatOpens_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QByteArray>("sent");  // the list event reopens a later port and sends "0"
    QTest::newRow("COM1") << 1 << QByteArray();
    QTest::newRow("COM3") << 3 << QByteArray("0");
    QTest::newRow("COM8") << 8 << QByteArray("0");
}

void TestStartComm::firstPortThatOpens()
{
    QFETCH(int, first);
    LinkRig rig(false);
    for (int n = 1; n < first; ++n)
        rig.port.missingPorts << n;
    rig.port.setRThreshold(0);
    QCOMPARE(rig.link.StartComm(), first);
    QCOMPARE(rig.prompt.titles().size(), first - 1);
    QCOMPARE(rig.port.portNumber(), first);
    QVERIFY(rig.port.isOpen());
    QCOMPARE(rig.port.RThreshold(), 1);
    QCOMPARE(rig.cfg.state().CommPortNumber, first);
    QCOMPARE(rig.cfg.commRow(), first - 1);
    QTEST(rig.drive.received, "sent");
}

void TestStartComm::listMovesThePort()
{
    LinkRig rig(false);
    QCOMPARE(rig.link.StartComm(), 1);
    rig.cfg.selectCommRow(4);
    QCOMPARE(rig.port.portNumber(), 5);
    QCOMPARE(rig.cfg.state().CommPortNumber, 5);
    QCOMPARE(rig.cfg.commRow(), 4);
    QCOMPARE(rig.drive.received, QByteArray("0"));
    // The row of the open port: nothing happens.
    rig.cfg.selectCommRow(4);
    QCOMPARE(rig.drive.received, QByteArray("0"));
}

void TestStartComm::listFallsBackToOldPort()
{
    LinkRig rig(false);
    rig.port.missingPorts = {1, 6};
    QCOMPARE(rig.link.StartComm(), 2);
    rig.prompt.clear();
    rig.cfg.selectCommRow(5);
    QCOMPARE(rig.prompt.titles(), QStringList{"COM Error"});
    QCOMPARE(rig.prompt.messages[0].text, QStringLiteral("COM port 6 is not available."));
    QCOMPARE(rig.prompt.messages[0].icon, Prompt::Icon::Exclamation);
    QVERIFY(rig.port.isOpen());
    QCOMPARE(rig.port.portNumber(), 2);
    QCOMPARE(rig.cfg.state().CommPortNumber, 2);
    QCOMPARE(rig.cfg.commRow(), 1);
}

void TestStartComm::listIgnoredWhileExchangeWaits()
{
    LinkRig rig;
    rig.drive.replyDelayMs = 30;
    rig.cfg.setCommRow(0);
    QTimer::singleShot(5, [&] { rig.cfg.selectCommRow(3); });
    QVERIFY(!rig.queries.SilentCheckDrive().isEmpty());
    QCOMPARE(rig.cfg.commRow(), 0);  // the list goes back to the port in use
    QCOMPARE(rig.port.portNumber(), 1);
    QCOMPARE(rig.cfg.state().CommPortNumber, 1);
    QVERIFY(rig.port.isOpen());
}

QTEST_GUILESS_MAIN(TestStartComm)
#include "tst_startcomm.moc"
