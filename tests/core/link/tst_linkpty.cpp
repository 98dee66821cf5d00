#include "DeviceSerialPort.h"
#include "DriveImage.h"
#include "PtyLinkRig.h"
#include "SimulatedDrive.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

namespace {

QByteArray imageWithSteps(int steps)
{
    Settings s;
    s.StepsPerRev = steps;
    QByteArray im = DownloadString(s, MotorRecord());
    AddChecksum(im);
    return im;
}

}  // namespace

class TestLinkPty : public QObject {
    Q_OBJECT
private slots:
    void opensAndReceives();
    void upload();
    void download();
    void uploadArrivedWhileProgramWasBusy();
    void driveVanishes_data();
    void driveVanishes();
    void textCommandsPassUntranslated();
};

void TestLinkPty::opensAndReceives()
{
    PtyLinkRig rig;
    QVERIFY(rig.drive.isPresent());
    QCOMPARE(rig.opened, 1);
    QVERIFY(rig.prompt.messages.isEmpty());
    rig.drive.send("hi");
    rig.drive.sendGreeting(4, 45);
    QTRY_COMPARE_WITH_TIMEOUT(rig.cfg.modelIndex(), 4, 2000);
    QCOMPARE(rig.link.RxText(), QStringLiteral("hi"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.drive.received, QByteArray("QT"), 2000);
}

void TestLinkPty::upload()
{
    PtyLinkRig rig;
    rig.drive.image = imageWithSteps(6400);
    QVERIFY(rig.transfer.Upload_Click());
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(rig.cfg.settings().StepsPerRev, 6400);
    QCOMPARE(rig.port.RThreshold(), 1);
}

void TestLinkPty::download()
{
    PtyLinkRig rig;
    rig.cfg.state().InertiaSet = true;
    rig.cfg.state().SettingsChanged = true;
    rig.cfg.settings().StepsPerRev = 3200;
    QVERIFY(rig.transfer.Download_Click());
    QVERIFY(rig.prompt.messages.isEmpty());
    QVERIFY(!rig.cfg.state().SettingsChanged);
    QCOMPARE(rig.drive.image, imageWithSteps(3200));
    QCOMPARE(rig.port.RThreshold(), 1);
}

void TestLinkPty::uploadArrivedWhileProgramWasBusy()
{
    // The image reaches the device while the program is kept busy past the
    // time limit: it is all there when the wait ends, so it counts.
    PtyLinkRig rig;
    const QByteArray image = imageWithSteps(6400);
    rig.drive.silent = true;
    QMetaObject::invokeMethod(&rig.drive, [&] {
        rig.drive.send(image);
        QThread::msleep(600);
    }, Qt::QueuedConnection);
    QVERIFY(rig.transfer.DataUpload());
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(rig.cfg.settings().StepsPerRev, 6400);
}

void TestLinkPty::driveVanishes_data()
{
    QTest::addColumn<bool>("upload");
    QTest::addColumn<QString>("title");
    QTest::newRow("mid upload") << true << "Tuner Upload Problem 80 0";
    QTest::newRow("mid download") << false << "KORV4 Configurator";
}

void TestLinkPty::driveVanishes()
{
    QFETCH(bool, upload);
    QFETCH(QString, title);
    PtyLinkRig rig;
    rig.drive.vanishAfterUploadBytes = 80;
    rig.drive.vanishAfterDownloadBytes = 80;
    rig.cfg.state().InertiaSet = true;
    rig.cfg.state().SettingsChanged = true;
    const int steps = rig.cfg.settings().StepsPerRev;

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!(upload ? rig.transfer.Upload_Click() : rig.transfer.Download_Click()));
    QVERIFY2(clock.elapsed() < 5000, "the transfer must end on its time-outs");
    QStringList titles = rig.prompt.titles();
    titles.removeAll(QStringLiteral("Open"));  // the unsaved-changes question
    QVERIFY(!titles.isEmpty());
    QVERIFY2(titles[0].startsWith(title), qPrintable(titles.join('|')));
    QCOMPARE(rig.port.RThreshold(), 1);
    QCOMPARE(rig.cfg.settings().StepsPerRev, steps);
    QVERIFY(rig.cfg.state().SettingsChanged);
    QVERIFY(!rig.port.isOpen());
}

void TestLinkPty::textCommandsPassUntranslated()
{
    // TMX commands end in CR; the line must carry it as it is, both ways.
    PtyLinkRig rig;
    QByteArrayList commands;
    rig.drive.textCommandHandler = [&](const QByteArray& command) {
        commands << command;
        return command.left(2) + "=7\r";
    };
    rig.link.WriteText("AL\rIV1\r");
    QTRY_COMPARE_WITH_TIMEOUT(rig.link.RxText(), QStringLiteral("AL=7\rIV=7\r"), 2000);
    QCOMPARE(commands, (QByteArrayList{"AL", "IV1"}));
}

QTEST_GUILESS_MAIN(TestLinkPty)
#include "tst_linkpty.moc"
