#include "DeviceSerialPort.h"
#include "DriveImage.h"
#include "ImageWithSteps.h"
#include "DriveTool.h"
#include "PtyLinkRig.h"
#include "SimulatedDrive.h"
#include "Wait.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

namespace {

enum class ToolKind { Records, DriveTalksMeanwhile, WaitsInProcessChar, QueriesFromItsYield };

// A drive tool for the receive path's hand-over: it records every byte; it
// may wait inside ProcessChar, or, after a '!', ask the drive "C" from an
// event handled in the receive path's yield and wait there for the answer.
// At a '#' it runs onMark.
struct HandOverTool : DriveTool {
    DriveLink& link;
    ToolKind kind;
    QByteArray chars;
    bool asked = false;
    bool answered = false;
    std::function<void()> onMark;
    HandOverTool(DriveLink& l, ToolKind k) : link(l), kind(k) {}
    void ProcessChar(char c) override
    {
        chars.append(c);
        if (c == '#' && onMark)
            onMark();
        if (kind == ToolKind::WaitsInProcessChar)
            WaitSeconds(0.002);
        if (kind == ToolKind::QueriesFromItsYield && c == '!')
            QTimer::singleShot(0, [this] {
                asked = true;
                link.WriteText("C");
                answered = WaitUntil([this] { return chars.endsWith(QByteArray("\x04\x2a", 2)); }, 1.0);
            });
    }
};

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
    void arrivalsDuringHandOver_data();
    void arrivalsDuringHandOver();
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
    rig.drive.image = ImageWithSteps(6400);
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
    QCOMPARE(rig.drive.image, ImageWithSteps(3200));
    QCOMPARE(rig.port.RThreshold(), 1);
}

void TestLinkPty::uploadArrivedWhileProgramWasBusy()
{
    // The image reaches the device while the program is kept busy past the
    // time limit: it is all there when the wait ends, so it counts.
    PtyLinkRig rig;
    const QByteArray image = ImageWithSteps(6400);
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

void TestLinkPty::arrivalsDuringHandOver_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("bytesPerSecond");
    const struct {
        const char* name;
        ToolKind kind;
    } kinds[] = {{"tool records", ToolKind::Records},
                 {"drive talks while the tool takes a byte", ToolKind::DriveTalksMeanwhile},
                 {"tool waits in ProcessChar", ToolKind::WaitsInProcessChar},
                 {"tool asks from the yield", ToolKind::QueriesFromItsYield}};
    for (const auto& k : kinds) {
        QTest::addRow("%s, one write", k.name) << int(k.kind) << 0;
        QTest::addRow("%s, paced", k.name) << int(k.kind) << 960;
    }
}

void TestLinkPty::arrivalsDuringHandOver()
{
    // The bytes that arrive while the receive path hands bytes to a tool
    // (and yields after each) reach the tool too, once each and in order,
    // also when the line falls silent after them; and a wait begun inside
    // the hand-over gets its answer.
    QFETCH(int, kind);
    QFETCH(int, bytesPerSecond);
    PtyLinkRig rig;
    QCOMPARE(rig.opened, 1);
    HandOverTool tool(rig.link, ToolKind(kind));
    rig.link.enterTerminalMode(tool);
    rig.drive.lineBytesPerSecond = bytesPerSecond;
    // In one write more than the device reads at a time: the rest is read
    // while the first part is being handed over.
    QByteArray stream;
    for (int i = 0; i < (bytesPerSecond > 0 ? 60 : 2000); ++i)
        stream.append(static_cast<char>('A' + i % 26));
    QByteArray expected = stream;
    if (tool.kind == ToolKind::QueriesFromItsYield) {
        stream.insert(10, '!');
        expected = stream + QByteArray("\x04\x2a", 2);
    }
    if (tool.kind == ToolKind::DriveTalksMeanwhile) {
        // What the drive says then is read while the hand-over yields, and
        // nothing arrives after it.
        stream.prepend('#');
        tool.onMark = [&] { rig.drive.send("tail"); };
        expected = stream + "tail";
    }
    rig.drive.send(stream);
    QTRY_COMPARE_WITH_TIMEOUT(tool.chars, expected, 5000);
    if (tool.kind == ToolKind::QueriesFromItsYield) {
        QTRY_VERIFY_WITH_TIMEOUT(tool.asked, 3000);
        QVERIFY(tool.answered);
    }
    QTest::qWait(50);
    QCOMPARE(tool.chars, expected);
    QVERIFY(rig.link.unreadBytes().isEmpty());
    QCOMPARE(rig.port.InBufferCount(), 0);
    rig.link.leaveTerminalMode(tool);
}

QTEST_GUILESS_MAIN(TestLinkPty)
#include "tst_linkpty.moc"
