// The TMX terminal on a pseudo-terminal, against a drive that sends one byte
// at a time at the rate of a 9600-baud line: the log keeps up and keeps its
// rules, and what it leaves unread does not spoil the next exchange.

#include "DriveLink.h"
#include "HistoryBox.h"
#include "PtyLinkRig.h"
#include "SerialPort.h"
#include "TMXterm.h"
#include "TerminalSession.h"
#include "Wait.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

#include <vector>

namespace {

constexpr int LineRate = 960;  // bytes a second at 9600 baud

// Text without line ends, in printable characters that show as themselves.
QByteArray PrintableText(int length, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text.append(static_cast<char>(rng.bounded(33, 127)));
    return text;
}

// The log's length after each received character (no line ends): past the
// cap it is cut back to its text from the 2000th character on, as often as
// needed. lengths[n] is the length after n characters.
std::vector<int> LogLengths(int characters)
{
    std::vector<int> lengths(static_cast<size_t>(characters) + 1, 0);
    int length = 0;
    for (int n = 1; n <= characters; ++n) {
        ++length;
        while (length > TerminalSession::LogCap)
            length -= TerminalSession::LogKeepFrom - 1;
        lengths[static_cast<size_t>(n)] = length;
    }
    return lengths;
}

}  // namespace

class TestTerminalLine : public QObject {
    Q_OBJECT
private slots:
    void longLineKeepsUpWithTheDrive();
    void uploadRightAfterATerminalBacklog();
};

void TestTerminalLine::longLineKeepsUpWithTheDrive()
{
    constexpr int Length = 30000;
    PtyLinkRig rig;
    QVERIFY(rig.opened == 1);
    TMXterm term(rig.link, {});
    term.open();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QTRY_VERIFY(term.session().holdsTerminalMode());

    const QByteArray stream = PrintableText(Length, 17);
    const std::vector<int> lengths = LogLengths(Length);
    // The log after n characters.
    const auto logAfter = [&](int n) {
        const int length = lengths[static_cast<size_t>(n)];
        return QString::fromLatin1(stream.mid(n - length, length));
    };
    int handled = 0;
    connect(&term.session(), &TerminalSession::appended, this, [&] { ++handled; });
    connect(&term.session(), &TerminalSession::replaced, this, [&] { ++handled; });

    // While the drive sends, the box always shows the log as it was after
    // some character, and never far behind; the terminal is never far
    // behind the line.
    int samples = 0, badSamples = 0, mostBoxBehind = 0, mostLineBehind = 0;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        ++samples;
        const qint64 sent = Length - rig.drive.lineBacklog();
        mostLineBehind = qMax(mostLineBehind, static_cast<int>(sent - handled));
        const QString box = term.history()->shownText();
        for (int n = handled; n >= 0 && n >= handled - LineRate; --n) {
            if (lengths[static_cast<size_t>(n)] == box.size() && box == logAfter(n)) {
                mostBoxBehind = qMax(mostBoxBehind, handled - n);
                return;
            }
        }
        ++badSamples;
    });
    sampler.start(97);

    rig.drive.lineBytesPerSecond = LineRate;
    rig.drive.send(stream);
    QTRY_VERIFY_WITH_TIMEOUT(rig.drive.lineBacklog() == 0, 2 * Length * 1000 / LineRate);
    QTRY_COMPARE_WITH_TIMEOUT(handled, Length, 5000);
    sampler.stop();
    qInfo("%d samples; the box at most %d characters behind the log, the log at most %d behind the line",
          samples, mostBoxBehind, mostLineBehind);

    QCOMPARE(term.session().log(), logAfter(Length));
    QTRY_COMPARE_WITH_TIMEOUT(term.history()->shownText(), logAfter(Length), 1000);
    QVERIFY(samples > 100);
    QCOMPARE(badSamples, 0);
    // The one long line shows in blocks of a row or two: what the drive
    // adds to it lays out only the last rows again, not the whole line.
    const QTextDocument* doc = term.history()->document();
    QVERIFY(doc->blockCount() > 10);
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        doc->documentLayout()->blockBoundingRect(b);
        QVERIFY2(b.layout()->lineCount() <= 2, qPrintable(QString::number(b.layout()->lineCount())));
    }
    // Wide margins: a second of the line.
    QVERIFY2(mostBoxBehind < LineRate, qPrintable(QString::number(mostBoxBehind)));
    QVERIFY2(mostLineBehind < LineRate, qPrintable(QString::number(mostLineBehind)));
    term.Quit_Click();
}

void TestTerminalLine::uploadRightAfterATerminalBacklog()
{
    // The drive talks faster than the terminal takes it in, then stops; the
    // user closes the terminal with the backlog still unread and uploads.
    PtyLinkRig rig;
    QVERIFY(rig.opened == 1);
    rig.cfg.state().SettingsChanged = false;
    TMXterm term(rig.link, {});
    term.open();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QTRY_VERIFY(term.session().holdsTerminalMode());

    QByteArray talk;
    while (talk.size() < 24 * 1024)
        talk += "AL=0000\rIV=0\rIS=10111111\r";
    bool talked = false;
    connect(&rig.drive, &SimulatedDrive::pacedSendDone, this, [&] { talked = true; });
    // Closed while the terminal is still working through the backlog, once
    // everything the drive sent has been taken in from the port (a few
    // turns of the event loop after the last block went out).
    qsizetype backlog = -1;
    int shownSinceTalked = 0;
    connect(&term.session(), &TerminalSession::appended, this, [&] {
        if (backlog >= 0 || !talked || ++shownSinceTalked < 50 || rig.port.InBufferCount() > 0
            || rig.link.unreadBytes().isEmpty())
            return;
        backlog = rig.link.unreadBytes().size();
        term.Quit_Click();
    });
    rig.drive.sendPaced(talk, 4096, 1);
    QTRY_VERIFY_WITH_TIMEOUT(backlog >= 0 || (talked && rig.link.unreadBytes().isEmpty()), 10000);
    QVERIFY2(backlog > 0, "the terminal took everything in before it could be closed");
    QVERIFY(!rig.cfg.state().TerminalMode);
    QVERIFY(backlog <= DriveLink::UnreadLimit);
    QVERIFY(!rig.link.unreadBytes().isEmpty());

    rig.drive.lineBytesPerSecond = LineRate;
    rig.drive.received.clear();
    QVERIFY(rig.transfer.Upload_Click());
    QVERIFY2(rig.prompt.messages.isEmpty(), qPrintable(rig.prompt.titles().join(", ")));
    QVERIFY(rig.drive.received.startsWith("SC"));
    QVERIFY(rig.drive.received.contains('u'));
    QCOMPARE(rig.cfg.modelIndex(), rig.drive.modelCode - 41);
    QCOMPARE(rig.port.RThreshold(), 1);
}

QTEST_MAIN(TestTerminalLine)
#include "tst_terminalline.moc"
