#include "AlarmHistory.h"
#include "AlarmLamp.h"
#include "ComPorts.h"
#include "DriveImage.h"
#include "DriveTools.h"
#include "EncoderDialog.h"
#include "FileCommands.h"
#include "ImageWord.h"
#include "IOdialog.h"
#include "MainFormRig.h"
#include "NumberBox.h"
#include "RegenDialog.h"
#include "SettingsDialogs.h"
#include "SimulatedDrive.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// The program as main() wires it, on a pseudo-terminal with a simulated
// drive at its far end (COM1), started.
struct PtyProgram {
    SimulatedDrive drive;
    DeviceRig rig;
    SettingsDialogs dialogs{rig.cfg, rig.main, rig.transfer};

    PtyProgram()
    {
        PointComPortsAt(drive.slavePath());
        rig.openDatabase();
        rig.main.Form_Load();
        rig.prompt.clear();
        rig.cfg.state().InertiaSet = true;
    }
    ~PtyProgram()
    {
        ForgetComPorts();
    }
};

// What a user does in a dialog: types into boxes, clicks buttons.
void type(QWidget& dialog, const char* box, const QString& text)
{
    auto* b = dialog.findChild<NumberBox*>(QLatin1String(box));
    QVERIFY2(b, box);
    b->setFocus();
    b->setText(text);
}
void click(QWidget& dialog, const char* button)
{
    auto* b = dialog.findChild<QAbstractButton*>(QLatin1String(button));
    QVERIFY2(b, button);
    b->click();
}
void pick(QWidget& dialog, const char* list, int row)
{
    auto* l = dialog.findChild<QComboBox*>(QLatin1String(list));
    QVERIFY2(l, list);
    l->setCurrentIndex(row);
}

// The values the dialogs below set; a drive or a file must give them back.
void checkDialogValues(const Settings& s, const char* where)
{
    const QString w = QString::fromLatin1(where);
    const QList<std::pair<QString, double>> got{
        {"EncoderCounts", s.EncoderCounts}, {"EncoderDirCW", s.EncoderDirCW},
        {"EncoderSingleEnded", s.EncoderSingleEnded}, {"StallPrevent", s.StallPrevent},
        {"StallDetect", s.StallDetect}, {"MaxTorquePct", s.MaxTorquePct},
        {"HardStopFault", s.HardStopFault}, {"HardStopTimeMs", s.HardStopTimeMs},
        {"EnableInputMode", s.EnableInputMode}, {"AlarmResetMode", s.AlarmResetMode},
        {"AlarmOutputMode", s.AlarmOutputMode}, {"BrakeOutputMode", s.BrakeOutputMode},
        {"BrakeReleaseDelay", s.BrakeReleaseDelay}, {"BrakeEngageDelay", s.BrakeEngageDelay},
        {"MotionOutputMode", s.MotionOutputMode}, {"LimitMode", s.LimitMode}, {"MaxAccel", s.MaxAccel},
        {"RegenExternal", s.RegenExternal}, {"RegenResWatts", s.RegenResWatts},
        {"RegenResOhms", s.RegenResOhms}, {"RegenResSecs", s.RegenResSecs}};
    const QList<double> expected{2000, 1, 1, 1, 0, 80, 1, 150, 2, 1, 2, 2, 350, 450, 6, 2, 2500, 1, 200, 25, 0.5};
    for (int i = 0; i < got.size(); ++i)
        QVERIFY2(got[i].second == expected[i],
                 qPrintable(QStringLiteral("%1: %2 is %3, not %4").arg(w, got[i].first).arg(got[i].second).arg(expected[i])));
}

}  // namespace

class TestDialogsEndToEnd : public QObject {
    Q_OBJECT
private slots:
    // Encoder, I/O and regen settings chosen in their dialogs reach the
    // drive, and come back from it and from a saved file.
    void settingsReachTheDriveAndComeBack()
    {
        PtyProgram p;
        QVERIFY(p.drive.isPresent());
        QVERIFY(p.rig.port.isOpen());
        Settings& s = p.rig.cfg.settings();
        s.ControlMode = 11;  // velocity: the drive uses stall prevention

        RunHook(p.rig.main.hooks().showEncoderDialog);
        EncoderDialog& enc = p.dialogs.encoderDialog();
        type(enc, "txtEncCounts", "2000");
        click(enc, "optCW");
        click(enc, "ChkSingleEnded");
        click(enc, "chkCorrect");
        type(enc, "txtMaxTorque", "80");
        click(enc, "chkAttemptsFault");
        type(enc, "txtAttempts", "150");
        click(enc, "cmdOK");

        RunHook(p.rig.main.hooks().showIODialog);
        IOdialog& io = p.dialogs.ioDialog();
        click(io, "optServoClosed");
        click(io, "chkAlarmInput");
        click(io, "optOpenAlarm");
        click(io, "chkBrake");
        click(io, "optBrakeOpen");
        type(io, "txtBrakeDelay", "350");
        type(io, "txtBrakeEngage", "450");
        click(io, "optMotionTach");
        pick(io, "TachPPR", 2);
        pick(io, "ListLimits", 1);
        type(io, "txtMaxAccel", "2500");
        click(io, "cmdOK");

        // The regen dialog stays open: the download presses its OK.
        RunHook(p.rig.main.hooks().showRegenDialog);
        RegenDialog& regen = p.dialogs.regenDialog();
        click(regen, "optExtRes");
        type(regen, "RegenWatts", "200");
        type(regen, "RegenOhms", "25");
        type(regen, "RegenSecs", ".5");

        p.rig.main.Download_Click();
        QCOMPARE(p.rig.prompt.titles(), QStringList());
        QCOMPARE(p.drive.downloadsTaken, 1);
        QVERIFY(!regen.isVisible());
        QVERIFY(!p.rig.cfg.state().SettingsChanged);
        QCOMPARE(ImageWord(p.drive.image, 20), 2 | 4 | 1024);
        Settings inDrive;
        DecodeImage(p.drive.image, inDrive);
        checkDialogValues(inDrive, "image");
        checkDialogValues(s, "after the download");

        // Back from the drive.
        InitVars(s);
        p.rig.main.Upload_Click();
        QCOMPARE(p.rig.prompt.titles(), QStringList());
        checkDialogValues(s, "upload");
        RunHook(p.rig.main.hooks().showEncoderDialog);
        QCOMPARE(enc.findChild<NumberBox*>("txtEncCounts")->text(), QStringLiteral("2000"));
        QVERIFY(enc.findChild<QCheckBox*>("chkCorrect")->isChecked());
        enc.Cancel_Click();

        // Back from a file.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dialogs.cnf"));
        p.rig.main.fileCommands().setFileChooser([&](FileCommands::Dialog, const QString&) { return path; });
        p.rig.main.fileCommands().MenuSaveAs_Click();
        QVERIFY(QFile::exists(path));
        InitVars(s);
        p.rig.cfg.state().SettingsChanged = false;
        p.rig.main.fileCommands().MenuOpen_Click();
        QCOMPARE(p.rig.prompt.titles(), QStringList());
        checkDialogValues(s, "file");
        RunHook(p.rig.main.hooks().showIODialog);
        QCOMPARE(io.findChild<QComboBox*>("TachPPR")->currentText(), QStringLiteral("400 pulses/rev"));
        QVERIFY(io.findChild<QRadioButton*>("optBrakeOpen")->isChecked());
    }

    // In stand-alone step positioning the drive does not use stall
    // prevention: the image leaves it off, but the user's choice stays in
    // the settings and the dialog, ready for a velocity mode.
    void stallPreventionInStepPositioning()
    {
        PtyProgram p;
        Settings& s = p.rig.cfg.settings();
        QCOMPARE(s.OperatingMode, 3);
        QCOMPARE(s.ControlMode, 7);
        RunHook(p.rig.main.hooks().showEncoderDialog);
        EncoderDialog& enc = p.dialogs.encoderDialog();
        click(enc, "chkCorrect");
        p.rig.main.Download_Click();  // presses the open dialog's OK first
        QCOMPARE(p.rig.prompt.titles(), QStringList());
        QCOMPARE(p.drive.downloadsTaken, 1);
        QCOMPARE(ImageWord(p.drive.image, 20) & 2, 0);
        QVERIFY(s.StallPrevent);
        QVERIFY(!p.rig.cfg.state().SettingsChanged);
        RunHook(p.rig.main.hooks().showEncoderDialog);
        QVERIFY(enc.findChild<QCheckBox*>("chkCorrect")->isChecked());
        enc.OK_Click();
        // The summary shows no prevention line in this mode.
        QCOMPARE(p.rig.main.summary().cellText(22, 0), QString());

        // Switched to velocity, the next download sends it.
        s.ControlMode = 11;
        p.rig.main.Download_Click();
        QCOMPARE(p.drive.downloadsTaken, 2);
        QCOMPARE(ImageWord(p.drive.image, 20) & 2, 2);
    }

    // "Show history..." reads the drive's alarm history and shows it, as the
    // Drive menu does; without a port it does nothing and says nothing.
    void showHistoryFromTheIODialog()
    {
        PtyProgram p;
        DriveTools tools(p.rig.link, p.rig.queries, p.rig.main);
        p.drive.alarmHistory = QByteArray::fromHex("0001" "0000000000000000000000000000");
        RunHook(p.rig.main.hooks().showIODialog);
        IOdialog& io = p.dialogs.ioDialog();
        bool shown = false;
        bool lit = false;
        // The window is modal: it is read and closed from inside its loop.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (!tools.alarmHistory().isVisible())
                return;
            shown = true;
            lit = tools.alarmHistory().lamp(1, 0)->fill() == AlarmLamp::red();
            tools.alarmHistory().OK_Click();
        });
        closer.start(20);
        click(io, "ShowHistory");
        closer.stop();
        QVERIFY(shown);
        QVERIFY(lit);
        QVERIFY(p.drive.received.endsWith('a'));
        QVERIFY(io.isVisible());

        p.rig.port.close();
        const QByteArray before = p.drive.received;
        click(io, "ShowHistory");
        QVERIFY(!tools.alarmHistory().isVisible());
        QCOMPARE(p.rig.prompt.titles(), QStringList());
        QCOMPARE(p.drive.received, before);
    }
};

QTEST_MAIN(TestDialogsEndToEnd)
#include "tst_dialogsendtoend.moc"
