#include "DriveImage.h"
#include "LinkRig.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

namespace {

// The image of a drive set to 12800 steps/rev and 2.5 A.
QByteArray driveImage()
{
    Settings s;
    s.StepsPerRev = 12800;
    s.RunCurrent = 2.5;
    QByteArray im = DownloadString(s, MotorRecord());
    AddChecksum(im);
    return im;
}

// The configuration-link commands the drive got, with a download's image
// bytes and the query codes left out.
QByteArray commandsOf(const QByteArray& received)
{
    QByteArray commands;
    for (qsizetype i = 0; i < received.size(); ++i) {
        const char c = received[i];
        if (c == 'y') {
            ++i;
            continue;
        }
        commands.append(c);
        if (c == 'd')
            i += DriveImageSize;
    }
    return commands;
}

}  // namespace

class TestDriveTransfer : public QObject {
    Q_OBJECT
private slots:
    void goodUpload();
    void failedUpload_data();
    void failedUpload();
    void uploadGuards_data();
    void uploadGuards();
    void uploadCompleteWhenTimeAlsoPassed();
    void download_data();
    void download();
    void downloadLimits_data();
    void downloadLimits();
    void downloadInertiaQuestion_data();
    void downloadInertiaQuestion();
    void downloadPressesVisibleOksInOrder();
    void downloadWithoutPort();
    void editDuringDownloadStaysUnsaved();
    void secondTransferFromInsideWaitIsIgnored();
};

void TestDriveTransfer::goodUpload()
{
    LinkRig rig;
    rig.drive.image = driveImage();
    rig.drive.modelCode = 44;
    rig.cfg.state().SettingsChanged = true;  // the user agrees to replace them
    QSignalSpy summaries(&rig.cfg, &Configurator::summaryRefreshRequested);
    QSignalSpy progress(&rig.transfer, &DriveTransfer::progressChanged);

    QVERIFY(rig.transfer.Upload_Click());
    QCOMPARE(rig.prompt.titles(), QStringList{"Open"});
    QCOMPARE(rig.cfg.settings().StepsPerRev, 12800);
    QCOMPARE(rig.cfg.settings().RunCurrent, 2.5);
    QCOMPARE(rig.cfg.modelIndex(), 3);
    QVERIFY(!rig.cfg.state().SettingsChanged);
    QCOMPARE(summaries.size(), 1);
    QCOMPARE(rig.port.RThreshold(), 1);
    QCOMPARE(progress.last()[0].toInt(), 0);
    // "S", the silent and the full identify, the image, one more identify.
    QCOMPARE(commandsOf(rig.drive.received), QByteArray("SCCuC"));
}

void TestDriveTransfer::failedUpload_data()
{
    QTest::addColumn<int>("length");   // image bytes sent
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<bool>("badSum");
    QTest::addColumn<QString>("title");

    QTest::newRow("120 of 161 bytes") << 120 << QByteArray() << false << "Tuner Upload Problem 120 0";
    QTest::newRow("nothing") << 0 << QByteArray() << false << "Tuner Upload Problem 0 0";
    QTest::newRow("bad sum") << -1 << QByteArray() << true << "Checksum Error";
    QTest::newRow("bytes behind the image") << -1 << QByteArray("zz") << false << "Checksum Error";
}

void TestDriveTransfer::failedUpload()
{
    QFETCH(int, length);
    QFETCH(QByteArray, extra);
    QFETCH(bool, badSum);
    QFETCH(QString, title);
    LinkRig rig;
    rig.drive.image = driveImage();
    if (badSum)
        rig.drive.image[DriveImageSize - 1] = static_cast<char>(rig.drive.image[DriveImageSize - 1] ^ 1);
    rig.drive.uploadLength = length;
    rig.drive.uploadExtra = extra;
    rig.cfg.state().SettingsChanged = true;
    const int steps = rig.cfg.settings().StepsPerRev;

    QVERIFY(!rig.transfer.Upload_Click());
    QCOMPARE(rig.prompt.titles(), (QStringList{"Open", title}));
    QCOMPARE(rig.cfg.settings().StepsPerRev, steps);
    QVERIFY(rig.cfg.state().SettingsChanged);
    QCOMPARE(rig.port.RThreshold(), 1);
    // What the upload left behind is not taken for drive text or messages.
    QCOMPARE(rig.port.InBufferCount(), 0);
    rig.link.RxText().clear();
    rig.arrive("AB");
    QCOMPARE(rig.link.RxText(), QStringLiteral("AB"));
}

void TestDriveTransfer::uploadGuards_data()
{
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QByteArray>("commands");

    QTest::newRow("user cancels") << true << true << QStringList{"Open"} << QByteArray();
    QTest::newRow("no port") << false << false << QStringList{"KORV4 Configurator"} << QByteArray();
}

void TestDriveTransfer::uploadGuards()
{
    QFETCH(bool, portOpen);
    QFETCH(bool, changed);
    LinkRig rig(portOpen);
    rig.cfg.state().SettingsChanged = changed;
    rig.prompt.answers = {Prompt::Answer::Cancel};
    QVERIFY(!rig.transfer.Upload_Click());
    QTEST(rig.prompt.titles(), "titles");
    QTEST(commandsOf(rig.drive.received), "commands");
    if (!portOpen)
        QCOMPARE(rig.prompt.messages[0].text,
                 QStringLiteral("Cannot upload from drive: there is no comm port open."));
}

void TestDriveTransfer::uploadCompleteWhenTimeAlsoPassed()
{
    // The whole image is there in the same pass in which the time limit
    // passes (something kept the program busy): it is accepted.
    LinkRig rig;
    rig.drive.image = driveImage();
    QMetaObject::invokeMethod(&rig.port, [] { QThread::msleep(600); }, Qt::QueuedConnection);
    QVERIFY(rig.transfer.DataUpload());
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(rig.cfg.settings().StepsPerRev, 12800);
}

void TestDriveTransfer::download_data()
{
    QTest::addColumn<int>("ack");        // -1: the drive judges the sum
    QTest::addColumn<bool>("silent");  // identifies, then says nothing to the image
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("ACK") << -1 << false << true << QStringList();
    QTest::newRow("NAK") << 21 << false << false << QStringList{"Checksum Error"};
    QTest::newRow("other byte") << 7 << false << false << QStringList();
    QTest::newRow("no answer") << -1 << true << false << QStringList{"KORV4 Configurator"};
}

void TestDriveTransfer::download()
{
    QFETCH(int, ack);
    QFETCH(bool, silent);
    QFETCH(bool, accepted);
    LinkRig rig;
    rig.cfg.selectModel(1);
    rig.cfg.state().InertiaSet = true;
    rig.cfg.state().SettingsChanged = true;
    rig.drive.ackByte = ack;
    QSignalSpy progress(&rig.transfer, &DriveTransfer::progressChanged);

    rig.drive.acknowledges = !silent;
    QCOMPARE(rig.transfer.Download_Click(), accepted);
    QTEST(rig.prompt.titles(), "titles");
    QCOMPARE(rig.cfg.state().SettingsChanged, !accepted);
    QCOMPARE(rig.port.RThreshold(), 1);
    QCOMPARE(progress.last()[0].toInt(), 0);
    QVERIFY(!progress.isEmpty());

    QByteArray sent = rig.drive.received;
    const qsizetype d = sent.indexOf('d', sent.indexOf('S'));
    QByteArray expected = DownloadString(rig.cfg.settings(), rig.cfg.databaseMotor());
    AddChecksum(expected);
    QCOMPARE(sent.mid(d + 1), expected);
    if (accepted)
        QCOMPARE(rig.drive.image, expected);
}

void TestDriveTransfer::downloadLimits_data()
{
    QTest::addColumn<int>("rowBefore");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("firmware");
    QTest::addColumn<double>("current");
    QTest::addColumn<int>("tach");
    QTest::addColumn<QString>("message");  // start of the box text, "" none

    QTest::newRow("current above the drive's maximum")
        << 3 << 44 << 4 << 5.0 << 3 << "The motor current setting exceeds";
    QTest::newRow("identify lowers the current first") << 0 << 44 << 4 << 5.0 << 3 << "";
    QTest::newRow("tach 5 on firmware 1.01") << 1 << 42 << 1 << 1.4 << 5 << "You need DSP firmware 1.02";
    QTest::newRow("tach 4 on firmware 1.01") << 1 << 42 << 1 << 1.4 << 4 << "";
    QTest::newRow("tach 8 on firmware 1.02") << 1 << 42 << 2 << 1.4 << 8 << "";
}

void TestDriveTransfer::downloadLimits()
{
    QFETCH(int, rowBefore);
    QFETCH(int, model);
    QFETCH(int, firmware);
    QFETCH(double, current);
    QFETCH(int, tach);
    QFETCH(QString, message);
    LinkRig rig;
    rig.cfg.selectModel(rowBefore);
    rig.cfg.settings().RunCurrent = current;
    rig.cfg.settings().MotionOutputMode = tach;
    rig.cfg.state().InertiaSet = true;
    rig.drive.modelCode = model;
    rig.drive.firmwareCode = firmware;

    QCOMPARE(rig.transfer.Download_Click(), message.isEmpty());
    QCOMPARE(commandsOf(rig.drive.received), message.isEmpty() ? QByteArray("SCd") : QByteArray("SC"));
    if (!message.isEmpty()) {
        QCOMPARE(rig.prompt.titles(), QStringList{"KORV4 Configurator"});
        QVERIFY(rig.prompt.messages[0].text.startsWith(message));
    }
    QCOMPARE(rig.port.RThreshold(), 1);
}

void TestDriveTransfer::downloadInertiaQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("sent");
    QTest::newRow("No") << int(Prompt::Answer::No) << false;
    QTest::newRow("Yes") << int(Prompt::Answer::Yes) << true;
}

void TestDriveTransfer::downloadInertiaQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, sent);
    LinkRig rig;
    rig.cfg.selectModel(1);
    rig.prompt.answers = {Prompt::Answer(answer)};
    QCOMPARE(rig.transfer.Download_Click(), sent);
    QCOMPARE(rig.prompt.titles(), QStringList{"Load Inertia Not Set"});
    QCOMPARE(rig.prompt.messages[0].buttons, Prompt::Buttons::YesNo);
    QCOMPARE(rig.cfg.state().InertiaSet, sent);
    QCOMPARE(rig.drive.received.isEmpty(), !sent);
    // Once answered Yes, the question is not asked again.
    rig.prompt.clear();
    rig.prompt.answers = {Prompt::Answer::No};
    rig.transfer.Download_Click();
    QCOMPARE(rig.prompt.titles().contains("Load Inertia Not Set"), !sent);
}

void TestDriveTransfer::downloadPressesVisibleOksInOrder()
{
    LinkRig rig;
    rig.cfg.state().InertiaSet = true;
    QStringList pressed;
    using D = DriveTransfer::OkDialog;
    // Registered out of order; pressed in the fixed order.
    const QList<QPair<D, QString>> dialogs = {
        {D::RegenDialog, "Regen"},       {D::EditMotor, "EditMotor"},
        {D::EncoderDialog, "Encoder"},   {D::MotorDialog, "Motor"},
        {D::PulseDirDialog, "PulseDir"}, {D::AdvancedSettings, "Advanced"},
        {D::VelocityDialog, "Velocity"}};
    for (const auto& [dialog, name] : dialogs)
        rig.transfer.setOkPress(dialog, [&pressed, name = name, &rig] {
            pressed << name;
            if (name == QLatin1String("Motor"))
                rig.cfg.settings().StepsPerRev = 4321;  // a value still being edited
        });
    QVERIFY(rig.transfer.Download_Click());
    QCOMPARE(pressed, (QStringList{"EditMotor", "Motor", "Advanced", "Velocity", "PulseDir", "Encoder", "Regen"}));
    Settings copy = rig.cfg.settings();
    QCOMPARE(copy.StepsPerRev, 4321);
    QCOMPARE(rig.drive.image.mid(0, DriveImageSize), [&] {
        QByteArray im = DownloadString(copy, rig.cfg.databaseMotor());
        AddChecksum(im);
        return im;
    }());
}

// A setting confirmed while the drive is still being written is not in the
// image the drive acknowledges.
void TestDriveTransfer::editDuringDownloadStaysUnsaved()
{
    LinkRig rig;
    rig.cfg.selectModel(1);
    rig.cfg.state().InertiaSet = true;
    rig.cfg.state().SettingsChanged = false;
    // The edit lands while the image bytes go out.
    QObject::connect(&rig.transfer, &DriveTransfer::progressChanged, [&rig](int percent) {
        if (percent == 50) {
            rig.cfg.settings().StepsPerRev = 400;
            rig.cfg.state().SettingsChanged = true;
        }
    });
    QVERIFY(rig.transfer.Download_Click());
    QVERIFY(rig.cfg.state().SettingsChanged);
}

void TestDriveTransfer::downloadWithoutPort()
{
    LinkRig rig(false);
    bool pressed = false;
    rig.transfer.setOkPress(DriveTransfer::OkDialog::MotorDialog, [&] { pressed = true; });
    QVERIFY(!rig.transfer.Download_Click());
    QCOMPARE(rig.prompt.titles(), QStringList{"KORV4 Configurator"});
    QCOMPARE(rig.prompt.messages[0].text, QStringLiteral("Cannot download to drive: there is no comm port open."));
    QCOMPARE(rig.prompt.messages[0].icon, Prompt::Icon::Information);
    QVERIFY(!pressed);
    QVERIFY(!rig.transfer.DoDownload());
    QVERIFY(rig.drive.received.isEmpty());
}

void TestDriveTransfer::secondTransferFromInsideWaitIsIgnored()
{
    LinkRig rig;
    rig.cfg.state().InertiaSet = true;
    int clicks = 0;
    bool secondResult = true;
    // A click on Upload while the download sends its bytes.
    connect(&rig.transfer, &DriveTransfer::progressChanged, [&](int percent) {
        if (percent == 50 && clicks++ == 0)
            QTimer::singleShot(0, [&] { secondResult = rig.transfer.Upload_Click(); });
    });
    QVERIFY(rig.transfer.Download_Click());
    QCOMPARE(clicks, 1);
    QVERIFY(!secondResult);
    QVERIFY(rig.prompt.messages.isEmpty());
    QCOMPARE(commandsOf(rig.drive.received), QByteArray("SCd"));
}

QTEST_GUILESS_MAIN(TestDriveTransfer)
#include "tst_drivetransfer.moc"
