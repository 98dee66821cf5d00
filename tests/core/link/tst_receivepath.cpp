#include "DriveTool.h"
#include "LinkRig.h"
#include "Wait.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using Arrivals = QList<QByteArray>;
Q_DECLARE_METATYPE(Arrivals)

namespace {

QByteArray B(std::initializer_list<int> v)
{
    return LinkRig::bytes(v);
}

struct RecordingTool : DriveTool {
    QByteArray chars;
    bool yields = false;  // as a tool that waits inside ProcessChar
    void ProcessChar(char c) override
    {
        chars.append(c);
        if (yields)
            WaitSeconds(0.002);
    }
};

// The receive path's split of a whole stream, worked out byte by byte: the
// reply text, and what is left waiting at the end. Only for streams whose
// headers are all of the kinds that keep the unread bytes.
void splitStream(const QByteArray& s, QString* text, QByteArray* rest)
{
    qsizetype i = 0;
    for (;;) {
        while (i < s.size() && static_cast<quint8>(s[i]) < 128)
            text->append(QLatin1Char(s[i++]));
        if (s.size() - i < 3)
            break;
        if (static_cast<quint8>(s[i + 2]) >= 128)
            i += 2;
        else if (static_cast<quint8>(s[i + 1]) >= 128)
            i += 1;
        else
            i += 3;
    }
    *rest = s.mid(i);
}

}  // namespace

class TestReceivePath : public QObject {
    Q_OBJECT
private slots:
    void scripts_data();
    void scripts();
    void textWaitsBehindIncompleteHeader();
    void headers_data();
    void headers();
    void greeting_data();
    void greeting();
    void thresholdKeepsBytesFromReceiveEvent();
    void terminalModeGoesToTheToolThatSetIt();
    void terminalModeWithoutToolKeepsBytes();
    void terminalModeKeepsOrderWhenToolYields();
    void unreadBytesKeepTheNewest_data();
    void unreadBytesKeepTheNewest();
    void fuzzKeepsTextInOrder();
    void fuzzWildBytesNeverHang();
};

void TestReceivePath::scripts_data()
{
    QTest::addColumn<Arrivals>("arrivals");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("unread");
    QTest::addColumn<int>("modelRow");

    QTest::newRow("plain text") << Arrivals{"hello"} << "hello" << QByteArray() << -1;
    QTest::newRow("text then greeting in one event")
        << Arrivals{B({65, 66, 255, 4, 43})} << "AB" << QByteArray() << 2;
    QTest::newRow("greeting split over two events")
        << Arrivals{B({255, 4}), B({43})} << "" << QByteArray() << 2;
    QTest::newRow("header then header as byte 2: first dropped")
        << Arrivals{B({252, 200, 1})} << "" << B({200, 1}) << -1;
    QTest::newRow("header as byte 3: two dropped, greeting follows")
        << Arrivals{B({241, 5, 255, 4, 43})} << "" << QByteArray() << 2;
    QTest::newRow("unlisted header empties what is behind it")
        << Arrivals{B({250, 1, 2, 65, 66})} << "" << QByteArray() << -1;
    QTest::newRow("lone header waits") << Arrivals{B({67, 247})} << "" << B({67, 247}) << -1;
    QByteArray many(45, 'x');
    for (int i = 0; i < many.size(); ++i)
        many[i] = static_cast<char>('A' + i % 26);
    QTest::newRow("45 text bytes and a message in one event")
        << Arrivals{many + B({247, 1, 2}) + "tail"} << QString::fromLatin1(many + "tail") << QByteArray() << -1;
    QTest::newRow("chunks of one byte")
        << Arrivals{"a", B({255}), B({4}), B({41}), "z"} << "az" << QByteArray() << 0;
}

void TestReceivePath::scripts()
{
    QFETCH(Arrivals, arrivals);
    QFETCH(QString, text);
    QFETCH(QByteArray, unread);
    QFETCH(int, modelRow);
    LinkRig rig;
    for (const QByteArray& a : arrivals)
        rig.arrive(a);
    QCOMPARE(rig.link.RxText(), text);
    QCOMPARE(rig.link.unreadBytes(), unread);
    QCOMPARE(rig.cfg.modelIndex(), modelRow);
}

void TestReceivePath::textWaitsBehindIncompleteHeader()
{
    LinkRig rig;
    rig.arrive(B({65, 255}));
    QCOMPARE(rig.link.RxText(), QString());
    QCOMPARE(rig.cfg.modelIndex(), -1);
    rig.arrive(B({4}));
    QCOMPARE(rig.link.RxText(), QStringLiteral("A"));
    QCOMPARE(rig.cfg.modelIndex(), -1);
    rig.arrive(B({43}));
    QCOMPARE(rig.cfg.modelIndex(), 2);
    QCOMPARE(rig.cfg.state().FirmwareVersion, 1.04f);
}

void TestReceivePath::headers_data()
{
    QTest::addColumn<int>("header");
    QTest::addColumn<int>("d1");
    QTest::addColumn<int>("d2");
    QTest::addColumn<bool>("clearingFault");
    QTest::addColumn<QString>("title");   // box shown, "" none
    QTest::addColumn<int>("fault");       // servo fault word, -1 none
    QTest::addColumn<QString>("version"); // label afterwards
    QTest::addColumn<QString>("text");    // RxText after the trailing "AB"

    QTest::newRow("252 servo fault") << 252 << 1 << 2 << false << "" << 130 << "" << "AB";
    QTest::newRow("252 while clearing") << 252 << 1 << 2 << true << "" << -1 << "" << "AB";
    for (int h : {247, 248, 249, 243, 244})
        QTest::newRow(qPrintable(QStringLiteral("%1 consumed").arg(h)))
            << h << 3 << 4 << false << "" << -1 << "" << "AB";
    QTest::newRow("241 revision") << 241 << 5 << int('k') << false << "" << -1 << "1.05 k" << "AB";
    QTest::newRow("240 reflash") << 240 << 0 << 0 << false << "Firmware reflash" << -1 << "" << "AB";
    QTest::newRow("239 mismatch") << 239 << 1 << 0 << false << "Firmware mismatch" << -1 << "" << "AB";
    QTest::newRow("239 Ky reflash") << 239 << 2 << 0 << false << "Firmware reflash" << -1 << "" << "AB";
    for (int h : {128, 200, 242, 245, 246, 250, 251, 253, 254})
        QTest::newRow(qPrintable(QStringLiteral("%1 unlisted").arg(h)))
            << h << 0 << 0 << false << "" << -1 << "" << "";
}

void TestReceivePath::headers()
{
    QFETCH(int, header);
    QFETCH(int, d1);
    QFETCH(int, d2);
    QFETCH(bool, clearingFault);
    QFETCH(QString, title);
    QFETCH(int, fault);
    QFETCH(QString, version);
    QFETCH(QString, text);
    LinkRig rig;
    rig.cfg.setDriveVersion(QString());
    rig.cfg.state().ClearingFault = clearingFault;
    QSignalSpy faults(&rig.link, &DriveLink::servoFaultReported);
    rig.arrive(B({header, d1, d2, 'A', 'B'}));

    QCOMPARE(rig.prompt.titles(), title.isEmpty() ? QStringList() : QStringList{title});
    if (!title.isEmpty())
        QCOMPARE(rig.prompt.messages[0].icon, Prompt::Icon::Stop);
    if (title == QLatin1String("Firmware reflash"))
        QVERIFY(rig.prompt.messages[0].text.contains(header == 239 ? "Ky Firmware Downloader"
                                                                   : "DSP Firmware Downloader"));
    QCOMPARE(faults.size(), fault < 0 ? 0 : 1);
    if (fault >= 0)
        QCOMPARE(faults[0][0].toInt(), fault);
    QCOMPARE(rig.cfg.driveVersion(), version);
    QCOMPARE(rig.link.RxText(), text);
    QVERIFY(rig.link.unreadBytes().isEmpty());
    QVERIFY(rig.drive.received.isEmpty());
}

void TestReceivePath::greeting_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("pause");  // where the 0.1 s goes

    QTest::newRow("41") << 41 << 0 << "after";
    QTest::newRow("42") << 42 << 1 << "before";
    QTest::newRow("43") << 43 << 2 << "none";
    QTest::newRow("44") << 44 << 3 << "after";
    QTest::newRow("45") << 45 << 4 << "before";
    QTest::newRow("46") << 46 << 5 << "none";
    // Not one of ours: nothing is sent, no beep, no row, the label empties;
    // the firmware and model code are kept all the same.
    QTest::newRow("47") << 47 << -1 << "none";
}

void TestReceivePath::greeting()
{
    QFETCH(int, model);
    QFETCH(int, row);
    QFETCH(QString, pause);
    LinkRig rig;
    rig.port.setRThreshold(3);
    rig.cfg.setDriveVersion(QStringLiteral("old"));
    QElapsedTimer clock;
    qint64 selectedAt = -1, labelledAt = -1;
    connect(&rig.cfg, &Configurator::modelIndexChanged, [&] { selectedAt = clock.elapsed(); });
    connect(&rig.cfg, &Configurator::driveVersionChanged, [&] { labelledAt = clock.elapsed(); });
    clock.start();
    rig.arrive(B({255, 4, model}));

    QCOMPARE(rig.cfg.modelIndex(), row);
    QCOMPARE(rig.drive.received, row < 0 ? QByteArray() : QByteArray("QT"));
    QCOMPARE(rig.prompt.beeps, row < 0 ? 0 : 1);
    QCOMPARE(rig.cfg.driveVersion(), row < 0 ? QString() : QStringLiteral("1.04"));
    QCOMPARE(rig.cfg.state().DriveModelCode, model);
    QCOMPARE(rig.cfg.state().FirmwareVersion, 1.04f);
    QCOMPARE(rig.port.RThreshold(), 1);
    if (pause == QLatin1String("before")) {
        QVERIFY2(selectedAt >= 95, qPrintable(QString::number(selectedAt)));
    } else if (pause == QLatin1String("after")) {
        QVERIFY2(selectedAt < 60, qPrintable(QString::number(selectedAt)));
        QVERIFY2(labelledAt >= 95, qPrintable(QString::number(labelledAt)));
    } else {
        QVERIFY2(labelledAt < 60, qPrintable(QString::number(labelledAt)));
    }
}

void TestReceivePath::thresholdKeepsBytesFromReceiveEvent()
{
    LinkRig rig;
    rig.port.setRThreshold(0);
    rig.arrive("abc");
    QCOMPARE(rig.link.RxText(), QString());
    QCOMPARE(rig.port.InBufferCount(), 3);
    rig.port.setRThreshold(3);
    rig.port.Input();
    rig.arrive(B({6}));
    QCOMPARE(rig.port.InBufferCount(), 1);  // a lone acknowledgement stays for the download
    rig.arrive("xy");
    QCOMPARE(rig.link.RxText(), QString::fromLatin1("\x06xy"));
}

void TestReceivePath::terminalModeGoesToTheToolThatSetIt()
{
    LinkRig rig;
    RecordingTool first, second;
    rig.link.enterTerminalMode(first);
    rig.link.enterTerminalMode(second);
    rig.link.leaveTerminalMode(first);  // not the holder: nothing changes
    QVERIFY(rig.cfg.state().TerminalMode);
    rig.arrive(B({65, 255, 4, 43, 200}));
    QCOMPARE(second.chars, B({65, 255, 4, 43, 200}));
    QVERIFY(first.chars.isEmpty());
    QCOMPARE(rig.cfg.modelIndex(), -1);  // no message scanning
    QVERIFY(rig.link.RxText().isEmpty());
    rig.link.leaveTerminalMode(second);
    QVERIFY(!rig.cfg.state().TerminalMode);
    rig.arrive("ok");
    QCOMPARE(rig.link.RxText(), QStringLiteral("ok"));
}

void TestReceivePath::terminalModeWithoutToolKeepsBytes()
{
    LinkRig rig;
    rig.cfg.state().TerminalMode = true;  // set, but no tool holds it
    rig.arrive("ab");
    QCOMPARE(rig.link.unreadBytes(), QByteArray("ab"));
    RecordingTool tool;
    rig.link.enterTerminalMode(tool);
    rig.arrive("c");
    QCOMPARE(tool.chars, QByteArray("abc"));
}

void TestReceivePath::terminalModeKeepsOrderWhenToolYields()
{
    // Later arrivals run the receive event again inside the tool's wait;
    // every byte still reaches the tool once, in arrival order.
    LinkRig rig;
    RecordingTool tool;
    tool.yields = true;
    rig.link.enterTerminalMode(tool);
    QByteArray stream;
    for (int i = 0; i < 60; ++i)
        stream.append(static_cast<char>(i * 7 % 256));
    // The drive goes on sending while the tool waits.
    QTimer sender;
    qsizetype sentUpTo = 0;
    connect(&sender, &QTimer::timeout, [&] {
        rig.port.feed(stream.mid(sentUpTo, 4));
        sentUpTo += 4;
        if (sentUpTo >= stream.size())
            sender.stop();
    });
    sender.start(1);
    QTRY_COMPARE_WITH_TIMEOUT(tool.chars.size(), stream.size(), 5000);
    QCOMPARE(tool.chars, stream);
    QVERIFY(rig.link.unreadBytes().isEmpty());
}

void TestReceivePath::unreadBytesKeepTheNewest_data()
{
    QTest::addColumn<int>("arrivalSize");
    QTest::newRow("in one arrival") << 0;
    QTest::newRow("byte by byte") << 1;
    QTest::newRow("in reads of 700") << 700;
}

void TestReceivePath::unreadBytesKeepTheNewest()
{
    // Terminal mode with nobody taking the bytes (as behind a tool that
    // falls behind): what waits is bounded, and it is the newest in order.
    QFETCH(int, arrivalSize);
    LinkRig rig;
    rig.cfg.state().TerminalMode = true;
    QByteArray stream;
    for (int i = 0; i < 3 * DriveLink::UnreadLimit + 17; ++i)
        stream.append(static_cast<char>(' ' + i % 95));
    rig.arrive(stream, arrivalSize);
    QCOMPARE(rig.link.unreadBytes(), stream.right(DriveLink::UnreadLimit));

    // A tool that comes now gets the kept bytes at the next receive event,
    // then what arrives after them.
    RecordingTool tool;
    rig.link.enterTerminalMode(tool);
    rig.link.Comm1_OnComm();
    QCOMPARE(tool.chars, stream.right(DriveLink::UnreadLimit));
    rig.arrive("end");
    QCOMPARE(tool.chars, stream.right(DriveLink::UnreadLimit) + "end");
    QVERIFY(rig.link.unreadBytes().isEmpty());
}

void TestReceivePath::fuzzKeepsTextInOrder()
{
    // Headers that keep the unread bytes, so the split does not depend on
    // how the stream is cut into arrivals.
    const int keepers[] = {241, 243, 244, 247, 248, 249, 252};
    QRandomGenerator rng(20261210);
    for (int round = 0; round < 150; ++round) {
        QByteArray stream;
        const int length = rng.bounded(1, 300);
        for (int i = 0; i < length; ++i)
            stream.append(static_cast<char>(rng.bounded(10) == 0 ? keepers[rng.bounded(7)]
                                                                 : rng.bounded(128)));
        // Three text bytes at the end complete any message still open, so
        // nothing is left waiting however the stream was cut.
        stream += "xyz";
        LinkRig rig;
        for (qsizetype at = 0; at < stream.size();) {
            const int chunk = rng.bounded(1, 50);
            rig.arrive(stream.mid(at, chunk));
            at += chunk;
        }
        QString text;
        QByteArray rest;
        splitStream(stream, &text, &rest);
        QCOMPARE(rig.link.RxText(), text);
        QVERIFY(rest.isEmpty());
        QVERIFY(rig.link.unreadBytes().isEmpty());
    }
}

void TestReceivePath::fuzzWildBytesNeverHang()
{
    QRandomGenerator rng(7);
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < 100; ++round) {
        QByteArray stream;
        const int length = rng.bounded(1, 400);
        for (int i = 0; i < length; ++i) {
            int b = rng.bounded(256);
            if (b == 255 || b == 240 || b == 239)
                b = 250;  // no pauses or boxes: this round is about the scanner
            stream.append(static_cast<char>(b));
        }
        LinkRig rig;
        rig.port.feed(stream, rng.bounded(1, 64));
        rig.arrive(QByteArray());
        for (int i = 0; i < length; ++i)
            QCoreApplication::processEvents();
        // What reached the reply text is text of the stream, in its order.
        const QString text = rig.link.RxText();
        qsizetype at = 0;
        for (const QChar c : text) {
            while (at < stream.size() && stream[at] != c.toLatin1())
                ++at;
            QVERIFY(at < stream.size());
            ++at;
        }
        QVERIFY(rig.link.unreadBytes().size() <= stream.size());
    }
    QVERIFY(clock.elapsed() < 20000);
}

QTEST_GUILESS_MAIN(TestReceivePath)
#include "tst_receivepath.moc"
