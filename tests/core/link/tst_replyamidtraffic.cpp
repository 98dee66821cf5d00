// What else the drive sends around a reply: a drive message in the same read
// as the download's answer, a greeting cut in two by the start of an
// exchange, a greeting in the middle of a download, the late tail of an
// image. Each exchange still reads its own answer, and the drive's messages
// are still handled. Run over the in-memory port and over a pseudo-terminal,
// with the drive writing each reply whole (as an adapter's buffer hands it
// over) and paced like a 9600-baud line.

#include "DriveImage.h"
#include "ImageWithSteps.h"
#include "FaultWatch.h"
#include "LinkRig.h"
#include "PtyLinkRig.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray B(std::initializer_list<int> v)
{
    return LinkRig::bytes(v);
}

const QByteArray kFault = B({252, 0, 1});     // alarm word 1: motor stalled
const QByteArray kGreeting = B({255, 4, 42});  // firmware 1.04, model row 1

// Runs the body on a fresh rig of the kind named: "memory" or "pty".
template <class Body>
void onRig(const QString& port, Body body)
{
    if (port == QLatin1String("memory")) {
        LinkRig rig;
        body(rig);
        return;
    }
    PtyLinkRig rig;
    QVERIFY(rig.drive.isPresent());
    QCOMPARE(rig.opened, 1);
    body(rig);
}

// The lines a table runs on: both ports, replies whole and paced.
struct Line {
    const char* port;
    const char* name;
    int bytesPerSecond;
    int chunk;
};
const Line kLines[] = {
    {"memory", "whole", 0, 1},
    {"memory", "paced", 960, 1},
    {"pty", "whole", 0, 1},
    {"pty", "paced", 960, 1},
};

QByteArray sentAfterImage(const QByteArray& received)
{
    const qsizetype d = received.indexOf('d');
    return d < 0 ? QByteArray() : received.mid(d + 1 + DriveImageSize);
}

}  // namespace

class TestReplyAmidTraffic : public QObject {
    Q_OBJECT
private slots:
    void downloadAnswerSharesRead_data();
    void downloadAnswerSharesRead();
    void queryAnswerSharesRead_data();
    void queryAnswerSharesRead();
    void greetingMidDownload_data();
    void greetingMidDownload();
    void exchangeStartCutsGreeting_data();
    void exchangeStartCutsGreeting();
    void lateImageTail_data();
    void lateImageTail();
};

void TestReplyAmidTraffic::downloadAnswerSharesRead_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("bytesPerSecond");
    QTest::addColumn<QByteArray>("before");  // in the write of the answer
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("ack");            // -1: the drive judges the sum
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("fault");         // the fault window is to open
    QTest::addColumn<QByteArray>("answered"); // what the program sends after the image

    const struct {
        const char* name;
        QByteArray before, after;
        int ack;
        bool accepted;
        QStringList titles;
        bool fault;
        QByteArray answered;
    } shapes[] = {
        {"fault, ACK", kFault, {}, -1, true, {}, true, {}},
        {"greeting, ACK", kGreeting, {}, -1, true, {}, false, "QT"},
        {"ACK, greeting", {}, kGreeting, -1, true, {}, false, "QT"},
        {"fault, ACK, fault", kFault, kFault, -1, true, {}, true, {}},
        {"fault, NAK", kFault, {}, 21, false, {"Checksum Error"}, true, {}},
    };
    for (const Line& line : kLines)
        for (const auto& s : shapes)
            QTest::addRow("%s %s: %s", line.port, line.name, s.name)
                << line.port << line.bytesPerSecond << s.before << s.after << s.ack << s.accepted << s.titles
                << s.fault << s.answered;
}

void TestReplyAmidTraffic::downloadAnswerSharesRead()
{
    QFETCH(QString, port);
    QFETCH(int, bytesPerSecond);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(int, ack);
    QFETCH(bool, accepted);
    QFETCH(QStringList, titles);
    QFETCH(bool, fault);
    QFETCH(QByteArray, answered);
    onRig(port, [&](auto& rig) {
        FaultWatch watch(rig.link);
        QSignalSpy shows(&watch, &FaultWatch::showRequested);
        rig.cfg.selectModel(1);
        rig.cfg.state().InertiaSet = true;
        rig.cfg.state().SettingsChanged = true;
        rig.drive.lineBytesPerSecond = bytesPerSecond;
        rig.drive.beforeAck = before;
        rig.drive.afterAck = after;
        rig.drive.ackByte = ack;

        QCOMPARE(rig.transfer.Download_Click(), accepted);
        QCOMPARE(rig.prompt.titles(), titles);
        QCOMPARE(rig.cfg.state().SettingsChanged, !accepted);
        QCOMPARE(rig.port.RThreshold(), 1);
        // The drive's messages were handled all the same.
        if (fault)
            QTRY_COMPARE_WITH_TIMEOUT(shows.size(), 1, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(sentAfterImage(rig.drive.received), answered, 3000);
        QTest::qWait(50);
        QCOMPARE(shows.size(), fault ? 1 : 0);
        QCOMPARE(rig.cfg.modelIndex(), 1);
    });
}

void TestReplyAmidTraffic::queryAnswerSharesRead_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("bytesPerSecond");
    QTest::addColumn<bool>("identify");    // else the servo status
    QTest::addColumn<QByteArray>("ahead");  // in the write of the answer
    for (const Line& line : kLines)
        for (const bool identify : {true, false})
            for (const auto& [name, ahead] : {std::pair{"greeting", kGreeting}, std::pair{"fault", kFault}})
                QTest::addRow("%s %s: %s ahead of the %s answer", line.port, line.name, name,
                              identify ? "identify" : "status")
                    << line.port << line.bytesPerSecond << identify << ahead;
}

void TestReplyAmidTraffic::queryAnswerSharesRead()
{
    QFETCH(QString, port);
    QFETCH(int, bytesPerSecond);
    QFETCH(bool, identify);
    QFETCH(QByteArray, ahead);
    onRig(port, [&](auto& rig) {
        FaultWatch watch(rig.link);
        QSignalSpy shows(&watch, &FaultWatch::showRequested);
        rig.drive.lineBytesPerSecond = bytesPerSecond;
        rig.drive.servoStatus = 0x0200;
        rig.drive.aheadOfNextAnswer = ahead;
        if (identify) {
            QCOMPARE(rig.queries.CheckDrive(), QString::fromLatin1(B({4, 42})));
            QCOMPARE(rig.cfg.driveVersion(), QStringLiteral("1.04 k"));
        } else {
            QCOMPARE(rig.queries.GetServoStatus(), 0x0200);
        }
        QCOMPARE(rig.prompt.titles(), QStringList());
        QCOMPARE(rig.cfg.modelIndex(), ahead == kGreeting || identify ? 1 : -1);
        if (ahead == kGreeting)
            QTRY_VERIFY_WITH_TIMEOUT(rig.drive.received.contains("QT"), 3000);
        else
            QTRY_COMPARE_WITH_TIMEOUT(shows.size(), 1, 3000);
    });
}

void TestReplyAmidTraffic::greetingMidDownload_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("bytesPerSecond");
    for (const Line& line : kLines)
        QTest::addRow("%s %s", line.port, line.name) << line.port << line.bytesPerSecond;
}

void TestReplyAmidTraffic::greetingMidDownload()
{
    // The drive restarts while the image goes out: it greets, the program
    // answers "QT" between image bytes, and the drive refuses the image.
    QFETCH(QString, port);
    QFETCH(int, bytesPerSecond);
    onRig(port, [&](auto& rig) {
        rig.cfg.selectModel(1);
        rig.cfg.state().InertiaSet = true;
        rig.cfg.state().SettingsChanged = true;
        rig.drive.lineBytesPerSecond = bytesPerSecond;
        bool greeted = false;
        QObject::connect(&rig.transfer, &DriveTransfer::progressChanged, [&](int percent) {
            if (percent < 50 || greeted)
                return;
            greeted = true;
            rig.drive.ackByte = 21;
            rig.drive.sendGreeting(4, 42);
        });

        QVERIFY(!rig.transfer.Download_Click());
        QVERIFY(greeted);
        QCOMPARE(rig.prompt.titles(), QStringList{"Checksum Error"});
        QVERIFY(rig.cfg.state().SettingsChanged);
        QCOMPARE(rig.port.RThreshold(), 1);
        const qsizetype d = rig.drive.received.indexOf('d');
        QTRY_VERIFY_WITH_TIMEOUT(rig.drive.received.indexOf("QT", d) > d, 3000);
    });
}

void TestReplyAmidTraffic::exchangeStartCutsGreeting_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("bytesPerSecond");
    QTest::addColumn<bool>("upload");       // else download
    QTest::addColumn<bool>("inPort");       // the first bytes still in the port, else with the receive path
    QTest::addColumn<QByteArray>("first");  // there when the button is pressed

    const QByteArray ff04 = B({255, 4});
    const QByteArray ff = B({255});
    for (const Line& line : kLines) {
        const auto row = [&](const char* what, bool upload, bool inPort, const QByteArray& first) {
            QTest::addRow("%s %s: %s", line.port, line.name, what)
                << line.port << line.bytesPerSecond << upload << inPort << first;
        };
        row("Upload, FF 04 with the receive path", true, false, ff04);
        row("Upload, FF 04 in the port", true, true, ff04);
        row("Upload, FF in the port", true, true, ff);
        row("Download, FF 04 with the receive path", false, false, ff04);
        row("Download, FF 04 in the port", false, true, ff04);
    }
}

void TestReplyAmidTraffic::exchangeStartCutsGreeting()
{
    // The drive greets (FF 04 2A) just as the user presses a button: its
    // first bytes are there, the rest is on its way (on the paced line ahead
    // of the answers to what the button sends).
    QFETCH(QString, port);
    QFETCH(int, bytesPerSecond);
    QFETCH(bool, upload);
    QFETCH(bool, inPort);
    QFETCH(QByteArray, first);
    onRig(port, [&](auto& rig) {
        rig.cfg.selectModel(1);
        rig.cfg.state().InertiaSet = true;
        rig.cfg.state().SettingsChanged = false;
        rig.drive.image = ImageWithSteps(12800);
        rig.drive.firmwareCode = 7;  // the identify says 1.07, the greeting 1.04
        rig.drive.lineBytesPerSecond = bytesPerSecond;
        if (inPort)
            rig.port.setRThreshold(0);
        rig.drive.send(first);
        if (inPort)
            QTRY_COMPARE_WITH_TIMEOUT(rig.port.InBufferCount(), int(first.size()), 3000);
        else
            QTRY_COMPARE_WITH_TIMEOUT(rig.link.unreadBytes(), first, 3000);
        rig.port.setRThreshold(1);
        rig.drive.send(kGreeting.mid(first.size()));

        QVERIFY(upload ? rig.transfer.Upload_Click() : rig.transfer.Download_Click());
        QCOMPARE(rig.prompt.titles(), QStringList());
        // What is stored is what the drive said when asked.
        QCOMPARE(rig.cfg.state().FirmwareVersion, 1.07f);
        QCOMPARE(rig.cfg.state().DriveModelCode, 42);
        QCOMPARE(rig.cfg.modelIndex(), 1);
        if (upload)
            QCOMPARE(rig.cfg.settings().StepsPerRev, 12800);
        else
            QCOMPARE(rig.drive.downloadsTaken, 1);
        QVERIFY(rig.drive.received.startsWith("SC"));
    });
}

void TestReplyAmidTraffic::lateImageTail_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("bytesPerSecond");
    QTest::addColumn<int>("chunk");
    const Line lines[] = {
        {"memory", "whole", 0, 1},          {"memory", "paced", 960, 1},
        {"memory", "paced in 16s", 960, 16}, {"pty", "whole", 0, 1},
        {"pty", "paced", 960, 1},           {"pty", "paced in 16s", 960, 16},
    };
    for (const Line& line : lines)
        QTest::addRow("%s %s", line.port, line.name) << line.port << line.bytesPerSecond << line.chunk;
}

void TestReplyAmidTraffic::lateImageTail()
{
    // 100 image bytes come within the upload's time; the other 61 are still
    // on the line as the user closes the box (61 bytes take 64 ms at 9600
    // baud). The identify after the upload reads its own answer.
    QFETCH(QString, port);
    QFETCH(int, bytesPerSecond);
    QFETCH(int, chunk);
    onRig(port, [&](auto& rig) {
        const QByteArray image = SimulatedDrive::sampleImage();
        rig.cfg.state().SettingsChanged = false;
        rig.drive.image = image;
        rig.drive.uploadLength = 100;
        rig.drive.lineBytesPerSecond = bytesPerSecond;
        rig.drive.lineChunk = chunk;
        rig.prompt.whileShown = [&](const ScriptedPrompt::Message& m) {
            if (m.title.startsWith(QLatin1String("Tuner Upload Problem")))
                rig.drive.send(image.mid(100));
        };
        const int steps = rig.cfg.settings().StepsPerRev;

        QVERIFY(!rig.transfer.Upload_Click());
        QCOMPARE(rig.prompt.titles(), QStringList{"Tuner Upload Problem 100 0"});
        QCOMPARE(rig.cfg.settings().StepsPerRev, steps);
        // The identify that followed the upload read the drive's answer,
        // not image bytes 100 and 101 (firmware 2.00, model code 101).
        QCOMPARE(rig.cfg.state().FirmwareVersion, 1.04f);
        QCOMPARE(rig.cfg.state().DriveModelCode, 42);
        QCOMPARE(rig.cfg.driveVersion(), QStringLiteral("1.04 k"));
        QCOMPARE(rig.queries.CheckDrive(), QString::fromLatin1(B({4, 42})));
        QCOMPARE(rig.prompt.titles(), QStringList{"Tuner Upload Problem 100 0"});
    });
}

QTEST_GUILESS_MAIN(TestReplyAmidTraffic)
#include "tst_replyamidtraffic.moc"
