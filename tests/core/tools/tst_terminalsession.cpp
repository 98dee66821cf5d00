#include "TerminalSession.h"
#include "TmxRig.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int Patience = 3000;

// log: the log as it stood before the close box emptied it.
template <typename Rig>
void runScript(Rig& rig, TerminalSession& term, QString& log)
{
    QObject::connect(&term, &TerminalSession::appended, &term, [&] { log = term.log(); });
    term.activate();
    term.enter(QStringLiteral("IS"));
    QTRY_VERIFY_WITH_TIMEOUT(term.log().endsWith(QStringLiteral("IS=10111111\r\n")), Patience);
    rig.tmx.powerUp(52, 42);
    QTRY_VERIFY_WITH_TIMEOUT(term.log().endsWith(QStringLiteral("{255-052-042}\r\n")), Patience);
    rig.drive.send(QByteArray("A\x07\xC8\n", 4));
    QTRY_VERIFY_WITH_TIMEOUT(term.log().endsWith(QStringLiteral("A[007][200]\n")), Patience);
    term.deactivate();
    term.activate();
    term.closeBox();
}

}  // namespace

class TestTerminalSession : public QObject {
    Q_OBJECT
private slots:
    void display_data();
    void display();
    void powerUp_data();
    void powerUp();
    void trimming_data();
    void trimming();
    void enterSendsAndLogs_data();
    void enterSendsAndLogs();
    void activationSequences();
    void againstTheDrive_data();
    void againstTheDrive();
    void bytesAfterCloseReachNoTerminal();
};

void TestTerminalSession::display_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << 65 << "A";
    QTest::newRow("blank") << 32 << " ";
    QTest::newRow("tilde, last printable") << 126 << "~";
    QTest::newRow("CR ends the line") << 13 << "\r\n";
    QTest::newRow("LF alone unchanged") << 10 << "\n";
    QTest::newRow("NUL") << 0 << "[000]";
    QTest::newRow("bell") << 7 << "[007]";
    QTest::newRow("unit separator") << 31 << "[031]";
    QTest::newRow("DEL") << 127 << "[127]";
    QTest::newRow("high byte") << 200 << "[200]";
}

void TestTerminalSession::display()
{
    QFETCH(int, byte);
    QFETCH(QString, shown);
    QCOMPARE(TerminalSession::DisplayText(static_cast<quint8>(byte)), shown);
    // Through the session as a received byte, after something already there.
    LinkRig rig;
    TerminalSession term(rig.link);
    term.ProcessChar('x');
    term.ProcessChar(static_cast<char>(byte));
    QCOMPARE(term.log(), QStringLiteral("x") + shown);
}

void TestTerminalSession::powerUp_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("version");
    QTest::newRow("model 42 is answered") << 52 << 42 << "{255-052-042}\r\n" << QByteArray("00") << "1.52";
    QTest::newRow("model 99 is answered") << 0 << 99 << "{255-000-099}\r\n" << QByteArray("00") << "1.00";
    QTest::newRow("model 120 is not") << 52 << 120 << "{255-052-120}\r\n" << QByteArray() << "1.52";
    QTest::newRow("model 100 is not") << 4 << 100 << "{255-004-100}\r\n" << QByteArray() << "1.04";
}

void TestTerminalSession::powerUp()
{
    QFETCH(int, firmware);
    QFETCH(int, model);
    QFETCH(QString, line);
    QFETCH(QByteArray, answer);
    QFETCH(QString, version);
    LinkRig rig;
    TerminalSession term(rig.link);
    QSignalSpy versions(&rig.cfg, &Configurator::driveVersionChanged);
    term.ProcessChar('>');
    rig.port.clearSent();
    term.ProcessChar(static_cast<char>(255));
    term.ProcessChar(static_cast<char>(firmware));
    QCOMPARE(term.log(), QStringLiteral(">"));  // nothing shows while the greeting comes
    QCOMPARE(rig.prompt.beeps, 0);
    term.ProcessChar(static_cast<char>(model));
    QCOMPARE(term.log(), QStringLiteral(">") + line);
    QCOMPARE(rig.port.sent, answer);
    QCOMPARE(rig.prompt.beeps, 1);
    QCOMPARE(versions.size(), 1);
    QCOMPARE(versions.at(0).at(0).toString(), version);
    // The program knows the drive that greeted it.
    QCOMPARE(rig.cfg.state().DriveModelCode, model);
    QCOMPARE(DriveLink::VersionText(rig.cfg.state().FirmwareVersion), version);
    // Capture is over: the next byte shows again.
    term.ProcessChar('B');
    QVERIFY(term.log().endsWith(QStringLiteral("}\r\nB")));
}

void TestTerminalSession::trimming_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("kept");
    QTest::newRow("at the cap") << 4000 << 4000;
    QTest::newRow("one over") << 4001 << 2002;
    QTest::newRow("far over, cut again") << 8000 << 2003;
    QTest::newRow("small") << 10 << 10;
}

void TestTerminalSession::trimming()
{
    QFETCH(int, length);
    QFETCH(int, kept);
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(u'a' + i % 26);
    QString log = text;
    QCOMPARE(TerminalSession::TrimLog(log), kept != length);
    QCOMPARE(log, text.right(kept));

    // Received one byte at a time, the log never passes the cap and keeps
    // the newest text.
    LinkRig rig;
    TerminalSession term(rig.link);
    QSignalSpy replaced(&term, &TerminalSession::replaced);
    for (QChar c : std::as_const(text))
        term.ProcessChar(static_cast<char>(c.unicode()));
    QVERIFY(term.log().size() <= TerminalSession::LogCap);
    QVERIFY(text.endsWith(term.log()));
    QCOMPARE(replaced.isEmpty(), length <= TerminalSession::LogCap);
    if (length == 4001)
        QCOMPARE(term.log().size(), 2002);
}

void TestTerminalSession::enterSendsAndLogs_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("logged");
    QTest::newRow("command") << "VE" << QByteArray("VE\r\n") << "$VE$\r\n";
    QTest::newRow("empty box") << "" << QByteArray("\r\n") << "$$\r\n";
    QTest::newRow("with parameter") << "DI-12500" << QByteArray("DI-12500\r\n") << "$DI-12500$\r\n";
    QTest::newRow("two lines pasted") << "VE\nAC" << QByteArray("VE\r\nAC\r\n") << "$VE\r\nAC$\r\n";
}

void TestTerminalSession::enterSendsAndLogs()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, sent);
    QFETCH(QString, logged);
    LinkRig rig;
    TerminalSession term(rig.link);
    term.enter(typed);
    QCOMPARE(rig.port.sent, sent);
    QCOMPARE(term.log(), logged);
}

void TestTerminalSession::activationSequences()
{
    LinkRig rig;
    TerminalSession term(rig.link);
    term.activate();
    QCOMPARE(rig.port.sent, QByteArray("HR"));
    QVERIFY(rig.cfg.state().TerminalMode);
    term.activate();  // already holding: nothing more
    term.enter(QStringLiteral("VE"));
    term.deactivate();
    QVERIFY(!rig.cfg.state().TerminalMode);
    term.deactivate();  // not holding: nothing
    term.activate();
    term.quit();
    term.quit();
    term.activate();
    term.closeBox();
    QCOMPARE(rig.port.sent, QByteArray("HRVE\r\nQT\rHRQT\rHRHM\r"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    QVERIFY(term.log().isEmpty());

    // Another tool holding terminal mode keeps it when the terminal leaves.
    struct Other : DriveTool {
        void ProcessChar(char) override {}
    } other;
    rig.link.enterTerminalMode(other);
    term.deactivate();
    QCOMPARE(rig.link.terminalTool(), &other);
}

void TestTerminalSession::againstTheDrive_data()
{
    QTest::addColumn<bool>("pty");
    QTest::newRow("in memory") << false;
    QTest::newRow("pseudo-terminal") << true;
}

void TestTerminalSession::againstTheDrive()
{
    QFETCH(bool, pty);
    const QByteArray expectedBytes = "HRIS\r\n00QT\rHRHM\r";
    const QList<QByteArray> commands{"HR", "IS"};
    const QString expectedLog = QStringLiteral("$IS$\r\nIS=10111111\r\n{255-052-042}\r\nA[007][200]\n");
    const auto run = [&](auto& rig) {
        rig.tmx.inputs = "10111111";
        TerminalSession term(rig.link);
        QString log;
        runScript(rig, term, log);
        QCOMPARE(log, expectedLog);
        // In memory the bytes are there at once; a pseudo-terminal takes its time.
        if (pty)
            QTRY_COMPARE_WITH_TIMEOUT(rig.drive.received, expectedBytes, Patience);
        else
            QCOMPARE(rig.drive.received, expectedBytes);
        QCOMPARE(rig.tmx.commands.mid(0, 2), commands);
        QCOMPARE(rig.prompt.beeps, 1);
    };
    if (pty) {
        PtyTmxRig rig;
        QVERIFY(rig.ready());
        run(rig);
    } else {
        MemoryTmxRig rig;
        run(rig);
    }
}

void TestTerminalSession::bytesAfterCloseReachNoTerminal()
{
    MemoryTmxRig rig;
    TerminalSession term(rig.link);
    term.activate();
    term.closeBox();
    rig.arrive("late reply\r");
    QVERIFY(term.log().isEmpty());
    QCOMPARE(rig.link.RxText(), QStringLiteral("late reply\r"));
}

QTEST_MAIN(TestTerminalSession)
#include "tst_terminalsession.moc"
