#include "About.h"
#include "AlarmHistory.h"
#include "ExecStatus.h"
#include "FaultCommands.h"
#include "ServoFault.h"
#include "HelpScreen.h"
#include "MainFormRig.h"
#include "SelfTest.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "StartForm.h"
#include "SummaryGrid.h"
#include "TMXterm.h"
#include "WiringBoard.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QtTest>

// The main window's layout at its design size and larger. With
// KORV4_SCREENSHOT set to a folder, the window is also saved there as PNG
// pictures (tests/screenshot.sh does this under a virtual X server).
class TestScreenshot : public QObject {
    Q_OBJECT
private slots:
    // The window opens with its inside under the menu bar at the design size
    // (the wide width on a screen of 800 pixels or more), and dragged
    // smaller it stops at 9600 x 7200 twips as a whole, frame and menu bar
    // included, or at its opening height where that is less.
    void openingAndMinimumSize()
    {
        MainFormRig rig;
        rig.start();
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        QCoreApplication::processEvents();
        const QWidget* inside = rig.main.centralWidget();
        const int screenWidth = rig.main.screen()->geometry().width();
        QCOMPARE(inside->height(), 430);
        QCOMPARE(rig.main.width(), screenWidth >= 800 ? 800 : 792);
        const QSize opened = rig.main.frameGeometry().size();
        qInfo("opened: %dx%d as a whole, %dx%d inside", opened.width(), opened.height(), inside->width(),
              inside->height());

        rig.main.resize(200, 150);
        QTRY_COMPARE(rig.main.frameGeometry().size(), QSize(640, qMin(480, opened.height())));
        QCOMPARE(rig.main.outerMinimumSize(), rig.main.frameGeometry().size());
        qInfo("dragged to 200x150: %dx%d as a whole", rig.main.frameGeometry().width(),
              rig.main.frameGeometry().height());
    }

    void layout_data()
    {
        QTest::addColumn<QSize>("size");  // empty: as the window opens
        QTest::addColumn<bool>("filled");
        QTest::newRow("design size, fresh start") << QSize() << false;
        QTest::newRow("design size, filled") << QSize() << true;
        QTest::newRow("minimum size") << QSize(1, 1) << true;
        QTest::newRow("large") << QSize(1400, 900) << true;
    }
    void layout()
    {
        QFETCH(QSize, size);
        QFETCH(bool, filled);
        MainFormRig rig;
        rig.start();
        if (filled) {
            rig.cfg.settings().StallPrevent = true;
            rig.cfg.settings().ControlMode = 11;
            rig.cfg.ShowMotionDesc();
            rig.main.SummarizeAll();
        }
        if (size.isValid())
            rig.main.resize(size);
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        QCoreApplication::processEvents();
        size = rig.main.frameGeometry().size();

        // Every control of the board lies inside it and on no other.
        WiringBoard& board = rig.main.board();
        const QList<QWidget*> children = board.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(children.size() >= 18);
        for (QWidget* a : children) {
            QVERIFY2(board.rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : children) {
                if (a != b)
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        }
        // The whole summary fits without scrolling at the design size.
        SummaryGrid& grid = rig.main.summary();
        const int rowsHeight = grid.rowViewportPosition(SummaryGrid::RowCount - 1) + grid.rowHeight(SummaryGrid::RowCount - 1);
        QVERIFY(rowsHeight <= grid.viewport()->height());

        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        if (!folder.isEmpty()) {
            const QString name = QStringLiteral("%1/mainwindow-%2x%3%4.png")
                                     .arg(folder).arg(size.width()).arg(size.height())
                                     .arg(filled ? "-filled" : "");
            QVERIFY(rig.main.grab().save(name));
        }
    }

    // The splash, the About box and the help viewer, for a look.
    void otherWindows()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        StartForm splash;
        About about;
        about.prepare();
        HelpScreen help(MainFormRig::binDir() + QStringLiteral("/KORV4 help/"));
        help.OpenHelpPage(QStringLiteral("velocity.html#AdvancedAnalog"));
        const QList<QPair<QWidget*, QString>> windows{{&splash, "splash"}, {&about, "about"}, {&help, "help"}};
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY(!window->grab().isNull());
            if (!folder.isEmpty())
                QVERIFY(window->grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        }
    }

    // The drive tools against a simulated drive: the terminal with a short
    // session, the status monitor in both layouts, the self test.
    void driveTools()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        MainFormRig rig(true);
        rig.port.open(1);
        SimulatedDrive drive(rig.port);
        SimulatedTmx tmx(drive);
        tmx.alarmWord = 0x0009;
        tmx.inputs = "01111110";
        tmx.extInputs = "10111111";
        tmx.outputs = "11110111";
        tmx.extOutputs = "11111101";
        const auto save = [&folder](QWidget& w, const QString& name) {
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCoreApplication::processEvents();
            if (!folder.isEmpty())
                QVERIFY(w.grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        };

        TMXterm term(rig.link, {});
        term.open();
        QVERIFY(QTest::qWaitForWindowActive(&term));
        term.session().enter(QStringLiteral("IS"));
        term.session().enter(QStringLiteral("VE"));
        tmx.powerUp(52, 42);
        QTRY_VERIFY(term.history()->toPlainText().contains(QStringLiteral("{255-052-042}")));
        term.commandText()->setPlainText(QStringLiteral("DI-12500"));
        save(term, QStringLiteral("terminal"));
        term.Quit_Click();

        for (int model : {43, 41}) {
            tmx.modelNumber = model;
            ExecStatus monitor(rig.link);
            monitor.start();
            QTRY_VERIFY(monitor.poll().cyclesRun() >= 2);
            monitor.adjustSize();
            save(monitor, model == 41 ? QStringLiteral("statusmonitor-compact") : QStringLiteral("statusmonitor"));
            monitor.OK_Click();
        }

        SelfTest test(rig.link, &rig.main);
        test.start();
        save(test, QStringLiteral("selftest"));
        test.StopSelfTest_Click();
    }

    // The fault window with two faults lit, the alarm history with a few alarms.
    void faultWindows()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        LinkStack<MemorySerialPort> stack;
        FaultCommands faults(stack.link, stack.queries);
        ServoFault fault(faults);
        fault.ShowRedBoxes(1 | 8192);
        AlarmHistory history(faults);
        history.DispAlarmHistory(QByteArray::fromHex("0080" "2001" "0000" "0200" "000000000000" "FFFF"));
        const QList<QPair<QWidget*, QString>> windows{{&fault, "servo-fault"}, {&history, "alarm-history"}};
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            if (!folder.isEmpty())
                QVERIFY(window->grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        }
    }
};

QTEST_MAIN(TestScreenshot)
#include "tst_screenshot.moc"
