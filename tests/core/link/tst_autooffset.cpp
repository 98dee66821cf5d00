#include "AutoOffset.h"
#include "DeviceSerialPort.h"
#include "LinkStack.h"
#include "SimulatedDrive.h"

#include <QTimer>
#include <QtTest>

namespace {

// The link on a pseudo-terminal with the simulated drive at the far end,
// identified as firmware 1.04 revision "k".
struct PtyRig : LinkStack<DeviceSerialPort> {
    PtyRig()
    {
        qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
        opened = link.StartComm();
        cfg.state().FirmwareVersion = DriveLink::FirmwareFromCode(4);
        cfg.state().MinorRev = QStringLiteral("k");
        cfg.state().SettingsChanged = false;
    }
    // The measurement, noting the receive threshold while it waits. The
    // probe is due before any reply the drive delays: timers that are both
    // overdue fire in the order they were due.
    std::optional<double> measure()
    {
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [this] { thresholdsSeen << port.RThreshold(); });
        probe.start(10);
        const std::optional<double> offset = offsetExchange.measure();
        probe.stop();
        return offset;
    }
    SimulatedDrive drive;
    AutoOffset offsetExchange{link};
    int opened = 0;
    QList<int> thresholdsSeen;
};

const QString kNotResponding =
    QStringLiteral("The drive is not responding.  Is it connected to the right port and turned on?");

}  // namespace

class TestAutoOffset : public QObject {
    Q_OBJECT
private slots:
    void measures_data();
    void measures();
    void shortReplyTimesOut();
    void cancelSendsNothing();
    void noPort();
    void secondClickIgnored();
};

void TestAutoOffset::measures_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("minor");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<double>("mv");
    QTest::newRow("FF E7, access code") << QByteArray("\xFF\xE7", 2) << "k" << QByteArray("O4719") << -12.5;
    QTest::newRow("00 28, early revision") << QByteArray("\x00\x28", 2) << "A" << QByteArray("O4719") << 20.0;
    QTest::newRow("past the range") << QByteArray("\x90\x00", 2) << "k" << QByteArray("O4719") << -10000.0;
}

void TestAutoOffset::measures()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, minor);
    QFETCH(QByteArray, command);
    QFETCH(double, mv);
    PtyRig rig;
    QCOMPARE(rig.opened, 1);
    rig.cfg.state().MinorRev = minor;
    rig.drive.offsetReply = reply;
    rig.drive.replyDelayMs = 100;
    const std::optional<double> offset = rig.measure();
    QVERIFY(offset.has_value());
    QCOMPARE(*offset, mv);
    QCOMPARE(rig.drive.received, command);
    QCOMPARE(rig.prompt.messages.size(), 1);
    QCOMPARE(rig.prompt.messages[0].text, QStringLiteral("Make sure analog input to drive is set for zero."));
    QCOMPARE(rig.prompt.messages[0].buttons, Prompt::Buttons::OkCancel);
    QVERIFY(rig.cfg.state().SettingsChanged);
    // The receive event kept off the reply while it was awaited.
    QVERIFY(!rig.thresholdsSeen.isEmpty());
    QVERIFY(!rig.thresholdsSeen.contains(1));
    QCOMPARE(rig.port.RThreshold(), 1);
    QVERIFY(rig.link.RxText().isEmpty());
    QVERIFY(rig.link.unreadBytes().isEmpty());
}

void TestAutoOffset::shortReplyTimesOut()
{
    PtyRig rig;
    rig.cfg.state().FirmwareVersion = DriveLink::FirmwareFromCode(0);
    rig.cfg.state().MinorRev = QStringLiteral("j");
    rig.drive.offsetReply = QByteArray("\x01", 1);
    QVERIFY(!rig.measure().has_value());
    QCOMPARE(rig.drive.received, QByteArray("O"));
    QCOMPARE(rig.prompt.messages.size(), 2);
    QCOMPARE(rig.prompt.messages[1].text, kNotResponding);
    QCOMPARE(rig.prompt.messages[1].icon, Prompt::Icon::Question);
    QVERIFY(!rig.cfg.state().SettingsChanged);
    QCOMPARE(rig.port.RThreshold(), 1);
    // The stray byte is not left for the next exchange's reply.
    QCOMPARE(rig.port.InBufferCount(), 0);
    QVERIFY(rig.link.RxText().isEmpty());

    // A silent drive: the same.
    rig.prompt.clear();
    rig.drive.silent = true;
    QVERIFY(!rig.measure().has_value());
    QCOMPARE(rig.prompt.messages.size(), 2);
    QCOMPARE(rig.port.RThreshold(), 1);
}

void TestAutoOffset::cancelSendsNothing()
{
    PtyRig rig;
    rig.prompt.answers = {Prompt::Answer::Cancel};
    QVERIFY(!rig.measure().has_value());
    QCOMPARE(rig.prompt.messages.size(), 1);
    QTest::qWait(50);
    QVERIFY(rig.drive.received.isEmpty());
    QCOMPARE(rig.port.RThreshold(), 1);
    QVERIFY(!rig.thresholdsSeen.contains(0));
}

void TestAutoOffset::noPort()
{
    PtyRig rig;
    rig.port.close();
    QVERIFY(!rig.measure().has_value());
    QCOMPARE(rig.prompt.messages.size(), 1);
    QCOMPARE(rig.prompt.messages[0].text,
             QStringLiteral("Cannot measure the analog offset: there is no comm port open."));
    QCOMPARE(rig.port.RThreshold(), 1);
    QTest::qWait(50);
    QVERIFY(rig.drive.received.isEmpty());
}

void TestAutoOffset::secondClickIgnored()
{
    PtyRig rig;
    rig.drive.offsetReply = QByteArray("\xFF\xE7", 2);
    rig.drive.replyDelayMs = 200;
    std::optional<double> second = 1.0;
    bool clicked = false;
    // The second click comes while the first waits for the drive: the
    // first events handled are those of its wait.
    QTimer::singleShot(0, [&] {
        clicked = true;
        second = rig.offsetExchange.measure();
    });
    const std::optional<double> first = rig.measure();
    QVERIFY(clicked);
    QVERIFY(!second.has_value());
    QCOMPARE(first.value_or(0), -12.5);
    QCOMPARE(rig.drive.offsetRequests, 1);
    QCOMPARE(rig.prompt.messages.size(), 1);  // asked once
    QCOMPARE(rig.port.RThreshold(), 1);
}

QTEST_MAIN(TestAutoOffset)
#include "tst_autooffset.moc"
