#include "AccessibleName.h"
#include "DriveTools.h"
#include "ExecStatus.h"
#include "MainFormRig.h"
#include "SelfTest.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "TMXterm.h"
#include "ToolPictures.h"
#include "Wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr int Patience = 5000;

// The main window with the drive tools registered, over an in-memory port
// with a TMX-speaking drive behind it.
struct ToolsRig : MainFormRig {
    explicit ToolsRig(bool portOpen = true) : MainFormRig(true)
    {
        if (portOpen)
            port.open(1);
    }
    SimulatedDrive drive{port};
    SimulatedTmx tmx{drive};
    DriveTools tools{link, queries, main};
};

}  // namespace

class TestDriveTools : public QObject {
    Q_OBJECT
private slots:
    void terminalOnlyWithThePortOpen();
    void terminalTypesAndShows();
    void terminalFollowsOurWindowsOnly();
    void terminalCloseAndCloseBox();
    void terminalHelpOpensTheCard();
    void monitorWithoutPort();
    void monitorShowsTheDrive();
    void monitorReadsAloud();
    void monitorCompactLayout();
    void monitorTakesTheHeightOfItsRows_data();
    void monitorTakesTheHeightOfItsRows();
    void monitorClosing_data();
    void monitorClosing();
    void selfTestWithoutPort();
    void selfTestStops_data();
    void selfTestStops();
    void namesAndTitles();
    void menuEntriesOpenTheTools();
    void monitorSetUpOncePerOpening();
    void noToolInsideARunningExchange();
};

void TestDriveTools::terminalOnlyWithThePortOpen()
{
    ToolsRig rig(false);
    rig.main.TerminalKey();
    QVERIFY(rig.port.sent.isEmpty());
    QVERIFY(rig.prompt.messages.isEmpty());
    QVERIFY(!rig.tools.terminal().isVisible());
}

void TestDriveTools::terminalTypesAndShows()
{
    ToolsRig rig;
    rig.main.TerminalKey();
    TMXterm& term = rig.tools.terminal();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.sent, QByteArray("HR"), Patience);
    QVERIFY(rig.cfg.state().TerminalMode);
    QPlainTextEdit* box = term.commandText();
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("VE"));
    QCOMPARE(rig.port.sent, QByteArray("HR"));
    QTest::keyClick(box, Qt::Key_Return);
    // Sent at the key press, and the Enter went into no box.
    QCOMPARE(rig.port.sent, QByteArray("HRVE\r\n"));
    QVERIFY(box->toPlainText().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(term.history()->toPlainText(), QStringLiteral("$VE$\nVE=1\n"), Patience);
    rig.drive.send(QByteArray("\x07", 1));
    QTRY_COMPARE_WITH_TIMEOUT(term.history()->toPlainText(), QStringLiteral("$VE$\nVE=1\n[007]"), Patience);
    // A greeting caught here names the drive in the main window.
    rig.tmx.powerUp(52, 42);
    QTRY_COMPARE_WITH_TIMEOUT(rig.cfg.driveVersion(), QStringLiteral("1.52"), Patience);
    // The log box catches up within a moment (it is not redrawn per byte).
    QTRY_VERIFY_WITH_TIMEOUT(term.history()->toPlainText().endsWith(QStringLiteral("{255-052-042}\n")), Patience);
    QCOMPARE(rig.cfg.state().DriveModelCode, 42);
    term.Quit_Click();
}

void TestDriveTools::terminalFollowsOurWindowsOnly()
{
    ToolsRig rig;
    rig.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
    rig.main.TerminalKey();
    TMXterm& term = rig.tools.terminal();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.sent, QByteArray("HR"), Patience);

    // The main window becomes active: terminal mode ends.
    QApplication::setActiveWindow(&rig.main);
    QCOMPARE(rig.port.sent, QByteArray("HRQT\r"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    rig.drive.send("while away\r");
    WaitSeconds(0.05);
    QVERIFY(!term.history()->toPlainText().contains(QStringLiteral("while away")));
    QApplication::setActiveWindow(&term);
    QCOMPARE(rig.port.sent, QByteArray("HRQT\rHR"));
    QVERIFY(rig.cfg.state().TerminalMode);

    // Another application becomes active and then this one again: the
    // drive is told nothing, and what it sends meanwhile still shows.
    QApplication::setActiveWindow(nullptr);
    rig.drive.send("still here\r");
    QTRY_VERIFY_WITH_TIMEOUT(term.history()->toPlainText().contains(QStringLiteral("still here")), Patience);
    QApplication::setActiveWindow(&term);
    QCOMPARE(rig.port.sent, QByteArray("HRQT\rHR"));
    QVERIFY(rig.cfg.state().TerminalMode);
    // From another application straight to our main window.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&rig.main);
    QCOMPARE(rig.port.sent, QByteArray("HRQT\rHRQT\r"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    term.hide();
}

void TestDriveTools::terminalCloseAndCloseBox()
{
    ToolsRig rig;
    rig.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
    // The user comes back to the main window for Ctrl+T.
    const auto backToMain = [&rig] {
        rig.main.activateWindow();
        return QTest::qWaitForWindowActive(&rig.main);
    };
    rig.main.TerminalKey();
    TMXterm& term = rig.tools.terminal();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QTest::keyClick(term.commandText(), Qt::Key_Enter);
    QTRY_VERIFY(!term.history()->toPlainText().isEmpty());
    rig.port.clearSent();
    term.findChild<QPushButton*>(QStringLiteral("Quit"))->click();
    QCOMPARE(rig.port.sent, QByteArray("QT\r"));
    QVERIFY(!term.isVisible());
    QVERIFY(!rig.cfg.state().TerminalMode);
    // "Close" keeps the log for the next opening.
    QVERIFY(backToMain());
    QCOMPARE(rig.port.sent, QByteArray("QT\r"));
    rig.main.TerminalKey();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QCOMPARE(term.history()->toPlainText(), QStringLiteral("$$\n"));
    QTRY_COMPARE(rig.port.sent, QByteArray("QT\rHR"));
    // The close box sends HM and the next opening starts empty.
    term.close();
    QCOMPARE(rig.port.sent, QByteArray("QT\rHRHM\r"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    rig.drive.send("late\r");
    QVERIFY(backToMain());
    rig.main.TerminalKey();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QVERIFY(term.history()->toPlainText().isEmpty());
    term.Quit_Click();
}

void TestDriveTools::terminalHelpOpensTheCard()
{
    ToolsRig rig;
    QWidget card;
    card.setWindowTitle(QStringLiteral("TMX Commands"));
    rig.main.hooks().showTmxCommandCard = [&card] {
        card.show();
        card.activateWindow();
        QApplication::setActiveWindow(&card);
    };
    rig.main.TerminalKey();
    TMXterm& term = rig.tools.terminal();
    QVERIFY(QTest::qWaitForWindowActive(&term));
    QTRY_COMPARE(rig.port.sent, QByteArray("HR"));
    term.findChild<QPushButton*>(QStringLiteral("Help"))->click();
    QVERIFY(card.isVisible());
    // The card is the active window now: the terminal gave up terminal mode.
    QCOMPARE(rig.port.sent, QByteArray("HRQT\r"));
    QVERIFY(!rig.cfg.state().TerminalMode);
    term.hide();
}

void TestDriveTools::monitorWithoutPort()
{
    ToolsRig rig(false);
    rig.main.hooks().showStatusMonitor();
    QCOMPARE(rig.prompt.messages.size(), 1);
    QVERIFY(rig.prompt.messages.at(0).text.contains(QStringLiteral("no comm port open")));
    QVERIFY(rig.port.sent.isEmpty());
    QVERIFY(!rig.tools.statusMonitor().isVisible());
    QVERIFY(!rig.cfg.state().TerminalMode);
}

void TestDriveTools::monitorShowsTheDrive()
{
    ToolsRig rig;
    rig.tmx.modelNumber = 43;
    rig.tmx.inputs = "01111110";   // IN8 and IN1 low
    rig.tmx.outputs = "11110111";  // OUT4 low
    rig.tmx.alarmWord = 0x0009;
    rig.tmx.analogVolts = 12;
    rig.main.hooks().showStatusMonitor();
    ExecStatus& monitor = rig.tools.statusMonitor();
    QVERIFY(monitor.isVisible());
    QVERIFY(monitor.isModal());
    QTRY_VERIFY_WITH_TIMEOUT(monitor.poll().cyclesRun() >= 2, Patience);
    QCOMPARE(monitor.inputPicture(0), QStringLiteral("LEDgreen"));
    QCOMPARE(monitor.inputPicture(1), QStringLiteral("LEDblack"));
    QCOMPARE(monitor.inputPicture(7), QStringLiteral("LEDgreen"));
    QCOMPARE(monitor.outputPicture(3), QStringLiteral("LEDorange"));
    QCOMPARE(monitor.outputPicture(0), QStringLiteral("LEDblack"));
    QVERIFY(monitor.alarmLamp(0)->isLit());
    QVERIFY(monitor.alarmLamp(3)->isLit());
    QVERIFY(!monitor.alarmLamp(1)->isLit());
    QVERIFY(monitor.statusLamp(0)->isLit());  // enabled
    QVERIFY(monitor.statusLamp(9)->isLit());  // alarm
    QCOMPARE(monitor.analogVolts()->text(), QStringLiteral("12.00"));
    QCOMPARE(monitor.encoderCount()->text(), QStringLiteral(" 0"));
    QCOMPARE(monitor.playPicture(), QStringLiteral("PlayGreen"));
    QCOMPARE(monitor.pausePicture(), QStringLiteral("PauseGray"));

    // Disable, then the next poll shows it.
    monitor.pauseButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(monitor.playPicture(), QStringLiteral("PlayGray"), Patience);
    QCOMPARE(monitor.pausePicture(), QStringLiteral("PauseRed"));
    QVERIFY(!monitor.statusLamp(0)->isLit());
    // Forcing Y2 low sets its function first, in one send.
    monitor.outputButton(5, false)->click();
    QVERIFY(rig.drive.received.contains("MO3\rILY2\r"));
    QTRY_COMPARE_WITH_TIMEOUT(monitor.outputPicture(5), QStringLiteral("LEDorange"), Patience);
    monitor.findChild<QPushButton*>(QStringLiteral("OK"))->click();
    QVERIFY(!monitor.isVisible());
    QVERIFY(rig.drive.received.endsWith("MO2\rBO3\rAO1\rQT\r"));
    QCOMPARE(rig.tmx.outputFunctions.value("MO"), QByteArray("2"));
}

// Everything the monitor shows, as a screen reader gets it: each lamp and
// LED says by its name what it is and by "on" or "off" whether it is lit,
// just as the eye sees it; each number display says what it shows.
void TestDriveTools::monitorReadsAloud()
{
    ToolsRig rig;
    rig.tmx.modelNumber = 43;  // every input and output row shown
    rig.tmx.inputs = "01111110";  // IN8 and IN1 low
    rig.tmx.extInputs = "01111111";  // X0 low
    rig.tmx.outputs = "11110111";  // OUT4 low
    rig.tmx.alarmWord = 0x0009;  // motor stall, over temp
    rig.tmx.analogVolts = 12;
    rig.main.hooks().showStatusMonitor();
    ExecStatus& monitor = rig.tools.statusMonitor();

    const auto state = [](bool lit) { return lit ? QStringLiteral("on") : QStringLiteral("off"); };
    const auto widget = [&](const QString& name) { return monitor.findChild<QWidget*>(name); };
    QStringList names{QStringLiteral("MotorSpeed"), QStringLiteral("AnalogVolts"), QStringLiteral("EncoderCount")};
    for (int i = 0; i < 16; ++i)
        names << QStringLiteral("INlo(%1)").arg(i);
    for (int i = 0; i < 7; ++i)
        names << QStringLiteral("OUTlo(%1)").arg(i);
    for (const QString& name : std::as_const(names))
        QVERIFY2(widget(name), qPrintable(name));
    // Every lamp and LED against what it shows.
    const auto readsAsShown = [&] {
        for (int bit = 0; bit < 14; ++bit) {
            for (const auto& [name, lamp] : {std::pair{QStringLiteral("AlarmLED(%1)"), monitor.alarmLamp(bit)},
                                             std::pair{QStringLiteral("StatusLED(%1)"), monitor.statusLamp(bit)}}) {
                QCOMPARE(widget(name.arg(bit)), static_cast<QWidget*>(lamp));
                QVERIFY2(!AccessibleName(lamp).isEmpty(), qPrintable(name.arg(bit)));
                QCOMPARE(AccessibleDescription(lamp), state(lamp->isLit()));
            }
        }
        for (int i = 0; i < 16; ++i) {
            QWidget* led = widget(QStringLiteral("INlo(%1)").arg(i));
            QVERIFY(!AccessibleName(led).isEmpty());
            QCOMPARE(AccessibleDescription(led), state(monitor.inputPicture(i) == QLatin1String("LEDgreen")));
        }
        for (int i = 0; i < 7; ++i) {
            QWidget* led = widget(QStringLiteral("OUTlo(%1)").arg(i));
            QVERIFY(!AccessibleName(led).isEmpty());
            QCOMPARE(AccessibleDescription(led), state(monitor.outputPicture(i) == QLatin1String("LEDorange")));
        }
        for (const QString& name : {QStringLiteral("MotorSpeed"), QStringLiteral("AnalogVolts"),
                                    QStringLiteral("EncoderCount")}) {
            auto* display = qobject_cast<QLabel*>(widget(name));
            QCOMPARE(AccessibleDescription(display), display->text().trimmed());
        }
    };

    QTRY_VERIFY_WITH_TIMEOUT(monitor.poll().cyclesRun() >= 2, Patience);
    readsAsShown();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(AccessibleName(monitor.alarmLamp(0)), QStringLiteral("motor stall"));
    QCOMPARE(AccessibleDescription(monitor.alarmLamp(0)), QStringLiteral("on"));
    QCOMPARE(AccessibleDescription(monitor.alarmLamp(3)), QStringLiteral("on"));
    QCOMPARE(AccessibleDescription(monitor.alarmLamp(1)), QStringLiteral("off"));
    QCOMPARE(AccessibleName(monitor.statusLamp(0)), QStringLiteral("Enabled"));
    QCOMPARE(AccessibleDescription(monitor.statusLamp(0)), QStringLiteral("on"));
    QCOMPARE(AccessibleName(widget(QStringLiteral("INlo(0)"))), QStringLiteral("IN1"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("INlo(0)"))), QStringLiteral("on"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("INlo(1)"))), QStringLiteral("off"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("INlo(8)"))), QStringLiteral("on"));  // X0
    QCOMPARE(AccessibleName(widget(QStringLiteral("OUTlo(3)"))), QStringLiteral("OUT4"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("OUTlo(3)"))), QStringLiteral("on"));
    QCOMPARE(AccessibleName(monitor.analogVolts()), QStringLiteral("Analog V"));
    QCOMPARE(AccessibleDescription(monitor.analogVolts()), QStringLiteral("12.00"));
    QCOMPARE(AccessibleName(widget(QStringLiteral("MotorSpeed"))), QStringLiteral("Rev/sec"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("MotorSpeed"))), QStringLiteral("0.00"));
    QCOMPARE(AccessibleName(monitor.encoderCount()), QStringLiteral("Encoder Count"));
    QCOMPARE(AccessibleDescription(monitor.encoderCount()), QStringLiteral("0"));

    // The drive's state changes; what is read follows what is shown.
    rig.tmx.alarmWord = 0;
    rig.tmx.inputs = "11111111";
    rig.tmx.extInputs = "11111111";
    rig.tmx.analogVolts = 2.5;
    monitor.pauseButton()->click();  // the motor disabled
    QTRY_COMPARE_WITH_TIMEOUT(AccessibleDescription(monitor.statusLamp(0)), QStringLiteral("off"), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(AccessibleDescription(monitor.analogVolts()), QStringLiteral("2.50"), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(AccessibleDescription(monitor.alarmLamp(0)), QStringLiteral("off"), Patience);
    readsAsShown();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(AccessibleDescription(monitor.alarmLamp(3)), QStringLiteral("off"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("INlo(0)"))), QStringLiteral("off"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("INlo(8)"))), QStringLiteral("off"));
    QCOMPARE(AccessibleDescription(widget(QStringLiteral("OUTlo(3)"))), QStringLiteral("on"));
    monitor.OK_Click();
}

void TestDriveTools::monitorCompactLayout()
{
    ToolsRig rig;
    rig.tmx.modelNumber = 41;
    rig.main.hooks().showStatusMonitor();
    ExecStatus& monitor = rig.tools.statusMonitor();
    QVERIFY(!monitor.inputShown(0));
    QVERIFY(monitor.inputShown(8));
    QVERIFY(!monitor.outputShown(0));
    QVERIFY(monitor.outputShown(4));
    // The X column takes the IN column's place, the Y rows the first rows.
    QWidget* x0 = monitor.findChild<QWidget*>(QStringLiteral("INlo(8)"));
    QWidget* y1 = monitor.findChild<QWidget*>(QStringLiteral("OUTlo(4)"));
    QTRY_VERIFY(x0->geometry().left() < 30);
    QVERIFY(y1->geometry().top() < 40);
    // "Close" keeps the layout; a drive of unknown number keeps it too.
    monitor.OK_Click();
    rig.tmx.modelNumber = 50;
    rig.main.hooks().showStatusMonitor();
    QVERIFY(!monitor.inputShown(0));
    // After the close box the next opening starts from the designed layout.
    monitor.close();
    QVERIFY(monitor.inputShown(0));
    rig.main.hooks().showStatusMonitor();
    QVERIFY(monitor.inputShown(0));
    monitor.OK_Click();
}

void TestDriveTools::monitorTakesTheHeightOfItsRows_data()
{
    QTest::addColumn<int>("modelNumber");
    QTest::addColumn<bool>("compact");
    for (int model : {41, 42, 44, 45})
        QTest::addRow("model %d, compact", model) << model << true;
    QTest::newRow("model 43, all rows") << 43 << false;
}

// The window is as high as the rows it shows, as it opens: the compact
// layout leaves no blank band under the outputs, and going back to all
// rows makes room for them again.
void TestDriveTools::monitorTakesTheHeightOfItsRows()
{
    QFETCH(int, modelNumber);
    QFETCH(bool, compact);
    ToolsRig rig;
    ExecStatus& monitor = rig.tools.statusMonitor();
    const int designed = monitor.sizeHint().height();
    rig.tmx.modelNumber = modelNumber;
    rig.main.hooks().showStatusMonitor();
    QTRY_VERIFY(monitor.poll().cyclesRun() >= 1);
    QCoreApplication::processEvents();
    QCOMPARE(monitor.outputShown(0), !compact);
    QCOMPARE(monitor.height(), monitor.sizeHint().height());
    QWidget* outputs = monitor.findChild<QWidget*>(QStringLiteral("Frame3"));
    QWidget* speed = monitor.findChild<QWidget*>(QStringLiteral("FrameSpeed"));
    const int gap = speed->geometry().top() - outputs->geometry().bottom();
    if (compact) {
        // Four output rows of LO and HI buttons fewer.
        const int rowsHidden = 4 * monitor.outputButton(0, false)->sizeHint().height();
        QVERIFY2(monitor.height() <= designed - rowsHidden, qPrintable(QString::number(monitor.height())));
    } else {
        QCOMPARE(monitor.height(), designed);
    }
    // Under the outputs: only the spacing of the layout, or the lamp frames
    // beside them where those are taller.
    QWidget* alarms = monitor.findChild<QWidget*>(QStringLiteral("Frame1"));
    const int lampsBottom = alarms->geometry().bottom();
    QVERIFY2(gap <= 20 || speed->geometry().top() - lampsBottom <= 20, qPrintable(QString::number(gap)));
    monitor.close();
    // The next opening starts from the designed layout and its height.
    rig.tmx.modelNumber = 43;
    rig.main.hooks().showStatusMonitor();
    QTRY_COMPARE(monitor.height(), designed);
    monitor.OK_Click();
}

void TestDriveTools::monitorClosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Close") << "Close";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close box";
}

void TestDriveTools::monitorClosing()
{
    QFETCH(QString, how);
    ToolsRig rig;
    rig.tmx.unanswered.insert("IE");
    rig.main.hooks().showStatusMonitor();
    ExecStatus& monitor = rig.tools.statusMonitor();
    QTRY_VERIFY_WITH_TIMEOUT(monitor.poll().cyclesRun() >= 1, Patience);
    if (how == QLatin1String("Close"))
        monitor.findChild<QPushButton*>(QStringLiteral("OK"))->click();
    else if (how == QLatin1String("Esc"))
        QTest::keyClick(&monitor, Qt::Key_Escape);
    else
        monitor.close();
    QVERIFY(!monitor.isVisible());
    QVERIFY(!monitor.poll().running());
    QVERIFY(!rig.cfg.state().TerminalMode);
    QTRY_VERIFY_WITH_TIMEOUT(!monitor.poll().cycleWaiting(), Patience);
    const QByteArray sent = rig.drive.received;
    QVERIFY(sent.endsWith("MO2\rBO3\rAO1\rQT\r"));
    WaitSeconds(0.3);
    QCOMPARE(rig.drive.received, sent);
}

void TestDriveTools::selfTestWithoutPort()
{
    ToolsRig rig(false);
    rig.main.hooks().showSelfTest();
    QCOMPARE(rig.prompt.messages.size(), 1);
    QVERIFY(rig.prompt.messages.at(0).text.contains(QStringLiteral("no comm port open")));
    QVERIFY(rig.port.sent.isEmpty());
    QVERIFY(!rig.tools.selfTest().isVisible());
    QVERIFY(!rig.tools.selfTest().run().running());
}

void TestDriveTools::selfTestStops_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Stop") << "Stop";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close box";
}

void TestDriveTools::selfTestStops()
{
    QFETCH(QString, how);
    ToolsRig rig;
    rig.main.hooks().showSelfTest();
    SelfTest& test = rig.tools.selfTest();
    QVERIFY(test.isVisible());
    QVERIFY(test.isModal());
    QTRY_VERIFY_WITH_TIMEOUT(rig.tmx.moving(), Patience);
    if (how == QLatin1String("Stop"))
        test.stopButton()->click();
    else if (how == QLatin1String("Esc"))
        QTest::keyClick(&test, Qt::Key_Escape);
    else
        test.close();
    QVERIFY(!test.isVisible());
    QVERIFY(!test.run().running());
    QVERIFY(!rig.tmx.moving());
    QCOMPARE(rig.tmx.commands.mid(rig.tmx.commands.size() - 2), (QList<QByteArray>{"SK", "QT"}));
    const qsizetype count = rig.tmx.commands.size();
    WaitSeconds(0.1);
    QCOMPARE(rig.tmx.commands.size(), count);
    // Opening again sets up anew and starts with the positive move.
    rig.main.hooks().showSelfTest();
    QTRY_COMPARE_WITH_TIMEOUT(rig.tmx.commands.size(), count + 8, Patience);
    QCOMPARE(rig.tmx.commands.mid(count),
             (QList<QByteArray>{"HR", "SK", "CM21", "DI25000", "MR16", "VE.25", "DI12500", "FL"}));
    test.StopSelfTest_Click();
}

void TestDriveTools::namesAndTitles()
{
    ToolsRig rig;
    const QList<QPair<QWidget*, QString>> windows{
        {&rig.tools.terminal(), QStringLiteral("Host Terminal")},
        {&rig.tools.statusMonitor(), QStringLiteral("Drive Status Monitor")},
        {&rig.tools.selfTest(), QStringLiteral("Self Test")},
    };
    for (const auto& [window, title] : windows) {
        QCOMPARE(window->windowTitle(), title);
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(title + ": " + b->objectName()));
        for (QPlainTextEdit* e : window->findChildren<QPlainTextEdit*>())
            QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(title + ": " + e->objectName()));
    }
    // Distinct names for the rows of LO and HI buttons.
    QStringList names;
    for (QAbstractButton* b : rig.tools.statusMonitor().findChildren<QAbstractButton*>())
        names << b->accessibleName();
    QCOMPARE(names.removeDuplicates(), 0);
    QVERIFY(names.contains(QStringLiteral("Y2 LO")));
    QCOMPARE(rig.tools.terminal().findChild<QWidget*>(QStringLiteral("FrameHistory"))->property("title").toString(),
             QStringLiteral("Previous Commands && Responses"));
}

void TestDriveTools::menuEntriesOpenTheTools()
{
    ToolsRig rig;
    rig.main.menuEntry("MenuTerminal")->trigger();
    QVERIFY(rig.tools.terminal().isVisible());
    rig.tools.terminal().Quit_Click();
    rig.main.menuEntry("MenuIOStatus")->trigger();
    QVERIFY(rig.tools.statusMonitor().isVisible());
    rig.tools.statusMonitor().OK_Click();
    rig.main.menuEntry("MenuSelfTest")->trigger();
    QVERIFY(rig.tools.selfTest().isVisible());
    rig.tools.selfTest().StopSelfTest_Click();
    QVERIFY(rig.prompt.messages.isEmpty());
}

void TestDriveTools::monitorSetUpOncePerOpening()
{
    ToolsRig rig;
    rig.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
    rig.main.hooks().showStatusMonitor();
    ExecStatus& monitor = rig.tools.statusMonitor();
    QTRY_VERIFY_WITH_TIMEOUT(monitor.poll().cyclesRun() >= 1, Patience);
    // Away to another application and back: no second set-up.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&monitor);
    const int cycles = monitor.poll().cyclesRun();
    QTRY_VERIFY_WITH_TIMEOUT(monitor.poll().cyclesRun() > cycles + 1, Patience);
    QVERIFY(rig.cfg.state().TerminalMode);
    monitor.OK_Click();
    QCOMPARE(rig.drive.received.count("IFD\r"), 1);
    QCOMPARE(rig.drive.received.count("QT\r"), 1);
}

void TestDriveTools::noToolInsideARunningExchange()
{
    ToolsRig rig;
    rig.drive.silent = true;
    // Asked for while an exchange waits for the drive.
    QTimer::singleShot(50, &rig.main, [&rig] {
        rig.main.hooks().showStatusMonitor();
        rig.main.hooks().showSelfTest();
        rig.main.TerminalKey();
    });
    DriveLink::Exchange exchange(rig.link);
    QVERIFY(exchange);
    WaitSeconds(0.2);
    QVERIFY(rig.port.sent.isEmpty());
    QVERIFY(!rig.tools.statusMonitor().isVisible());
    QVERIFY(!rig.tools.selfTest().isVisible());
    QVERIFY(!rig.tools.terminal().isVisible());
}

QTEST_MAIN(TestDriveTools)
#include "tst_drivetools.moc"
