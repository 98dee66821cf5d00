#include "About.h"
#include "AlarmHistory.h"
#include "Calculator.h"
#include "CodeListWindow.h"
#include "ExecStatus.h"
#include "EncoderDialog.h"
#include "FaultCommands.h"
#include "Harmonizer.h"
#include "IOdialog.h"
#include "RegenDialog.h"
#include "SettingsDialogs.h"
#include "HelpScreen.h"
#include "HelpSpot.h"
#include "MainFormRig.h"
#include "ReferenceCardWindow.h"
#include "ReferenceWindows.h"
#include "ServoFault.h"
#include "SelfTest.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "AdvancedSettings.h"
#include "MotionDialogs.h"
#include "MotionMenu.h"
#include "PulseDirDialog.h"
#include "TMXdialog.h"
#include "VelocityDialog.h"
#include "MotorDialogRig.h"
#include "StartForm.h"
#include "SummaryGrid.h"
#include "TMXterm.h"
#include "Twips.h"
#include "Version.h"
#include "WiringBoard.h"

#include <QPlainTextEdit>
#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
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
        const bool designSize = !size.isValid();
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
            // A help spot with the keyboard focus, as Tab leaves it.
            if (filled && designSize) {
                HelpSpot* spot = rig.main.helpSpot(QStringLiteral("HSencoder"));
                QVERIFY(spot);
                rig.main.activateWindow();
                if (QTest::qWaitForWindowActive(&rig.main)) {
                    spot->setFocus(Qt::TabFocusReason);
                    QTRY_VERIFY(spot->hasFocus());
                }
                QVERIFY(rig.main.grab().save(QStringLiteral("%1/mainwindow-helpspot-focus.png").arg(folder)));
            }
        }
    }

    // The splash as the program's start shows it: taken while the main
    // window's load step runs, with the version it has built.
    void splashAtStart()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        MainFormRig rig;
        rig.openDatabase();
        QImage shown;
        QString version;
        rig.main.hooks().loadIODialog = [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* splash = qobject_cast<StartForm*>(w); splash && splash->isVisible()) {
                    shown = splash->grab().toImage();
                    version = splash->versionText();
                }
            }
        };
        StartForm splash;
        splash.run(rig.main);
        QVERIFY(!shown.isNull());
        QCOMPARE(version, QStringLiteral("Version ") + ProgramVersion());
        QVERIFY(!splash.isVisible());
        if (!folder.isEmpty())
            QVERIFY(shown.save(QStringLiteral("%1/splash.png").arg(folder)));
    }

    // The About box and the help viewer, for a look.
    void otherWindows()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        About about;
        about.prepare();
        HelpScreen help(MainFormRig::binDir() + QStringLiteral("/KORV4 help/"));
        help.OpenHelpPage(QStringLiteral("velocity.html#AdvancedAnalog"));
        const QList<QPair<QWidget*, QString>> windows{{&about, "about"}, {&help, "help"}};
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QVERIFY(!window->grab().isNull());
            if (!folder.isEmpty())
                QVERIFY(window->grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        }
    }

    // The reference cards, every code list and the calculator.
    void referenceWindows()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        ReferenceWindows ref;
        QList<QPair<QWidget*, QString>> windows{
            {&ref.summary(), "summary"}, {&ref.zepHelp(), "zephelp"}, {&ref.calculator(), "calculator"}};
        for (const CodeListPage& page : CodeListPages())
            windows.append({&ref.codeList(page.list), page.window.toLower()});
        for (const auto& [window, name] : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            // Nothing is cut off: every label has the room its text needs.
            for (const QLabel* label : window->findChildren<QLabel*>())
                if (!label->wordWrap())
                    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(name + ": " + label->text()));
            if (!folder.isEmpty())
                QVERIFY(window->grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        }
    }

    // The smoothing wizard in its speed step, over a drive that says nothing.
    void smoothingWizard()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        LinkStack<MemorySerialPort> stack;
        stack.link.StartComm();
        Harmonizer wizard(stack.link);
        wizard.runningCurrentText = [] { return QStringLiteral("2"); };
        wizard.showWizard();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        wizard.startButton()->click();
        QCoreApplication::processEvents();
        for (const QLabel* label : wizard.findChildren<QLabel*>())
            if (!label->wordWrap())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        QVERIFY(wizard.instructions()->height() >= wizard.instructions()->heightForWidth(wizard.instructions()->width()));
        // The designed inside: 9600 by 3495 twips.
        QCOMPARE(wizard.size(), QSize(Twips(9600), Twips(3495)));
        if (!folder.isEmpty())
            QVERIFY(wizard.grab().save(QStringLiteral("%1/harmonizer.png").arg(folder)));
        wizard.cancelButton()->click();
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
            save(monitor, model == 41 ? QStringLiteral("statusmonitor-compact") : QStringLiteral("statusmonitor"));
            monitor.OK_Click();
        }

        SelfTest test(rig.link, &rig.main);
        test.start();
        save(test, QStringLiteral("selftest"));
        test.StopSelfTest_Click();
    }

    // The motion-mode menu and its dialogs as they open, each control wide
    // and tall enough for its text.
    void motionDialogs()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        MainFormRig rig;
        rig.start();
        rig.cfg.selectModel(2);
        rig.cfg.settings().PulseType = 2;
        rig.cfg.settings().VelAnalog = true;
        MotionDialogs dialogs(rig.cfg, rig.main, rig.transfer);
        auto shoot = [&](QWidget& window, const QString& name) {
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCoreApplication::processEvents();
            for (QWidget* w : window.findChildren<QWidget*>()) {
                if (w->isVisibleTo(&window) && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)))
                    QVERIFY2(w->width() >= w->minimumSizeHint().width() && w->height() >= w->minimumSizeHint().height(),
                             qPrintable(name + ": " + w->objectName() + " is cut off"));
            }
            if (!folder.isEmpty())
                QVERIFY(window.grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        };
        rig.main.Motion_Click(false);
        shoot(dialogs.menu(), QStringLiteral("motion-menu"));
        rig.main.hooks().showPulseDirDialog();
        shoot(dialogs.pulseDir(), QStringLiteral("pulse-dir"));
        rig.main.hooks().showVelocityDialog();
        shoot(dialogs.velocity(), QStringLiteral("velocity"));
        dialogs.advanced().showFilled();
        shoot(dialogs.advanced(), QStringLiteral("advanced-analog"));
        rig.cfg.settings().PowerUpMode = 7;
        rig.main.hooks().showTMXDialog(2, QStringLiteral("TMX Configuration"));
        shoot(dialogs.tmx(), QStringLiteral("tmx-step"));
        rig.cfg.settings().PowerUpMode = 21;
        rig.main.hooks().showTMXDialog(7, QStringLiteral("J Configuration"));
        shoot(dialogs.tmx(), QStringLiteral("tmx-j-positioning"));
    }

    // The motor dialog (standard motor; custom motor with More) and the
    // custom-motor editor, each at the size it opens with.
    void motorDialogs()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        MotorDialogRig r;
        r.start();
        r.rig.main.show();
        auto snap = [&](QWidget& w, const QString& name) {
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCoreApplication::processEvents();
            // Opened at least as large as its layout asks: nothing cut off.
            QVERIFY2(w.width() >= w.minimumSizeHint().width() && w.height() >= w.minimumSizeHint().height(),
                     qPrintable(name));
            // Every caption shows whole.
            for (QWidget* c : w.findChildren<QWidget*>()) {
                if (c->isVisible() && (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c)))
                    QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(name + ": " + c->objectName()));
            }
            if (!folder.isEmpty())
                QVERIFY(w.grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        };
        r.rig.main.Motor_Click();
        snap(r.motor(), QStringLiteral("motor-standard"));
        if (!folder.isEmpty()) {
            // The motor list dropped down: the screen under the dialog, as
            // the list is a window of its own.
            QComboBox& list = r.child<QComboBox>(r.motor(), "MotorList");
            list.showPopup();
            QWidget* popup = list.view()->window();
            QVERIFY(QTest::qWaitForWindowExposed(popup));
            QCoreApplication::processEvents();
            const QRect area = r.motor().frameGeometry().united(popup->frameGeometry());
            QVERIFY(r.motor().screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                        .save(QStringLiteral("%1/motor-list-open.png").arg(folder)));
            list.hidePopup();
        }
        r.child<QPushButton>(r.motor(), "MoreOrLess").click();
        r.child<QRadioButton>(r.motor(), "optCustom").click();
        snap(r.motor(), QStringLiteral("motor-custom-more"));
        r.child<QPushButton>(r.motor(), "DefineNewMotor").click();
        snap(r.edit(), QStringLiteral("editmotor"));
    }

    // The encoder, I/O and regen dialogs, each in its fuller state: every
    // control inside the window and wide enough for its text.
    void encoderIORegenDialogs()
    {
        const QString folder = qEnvironmentVariable("KORV4_SCREENSHOT");
        MainFormRig rig;
        SettingsDialogs dialogs(rig.cfg, rig.main, rig.transfer);
        rig.start();
        rig.main.show();
        rig.cfg.settings().StallPrevent = true;
        rig.cfg.settings().HardStopFault = true;
        rig.cfg.settings().RegenExternal = true;
        rig.cfg.settings().BrakeOutputMode = 1;
        rig.cfg.settings().MotionOutputMode = 6;
        const QList<QPair<SettingsDialog*, QString>> windows{{&dialogs.encoderDialog(), "encoderdialog"},
                                                             {&dialogs.ioDialog(), "iodialog"},
                                                             {&dialogs.regenDialog(), "regendialog"}};
        for (const auto& [dialog, name] : windows) {
            dialog->showFilled();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QCoreApplication::processEvents();
            QList<QWidget*> shown;
            for (QWidget* w : dialog->findChildren<QWidget*>())
                if (w->isVisible() && !qobject_cast<QGroupBox*>(w) && w->parentWidget()->isVisible())
                    shown << w;
            for (QWidget* a : shown) {
                const QRect ra(a->mapTo(dialog, QPoint(0, 0)), a->size());
                QVERIFY2(dialog->rect().contains(ra), qPrintable(a->objectName()));
                QVERIFY2(a->sizeHint().width() <= a->width() || qobject_cast<QLineEdit*>(a) || qobject_cast<QComboBox*>(a),
                         qPrintable(name + ": " + a->objectName() + " " + a->metaObject()->className() + " cut off"));
            }
            if (!folder.isEmpty())
                QVERIFY(dialog->grab().save(QStringLiteral("%1/%2.png").arg(folder, name)));
        }
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
