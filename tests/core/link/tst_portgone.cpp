// The device behind an open port goes away (the other end of a
// pseudo-terminal closes; on real hardware a USB adapter is unplugged and
// its tty hung up): the program must not spin on the dead port, must drop it
// so the next exchange reports that no port is open, and must take the port
// again once the device is back and the user picks it.

#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveTool.h"
#include "ProcessorTime.h"
#include "PtyLinkRig.h"
#include "SimulatedDrive.h"
#include "Wait.h"

#include <QtTest>

#include <memory>

namespace {

const QString kNoPortForUpload = QStringLiteral("Cannot upload from drive: there is no comm port open.");

// A tool that takes its time over each byte; the device goes away while it
// handles the twentieth, with more bytes on their way.
struct SlowTool : DriveTool {
    int taken = 0;
    std::function<void()> atTwentieth;
    void ProcessChar(char) override
    {
        if (++taken == 20 && atTwentieth)
            atTwentieth();
        WaitSeconds(0.002);
    }
};

}  // namespace

class TestPortGone : public QObject {
    Q_OBJECT
private slots:
    void deviceGoesAway_data();
    void deviceGoesAway();
};

void TestPortGone::deviceGoesAway_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("idle") << "idle";
    QTest::newRow("during an upload") << "upload";
    QTest::newRow("during a download") << "download";
    QTest::newRow("while a tool takes bytes") << "tool";
}

void TestPortGone::deviceGoesAway()
{
    QFETCH(QString, when);
    PtyLinkRig rig;
    QVERIFY(rig.drive.isPresent());
    QCOMPARE(rig.opened, 1);
    rig.cfg.state().InertiaSet = true;

    if (when == "idle") {
        // Let the link settle on the open port first, as a program at rest.
        QTest::qWait(50);
        rig.drive.vanish();
    } else if (when == "upload") {
        rig.drive.vanishAfterUploadBytes = 80;
        QVERIFY(!rig.transfer.Upload_Click());
    } else if (when == "download") {
        rig.drive.vanishAfterDownloadBytes = 80;
        QVERIFY(!rig.transfer.Download_Click());
    } else {
        SlowTool tool;
        rig.link.enterTerminalMode(tool);
        rig.drive.lineBytesPerSecond = 960;
        tool.atTwentieth = [&] { rig.drive.vanish(); };
        rig.drive.send(QByteArray(200, 'x'));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.port.isOpen(), 3000);
        QVERIFY(tool.taken >= 20 && tool.taken < 200);
        rig.link.leaveTerminalMode(tool);
    }

    // A port spinning on its hang-up burns a whole core; an idle program
    // uses next to nothing. The bound is far from both.
    const double before = ProcessCpuSeconds();
    QTest::qWait(2000);
    const double used = ProcessCpuSeconds() - before;
    qInfo("processor over the 2 s after the device went away: %.2f ms (%.2f %% of one core)", used * 1000,
          used / 2.0 * 100);
    QVERIFY2(used < 0.4, qPrintable(QStringLiteral("%1 s of processor in 2 s").arg(used)));
    QVERIFY(!rig.port.isOpen());

    // Going away is not worth a box of its own: the next exchange tells.
    rig.prompt.clear();
    QVERIFY(!rig.transfer.Upload_Click());
    QCOMPARE(rig.prompt.titles(), QStringList{Configurator::ProgramTitle()});
    QCOMPARE(rig.prompt.messages.first().text, kNoPortForUpload);

    // The device is back (here: a new pseudo-terminal behind COM1) and the
    // user picks the port again.
    SimulatedDrive back;
    QVERIFY(back.isPresent());
    qputenv("KORV4_COM1", back.slavePath().toLocal8Bit());
    rig.prompt.clear();
    rig.cfg.selectCommRow(0);
    QVERIFY(rig.port.isOpen());
    QVERIFY(rig.prompt.messages.isEmpty());
    QVERIFY(rig.transfer.Upload_Click());
    QVERIFY2(rig.prompt.messages.isEmpty(), qPrintable(rig.prompt.titles().join('|')));
    QVERIFY(back.received.startsWith("0"));
    QVERIFY(back.received.contains('u'));
}

QTEST_GUILESS_MAIN(TestPortGone)
#include "tst_portgone.moc"
