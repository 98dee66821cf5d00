#include "About.h"
#include "AccessibleName.h"
#include "FileCommands.h"
#include "HelpScreen.h"
#include "HelpSpot.h"
#include "MainFormRig.h"
#include "PictureButton.h"
#include "PrintCommand.h"
#include "StartForm.h"
#include "SummaryGrid.h"
#include "Version.h"
#include "WiringBoard.h"

#include <QAccessible>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

namespace {

// Records which window hook ran, by name.
struct HookLog {
    QStringList calls;

    void attach(WindowHooks& h)
    {
        auto log = [this](const char* name) { return [this, name] { calls << QString::fromLatin1(name); }; };
        h.showMotorDialog = log("motor");
        h.showMotionMenu = log("motion menu");
        h.showEncoderDialog = log("encoder");
        h.showIODialog = log("io");
        h.showRegenDialog = log("regen");
        h.showPulseDirDialog = log("pulse dir");
        h.showVelocityDialog = log("velocity");
        h.showTMXDialog = [this](int mode, const QString& caption) {
            calls << QStringLiteral("tmx %1 %2").arg(mode).arg(caption);
        };
        h.showTerminal = log("terminal");
        h.showAlarmHistory = log("alarm history");
        h.clearAlarm = log("clear alarm");
        h.showStatusMonitor = log("status monitor");
        h.restoreFactoryDefaults = log("restore");
        h.showSelfTest = log("self test");
    }
};

// Closes the modal box the code under test is about to show.
void CloseNextModal()
{
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

}  // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void freshStart()
    {
        MainFormRig rig;
        rig.openDatabase();
        rig.main.Form_Load();

        QCOMPARE(rig.main.windowTitle(),
                 QStringLiteral("KORV4 Configurator  V") + ProgramVersion() + QStringLiteral(" - untitled"));
        QCOMPARE(rig.main.modelList().count(), 6);
        QCOMPARE(rig.main.modelList().currentText(), QStringLiteral("KORV4-J"));
        QCOMPARE(rig.cfg.modelIndex(), 1);
        QStringList ports;
        for (int i = 0; i < rig.main.commList().count(); ++i)
            ports << rig.main.commList().itemText(i);
        QCOMPARE(ports, QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
        QCOMPARE(rig.main.outerMinimumSize().width(), 640);
        QCOMPARE(rig.main.motionDescLabel().text(), QStringLiteral("Pulse & Direction"));
        QCOMPARE(rig.main.progressBar().value(), 0);
        QCOMPARE(rig.cfg.state().HelpPath, MainFormRig::binDir() + QStringLiteral("/KORV4 help/"));
        QCOMPARE(rig.cfg.state().ProgramVersion, ProgramVersion());
        QVERIFY(!rig.cfg.state().SettingsChanged);
        // Every setting holds its default when start-up ends.
        QCOMPARE(rig.cfg.settings().RunCurrent, Settings().RunCurrent);

        // The grid: five titles, four dividers, every value row empty.
        const SummaryGrid& grid = rig.main.summary();
        QCOMPARE(grid.rowCount(), 23);
        const QMap<int, QString> titles{{0, "Motor:"}, {4, "Motion Mode:"}, {8, "Regen Resistor:"},
                                        {12, "Dedicated I/O:"}, {20, "Encoder:"}};
        const QList<int> dividers{3, 7, 11, 19};
        for (int row = 0; row < grid.rowCount(); ++row) {
            const QString where = QStringLiteral("row %1").arg(row);
            if (titles.contains(row)) {
                QCOMPARE(grid.cellText(row, 0), titles.value(row));
                QCOMPARE(grid.cellText(row, 1), titles.value(row));
                QVERIFY2(grid.isMerged(row), qPrintable(where));
                QCOMPARE(grid.rowHeight(row), 16);
            } else if (dividers.contains(row)) {
                QVERIFY2(grid.isDivider(row) && grid.isMerged(row), qPrintable(where));
                QCOMPARE(grid.cellText(row, 0), QStringLiteral(" "));
                QCOMPARE(grid.rowHeight(row), 7);
            } else {
                QVERIFY2(grid.cellText(row, 0).isEmpty() && grid.cellText(row, 1).isEmpty(), qPrintable(where));
                QVERIFY2(!grid.isDivider(row), qPrintable(where));
                QCOMPARE(grid.rowHeight(row), row == 22 ? 32 : 16);
            }
        }
        // Only the link's lines are green.
        for (const QString& line : WiringBoard::lineNames()) {
            const bool link = line == "CommLine" || line.startsWith("DriveLine");
            QCOMPARE(rig.main.board().lineColor(line), link ? WiringBoard::Green() : WiringBoard::Yellow());
        }
    }

    // The splash is up during the load step and gone once the main window
    // shows; the window takes 800 pixels on a screen that wide, else its
    // design width, and is centred.
    void splashAndPlacement()
    {
        MainFormRig rig;
        rig.openDatabase();
        StartForm splash;
        QCOMPARE(splash.windowTitle(), QStringLiteral("StartUp"));
        bool splashDuringLoad = false;
        rig.main.hooks().loadMotorDialog = [&] { splashDuringLoad = splash.isVisible(); };
        splash.run(rig.main);
        QVERIFY(splashDuringLoad);
        QVERIFY(!splash.isVisible());
        QVERIFY(rig.main.isVisible());
        QCOMPARE(splash.versionText(), QStringLiteral("Version ") + ProgramVersion());

        const QRect screen = rig.main.screen()->geometry();
        QCOMPARE(rig.main.width(), screen.width() >= 800 ? 800 : 792);
        QVERIFY(qAbs(rig.main.frameGeometry().center().x() - screen.center().x()) <= 1);
    }

    // The motion description by mode, as the main window shows it: the
    // caption's doubled ampersand draws one, and a stand-alone control code
    // without a description of its own keeps the one shown before.
    void motionDescription_data()
    {
        QTest::addColumn<int>("operatingMode");
        QTest::addColumn<int>("controlMode");
        QTest::addColumn<int>("pulseType");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Ky program") << 1 << 21 << 0 << "Ky Program" << "Ky Program";
        QTest::newRow("TMX mode") << 2 << 7 << 0 << "TMX Mode" << "TMX Mode";
        QTest::newRow("velocity") << 3 << 11 << 2 << "Velocity Mode" << "Velocity Mode";
        QTest::newRow("quadrature") << 3 << 7 << 2 << "Quadrature Following" << "Quadrature Following";
        QTest::newRow("pulse and direction") << 3 << 7 << 0 << "Pulse && Direction" << "Pulse & Direction";
        QTest::newRow("CW/CCW pulse") << 3 << 7 << 1 << "CW/CCW Pulse" << "CW/CCW Pulse";
        QTest::newRow("other pulse type") << 3 << 7 << 5 << "CW/CCW Pulse" << "CW/CCW Pulse";
        QTest::newRow("stand-alone, code 21: unchanged") << 3 << 21 << 1 << "Velocity Mode" << "Velocity Mode";
        QTest::newRow("Orvane hub") << 4 << 7 << 0 << "Orvane Hub" << "Orvane Hub";
        QTest::newRow("mode 5: empty") << 5 << 7 << 0 << "" << "";
        QTest::newRow("J program") << 7 << 21 << 0 << "J Program" << "J Program";
        QTest::newRow("mode 0: empty") << 0 << 7 << 0 << "" << "";
    }
    void motionDescription()
    {
        QFETCH(int, operatingMode);
        QFETCH(int, controlMode);
        QFETCH(int, pulseType);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        MainFormRig rig;
        rig.start();
        Settings& s = rig.cfg.settings();
        // A description other than the start-up one, to see what is kept.
        s.ControlMode = 11;
        rig.cfg.ShowMotionDesc();
        s.OperatingMode = operatingMode;
        s.ControlMode = controlMode;
        s.PulseType = pulseType;
        rig.cfg.ShowMotionDesc();
        QCOMPARE(rig.cfg.motionDesc(), caption);
        QCOMPARE(rig.main.motionDescLabel().text(), shown);
    }

    void captionFile()
    {
        MainFormRig rig;
        rig.start();
        rig.main.setCaptionFile(QStringLiteral("/home/user/axis 1.cnf"));
        QCOMPARE(rig.main.windowTitle(),
                 QStringLiteral("KORV4 Configurator  V") + ProgramVersion() + QStringLiteral(" - /home/user/axis 1.cnf"));
        rig.main.setCaptionFile(QString());
        QVERIFY(rig.main.windowTitle().endsWith(" - untitled"));
    }

    void listsFollowTheCore()
    {
        MainFormRig rig;
        rig.start();
        rig.cfg.selectModel(5);
        QCOMPARE(rig.main.modelList().currentText(), QStringLiteral("KORV4-Ky-220"));
        rig.cfg.setCommRow(2);
        QCOMPARE(rig.main.commList().currentText(), QStringLiteral("COM3"));
        rig.cfg.setDriveVersion(QStringLiteral("1.04 k"));
        QCOMPARE(rig.main.driveVersionLabel().text(), QStringLiteral("1.04 k"));
        emit rig.transfer.progressChanged(40);
        QCOMPARE(rig.main.progressBar().value(), 40);

        // A user's choice in the model list runs the model change.
        emit rig.main.modelList().activated(3);
        QCOMPARE(rig.cfg.modelIndex(), 3);

        // A port that cannot be opened puts the list back on the port in force.
        rig.cfg.setCommRow(0);
        rig.main.commList().setCurrentIndex(4);
        emit rig.main.commList().activated(4);
        QCOMPARE(rig.prompt.titles(), QStringList{QStringLiteral("COM Error")});
        QCOMPARE(rig.main.commList().currentText(), QStringLiteral("COM1"));
    }

    void quitGuard_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("viaExit");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<int>("questions");
        const int ok = int(Prompt::Answer::Ok);
        const int cancel = int(Prompt::Answer::Cancel);
        for (bool viaExit : {false, true}) {
            const char* how = viaExit ? "Exit" : "close";
            QTest::addRow("%s, no changes", how) << false << ok << viaExit << true << 0;
            QTest::addRow("%s, changes, OK", how) << true << ok << viaExit << true << 1;
            QTest::addRow("%s, changes, Cancel", how) << true << cancel << viaExit << false << 1;
        }
    }
    void quitGuard()
    {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, viaExit);
        QFETCH(bool, ends);
        QFETCH(int, questions);
        MainFormRig rig;
        rig.start();
        int fileClosed = 0;
        rig.main.hooks().closeOpenFile = [&] { ++fileClosed; };
        rig.main.show();
        rig.cfg.state().SettingsChanged = changed;
        rig.cfg.settings().RunCurrent = 2.5;
        rig.prompt.answers = {Prompt::Answer(answer)};
        QSignalSpy ending(&rig.main, &MainForm::programEnding);

        if (viaExit)
            rig.main.menuEntry("MenuExit")->trigger();
        else
            rig.main.close();

        QCOMPARE(rig.prompt.messages.size(), questions);
        if (questions) {
            const ScriptedPrompt::Message& m = rig.prompt.messages.first();
            QCOMPARE(m.title, QStringLiteral("Quit"));
            QCOMPARE(m.text, QStringLiteral("You have made changes without Saving or Downloading.  "
                                            "Do you really want to quit?"));
            QCOMPARE(m.buttons, Prompt::Buttons::OkCancel);
            QCOMPARE(m.icon, Prompt::Icon::Question);
        }
        QCOMPARE(ending.size(), ends ? 1 : 0);
        QCOMPARE(fileClosed, ends ? 1 : 0);
        QCOMPARE(rig.main.isVisible(), !ends);
        // Staying keeps every setting.
        QCOMPARE(rig.cfg.settings().RunCurrent, 2.5);
        QVERIFY(rig.port.sent.isEmpty());
    }

    void pictureButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("raised");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("opens");
        QTest::newRow("Motor") << "Motor" << "Motor" << "MotorUp" << "MotorDown" << "motor";
        QTest::newRow("Motion") << "Motion" << "Motion" << "MotionUp" << "MotionDown" << "motion menu";
        QTest::newRow("Encoder") << "Encoder" << "Encoder" << "EncoderUp" << "EncoderDown" << "encoder";
        QTest::newRow("IO") << "IO" << "I/O" << "IOup" << "IOdown" << "io";
        QTest::newRow("Regen") << "Regen" << "Regen" << "RegenUp" << "RegenDown" << "regen";
        QTest::newRow("Upload") << "Upload" << "Upload" << "UploadUp" << "UploadDown" << "";
        QTest::newRow("Download") << "Download" << "Download" << "DownloadUp" << "DownloadDown" << "";
    }
    void pictureButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, raised);
        QFETCH(QString, pressed);
        QFETCH(QString, opens);
        MainFormRig rig;
        rig.start();
        HookLog log;
        log.attach(rig.main.hooks());
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        PictureButton* b = rig.main.pictureButton(button);
        QVERIFY(b);
        QCOMPARE(b->accessibleName(), caption);
        QCOMPARE(b->currentPicture(), raised);

        QTest::mousePress(b, Qt::LeftButton);
        QCOMPARE(b->currentPicture(), pressed);
        QVERIFY(log.calls.isEmpty());  // nothing opens before the release
        QTest::mouseRelease(b, Qt::LeftButton);
        QCOMPARE(b->currentPicture(), raised);
        QCOMPARE(log.calls, opens.isEmpty() ? QStringList() : QStringList{opens});
        if (opens.isEmpty()) {
            // Upload and Download reach the link, which finds no port open.
            QCOMPARE(rig.prompt.messages.size(), 1);
            QVERIFY(rig.prompt.messages.first().text.contains("there is no comm port open."));
        }
    }

    // The captions drawn in the fourteen button pictures share one font size,
    // and each stays clear of its icon and of the button's edge.
    void pictureCaptionsShareOneSize()
    {
        const QRegularExpression size(QStringLiteral("<svg[^>]* width=\"([0-9.]+)\""));
        const QRegularExpression text(QStringLiteral(
            "<text x=\"([0-9.]+)\"[^>]* text-anchor=\"middle\"[^>]* font-size=\"([0-9.]+)\"[^>]*>([^<]+)<"));
        QSet<QString> sizes;
        for (const char* name : {"MotorUp", "MotorDown", "MotionUp", "MotionDown", "EncoderUp", "EncoderDown", "IOup",
                                 "IOdown", "RegenUp", "RegenDown", "UploadUp", "UploadDown", "DownloadUp",
                                 "DownloadDown"}) {
            QFile file(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString svg = QString::fromUtf8(file.readAll());
            const QRegularExpressionMatch w = size.match(svg);
            const QRegularExpressionMatch t = text.match(svg);
            QVERIFY2(w.hasMatch() && t.hasMatch(), name);
            sizes << t.captured(2);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(t.captured(2).toInt());
            font.setBold(true);
            const qreal half = QFontMetricsF(font).horizontalAdvance(t.captured(3)) / 2;
            const qreal centre = t.captured(1).toDouble();
            // The icons end at 30 units; the bevel is 2 units wide.
            QVERIFY2(centre - half >= 32 && centre + half <= w.captured(1).toDouble() - 6, name);
        }
        QCOMPARE(sizes.size(), 1);
    }

    void motionWithShift_data()
    {
        QTest::addColumn<int>("operatingMode");
        QTest::addColumn<int>("controlMode");
        QTest::addColumn<QString>("opens");
        QTest::newRow("TMX mode") << 2 << 7 << "tmx 2 TMX Configuration";
        QTest::newRow("mode 5") << 5 << 7 << "tmx 2 TMX Configuration";
        QTest::newRow("J program") << 7 << 21 << "tmx 7 J Configuration";
        QTest::newRow("stand-alone velocity") << 3 << 11 << "velocity";
        QTest::newRow("stand-alone step") << 3 << 7 << "pulse dir";
        QTest::newRow("stand-alone, other code") << 3 << 21 << "pulse dir";
        QTest::newRow("Ky program") << 1 << 21 << "";
        QTest::newRow("Orvane hub") << 4 << 7 << "";
    }
    void motionWithShift()
    {
        QFETCH(int, operatingMode);
        QFETCH(int, controlMode);
        QFETCH(QString, opens);
        MainFormRig rig;
        rig.start();
        HookLog log;
        log.attach(rig.main.hooks());
        rig.cfg.settings().OperatingMode = operatingMode;
        rig.cfg.settings().ControlMode = controlMode;
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        PictureButton* motion = rig.main.pictureButton("Motion");

        QTest::mouseClick(motion, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(log.calls, opens.isEmpty() ? QStringList() : QStringList{opens});

        // Without Shift the motion-mode menu opens in every mode; so does a
        // row of the summary's motion block.
        log.calls.clear();
        QTest::mouseClick(motion, Qt::LeftButton);
        QCOMPARE(log.calls, QStringList{"motion menu"});
        log.calls.clear();
        rig.main.Summary_Click(SummaryGrid::MotionBlock, Qt::ShiftModifier);
        QCOMPARE(log.calls, opens.isEmpty() ? QStringList() : QStringList{opens});
    }

    // Shift counts only while it is down at the press. A press without an
    // event of its own (click() from code, a screen reader's "Press") after
    // a Shift+click that has been let go opens the menu; with Shift held
    // down it opens the mode's dialog.
    void motionShiftNotKept_data()
    {
        QTest::addColumn<QString>("press");
        QTest::newRow("click() from code") << "code";
        QTest::newRow("accessibility Press") << "accessibility";
        QTest::newRow("Space on the focused button") << "space";
    }
    void motionShiftNotKept()
    {
        QFETCH(QString, press);
        MainFormRig rig;
        rig.start();
        HookLog log;
        log.attach(rig.main.hooks());
        rig.cfg.settings().OperatingMode = 2;
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.main));
        PictureButton* motion = rig.main.pictureButton("Motion");
        const auto pressWithout = [&](Qt::KeyboardModifiers held) {
            log.calls.clear();
            if (press == "code") {
                motion->click();
            } else if (press == "accessibility") {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(motion);
                QVERIFY(iface && iface->actionInterface());
                iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QTRY_COMPARE(log.calls.size(), 1);
            } else {
                motion->setFocus();
                QTest::keyClick(motion, Qt::Key_Space, held);
            }
        };

        QTest::mouseClick(motion, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(log.calls, QStringList{"tmx 2 TMX Configuration"});
        // The user lets go of Shift (the key goes to the window, not the button).
        QTest::keyRelease(&rig.main, Qt::Key_Shift);
        for (int again = 0; again < 2; ++again) {
            pressWithout(Qt::NoModifier);
            QCOMPARE(log.calls, QStringList{"motion menu"});
        }
        // Held down again at the press: the mode's dialog.
        QTest::keyPress(&rig.main, Qt::Key_Shift, Qt::ShiftModifier);
        pressWithout(Qt::ShiftModifier);
        QCOMPARE(log.calls, QStringList{"tmx 2 TMX Configuration"});
        QTest::keyRelease(&rig.main, Qt::Key_Shift);
        pressWithout(Qt::NoModifier);
        QCOMPARE(log.calls, QStringList{"motion menu"});
    }

    // Tab goes down the picture buttons as they stand, then Upload,
    // Download and the lists, then the help spots from top to bottom, and
    // round again.
    void tabOrder()
    {
        MainFormRig rig;
        rig.start();
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.main));
        const QStringList order{"Motion",      "IO",       "Encoder",  "Regen",   "Motor",    "Upload",
                                "Download",    "ModelList", "CommList", "HSdomelabel", "HSled", "HSrs485",
                                "HSinout1",    "HSinout2", "HSencoder", "HSACPower"};
        // The five picture buttons of the left side stand in this order.
        WiringBoard& board = rig.main.board();
        int lastTop = -1;
        for (int i = 0; i < 5; ++i) {
            QWidget* w = rig.main.findChild<QWidget*>(order.at(i));
            const int top = w->mapTo(&board, QPoint(0, 0)).y();
            QVERIFY2(top > lastTop, qPrintable(order.at(i)));
            lastTop = top;
        }
        rig.main.pictureButton("Motion")->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Motion"));
    }

    // A help spot with the focus shows it plainly on the drive picture: a
    // frame of strong contrast all round, not a faint tint.
    void helpSpotFocusIsPlain_data()
    {
        QTest::addColumn<QString>("spot");
        for (const char* name : {"HSdomelabel", "HSled", "HSrs485", "HSinout1", "HSinout2", "HSencoder", "HSACPower"})
            QTest::newRow(name) << name;
    }
    void helpSpotFocusIsPlain()
    {
        QFETCH(QString, spot);
        MainFormRig rig;
        rig.start();
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.main));
        HelpSpot* s = rig.main.helpSpot(spot);
        WiringBoard& board = rig.main.board();
        const QRect area = s->geometry();
        rig.main.pictureButton("Motion")->setFocus();
        QCoreApplication::processEvents();
        const QImage before = board.grab(area).toImage();
        s->setFocus(Qt::TabFocusReason);
        QVERIFY(s->hasFocus());
        QCoreApplication::processEvents();
        const QImage after = board.grab(area).toImage();
        // Along each edge, most pixels of a band two pixels in change by
        // much (a third of the full range or more).
        const auto strong = [&](int x, int y) {
            const QColor a = before.pixelColor(x, y);
            const QColor b = after.pixelColor(x, y);
            return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) >= 255;
        };
        int changed = 0;
        int looked = 0;
        // The middle half of the top edge is left open for the caption the
        // picture shows there; it must stay as it was.
        const int gapLeft = before.width() / 4 + 4;
        const int gapRight = before.width() - before.width() / 4 - 4;
        int captionTouched = 0;
        for (int x = 6; x < before.width() - 6; ++x) {
            const bool inGap = x > gapLeft && x < gapRight;
            for (int y : {2, before.height() - 3}) {
                if (y == 2 && inGap) {
                    captionTouched += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
                    continue;
                }
                ++looked;
                changed += strong(x, y) ? 1 : 0;
            }
        }
        QCOMPARE(captionTouched, 0);
        for (int y = 6; y < before.height() - 6; ++y) {
            for (int x : {2, before.width() - 3}) {
                ++looked;
                changed += strong(x, y) ? 1 : 0;
            }
        }
        QVERIFY2(changed * 10 >= looked * 8, qPrintable(QStringLiteral("%1 of %2").arg(changed).arg(looked)));
    }

    void summaryClick_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("opens");
        const char* blocks[] = {"motor", "motor", "motor", "",
                                "motion menu", "motion menu", "motion menu", "",
                                "regen", "regen", "regen", "",
                                "io", "io", "io", "io", "io", "io", "io", "",
                                "encoder", "encoder", "encoder"};
        for (int row = 0; row < 23; ++row)
            QTest::addRow("row %d", row) << row << blocks[row];
    }
    void summaryClick()
    {
        QFETCH(int, row);
        QFETCH(QString, opens);
        MainFormRig rig;
        rig.start();
        HookLog log;
        log.attach(rig.main.hooks());
        rig.main.SummarizeAll();
        rig.main.resize(900, 600);
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        SummaryGrid& grid = rig.main.summary();
        const QRect cell = grid.visualRect(grid.model()->index(row, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(log.calls, opens.isEmpty() ? QStringList() : QStringList{opens});
    }

    void helpSpots_data()
    {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<int>("modelRow");
        QTest::addColumn<QString>("page");
        QTest::newRow("AC power") << "HSACPower" << 1 << "ConnectingACPower.html";
        QTest::newRow("encoder") << "HSencoder" << 1 << "ConnectingEncoder.html";
        QTest::newRow("IN/OUT 1") << "HSinout1" << 1 << "Connecting_IO_to_InOut1.html";
        QTest::newRow("IN/OUT 2") << "HSinout2" << 1 << "Connecting_IO_to_InOut2.html";
        QTest::newRow("LED") << "HSled" << 1 << "ErrorCodes.html";
        QTest::newRow("RS-485") << "HSrs485" << 1 << "Hardware_RS485.html";
        const char* overview[] = {"Overview_E.html", "Overview_J.html", "Overview_Ky.html"};
        for (int row = 0; row < 6; ++row)
            QTest::addRow("model label, row %d", row) << "HSdomelabel" << row << overview[row % 3];
        QTest::newRow("model label, no row") << "HSdomelabel" << -1 << "";
    }
    void helpSpots()
    {
        QFETCH(QString, spot);
        QFETCH(int, modelRow);
        QFETCH(QString, page);
        MainFormRig rig;
        rig.start();
        rig.cfg.selectModel(modelRow);
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        HelpSpot* s = rig.main.helpSpot(spot);
        QVERIFY(s);
        QVERIFY(!s->accessibleName().isEmpty());
        QTest::mouseClick(s, Qt::LeftButton);
        HelpScreen* help = rig.main.helpScreen();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        const QUrl shown = help->browser()->source();
        if (page.isEmpty())
            QVERIFY(shown.isEmpty());  // only shown, sent nowhere
        else
            QCOMPARE(shown, QUrl::fromLocalFile(rig.cfg.state().HelpPath + page));
    }

    void helpMenu()
    {
        MainFormRig rig;
        rig.start();
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.main));
        rig.main.move(rig.main.pos() + QPoint(37, 23));
        rig.main.menuEntry("menuContactUs")->trigger();
        QCOMPARE(rig.main.helpScreen()->browser()->source().toLocalFile(),
                 rig.cfg.state().HelpPath + QStringLiteral("contact us.html"));
        // The viewer opens centred over the main window; moved by the user,
        // it stays where it was put.
        HelpScreen* help = rig.main.helpScreen();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        const QPoint offset = help->frameGeometry().center() - rig.main.frameGeometry().center();
        QVERIFY2(qAbs(offset.x()) <= 2 && qAbs(offset.y()) <= 2, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
        help->move(help->pos() + QPoint(50, 0));
        const QPoint moved = help->pos();
        QVERIFY(!rig.main.helpScreen()->browser()->toPlainText().isEmpty());
        rig.main.menuEntry("MenuContents")->trigger();
        QCOMPARE(rig.main.helpScreen()->browser()->source().fileName(), QStringLiteral("index.html"));
        QCOMPARE(help->pos(), moved);
    }

    void website()
    {
        MainFormRig rig;
        rig.start();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openedUrl");
        rig.main.menuEntry("menuWebSite")->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(m_opened, QUrl(QStringLiteral("https://www.example.com/korv4")));
        QVERIFY(rig.prompt.messages.isEmpty());
    }

    // With no web browser on the machine the user is told, with the address.
    void websiteWithoutBrowser()
    {
        MainFormRig rig;
        rig.start();
        QList<QUrl> asked;
        rig.main.setUrlOpener([&](const QUrl& url) {
            asked << url;
            return false;
        });
        rig.main.menuEntry("menuWebSite")->trigger();
        QCOMPARE(asked, QList<QUrl>{QUrl(QStringLiteral("https://www.example.com/korv4"))});
        QCOMPARE(rig.prompt.messages.size(), 1);
        const ScriptedPrompt::Message& m = rig.prompt.messages.first();
        QCOMPARE(m.title, QStringLiteral("KORV4 Configurator"));
        QCOMPARE(m.buttons, Prompt::Buttons::Ok);
        QVERIFY2(m.text.contains(QStringLiteral("could not be opened")), qPrintable(m.text));
        QVERIFY2(m.text.contains(QStringLiteral(" https://www.example.com/korv4\n")), qPrintable(m.text));
    }

    // The firmware version label reads as the version it shows.
    void driveVersionReadsAsShown()
    {
        MainFormRig rig;
        rig.start();
        rig.cfg.setDriveVersion(QStringLiteral("1.04 k"));
        QCOMPARE(rig.main.driveVersionLabel().text(), QStringLiteral("1.04 k"));
        QCOMPARE(AccessibleName(&rig.main.driveVersionLabel()), QStringLiteral("1.04 k"));
    }

    void menus()
    {
        MainFormRig rig;
        const QList<QPair<QString, QStringList>> tree{
            {"File", {"Open...", "Save", "Save As...", "Print...", "Exit"}},
            {"Drive", {"Alarm History", "Clear Alarm", "Status Monitor...", "Restore Factory Defaults",
                       "TMX Terminal...", "Self Test"}},
            {"Help", {"Contents", "Contact Us", "Website", "About"}}};
        const QList<QAction*> titles = rig.main.menuBar()->actions();
        QCOMPARE(titles.size(), tree.size());
        for (int m = 0; m < tree.size(); ++m) {
            QCOMPARE(titles.at(m)->text(), tree.at(m).first);
            QMenu* menu = titles.at(m)->menu();
            QStringList captions;
            for (QAction* a : menu->actions()) {
                QVERIFY(!a->isSeparator());
                QVERIFY(a->shortcut().isEmpty());
                captions << a->text();
            }
            QCOMPARE(captions, tree.at(m).second);
            // The entries' accessible names are their captions.
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
            QVERIFY(iface);
            QCOMPARE(iface->childCount(), captions.size());
            for (int i = 0; i < captions.size(); ++i)
                QCOMPARE(iface->child(i)->text(QAccessible::Name), captions.at(i));
        }
        QCOMPARE(rig.main.menuOpen()->text(), QStringLiteral("Open..."));
        QCOMPARE(rig.main.menuSave()->text(), QStringLiteral("Save"));
        QCOMPARE(rig.main.menuSaveAs()->text(), QStringLiteral("Save As..."));
        QCOMPARE(rig.main.menuPrint()->text(), QStringLiteral("Print..."));
    }

    // The File entries reach the configuration file and print commands, and
    // the caption follows the file saved and opened.
    void fileMenu()
    {
        MainFormRig rig;
        rig.start();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("axis.cnf"));
        rig.main.fileCommands().setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });

        rig.cfg.settings().StepsPerRev = 12800;
        rig.cfg.state().SettingsChanged = true;
        rig.main.menuSave()->trigger();  // no current file yet: Save As
        QVERIFY(QFile::exists(path));
        QVERIFY(!rig.cfg.state().SettingsChanged);
        QVERIFY(rig.main.windowTitle().endsWith(QStringLiteral(" - ") + path));

        rig.cfg.settings().StepsPerRev = 200;
        rig.main.menuOpen()->trigger();
        QCOMPARE(rig.cfg.settings().StepsPerRev, 12800);
        // The file's port row is selected too; with no port on this rig that
        // is the one message.
        QCOMPARE(rig.prompt.titles(), QStringList{QStringLiteral("COM Error")});

        bool asked = false;
        rig.main.printCommand().setPrinterChooser([&](QPrinter& printer) {
            asked = true;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QStringLiteral("axis.pdf")));
            return true;
        });
        rig.main.menuPrint()->trigger();
        QVERIFY(asked);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("axis.pdf"))).size() > 0);
    }

    void driveMenu()
    {
        MainFormRig rig;
        rig.start();
        HookLog log;
        log.attach(rig.main.hooks());
        for (const char* name : {"MenuHistory", "MenuClearFault", "MenuIOStatus", "MenuRestore", "MenuSelfTest"})
            rig.main.menuEntry(name)->trigger();
        QCOMPARE(log.calls, QStringList({"alarm history", "clear alarm", "status monitor", "restore", "self test"}));
    }

    void accessibleNames()
    {
        MainFormRig rig;
        rig.start();
        rig.main.OpenHelpPage(QStringLiteral("index.html"));
        QList<QWidget*> clickable;
        for (PictureButton* b : rig.main.findChildren<PictureButton*>())
            clickable << b;
        for (HelpSpot* b : rig.main.findChildren<HelpSpot*>())
            clickable << b;
        for (QComboBox* c : rig.main.findChildren<QComboBox*>())
            clickable << c;
        for (QPushButton* b : rig.main.helpScreen()->findChildren<QPushButton*>())
            clickable << b;
        QCOMPARE(clickable.size(), 7 + 7 + 2 + 3);
        for (QWidget* w : clickable) {
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                QCOMPARE(AccessibleName(b), b->accessibleName());
                QCOMPARE(b->accessibleName(), b->text());
            }
        }
    }

    void terminalKey_data()
    {
        QTest::addColumn<bool>("portOpen");
        QTest::newRow("port open") << true;
        QTest::newRow("no port") << false;
    }
    void terminalKey()
    {
        QFETCH(bool, portOpen);
        // With the port open no drive answers: the presence test costs its second.
        MainFormRig rig(portOpen);
        rig.start();
        HookLog log;
        log.attach(rig.main.hooks());
        rig.main.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.main));
        QTest::keyClick(&rig.main, Qt::Key_T, Qt::ControlModifier);
        rig.main.menuEntry("MenuTerminal")->trigger();
        QCOMPARE(log.calls, portOpen ? QStringList({"terminal", "terminal"}) : QStringList());
        QVERIFY(rig.prompt.messages.isEmpty());
    }

    void about()
    {
        MainFormRig rig;
        rig.start();
        CloseNextModal();
        rig.main.MenuAbout_Click();
        About* box = rig.main.aboutBox();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Credits"));
        QCOMPARE(box->versionText(), QStringLiteral("Version ") + ProgramVersion());
        QVERIFY(rig.main.windowTitle().contains(QStringLiteral("  V") + ProgramVersion() + " - "));
        QVERIFY(!box->isVisible());
    }

public slots:
    void openedUrl(const QUrl& url) { m_opened = url; }

private:
    QUrl m_opened;
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
