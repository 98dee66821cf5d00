#include "ComPorts.h"
#include "DriveImage.h"
#include "ImageWord.h"
#include "MotorDialogRig.h"
#include "SimulatedDrive.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The motor dialogs against a simulated drive over a pseudo-terminal: what
// is set in them reaches the drive, and what the drive holds reaches them.
class TestMotorDialogDrive : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ForgetComPorts(); }

    void settingsReachTheDriveAndBack()
    {
        SimulatedDrive drive;
        QVERIFY(drive.isPresent());
        PointComPortsAt(drive.slavePath());
        BasicMotorDialogRig<DeviceRig> r;
        r.start();
        QVERIFY(r.rig.port.isOpen());
        MainForm& main = r.rig.main;
        MotorDialog& motor = r.motor();

        // A custom motor defined in the editor, a running current typed in
        // the motor dialog, which the download finds open.
        main.Motor_Click();
        r.child<QRadioButton>(motor, "optCustom").click();
        r.child<QPushButton>(motor, "DefineNewMotor").click();
        EditMotor& edit = r.edit();
        r.child<QLineEdit>(edit, "txtMotorName").setText(QStringLiteral("PTY MOTOR"));
        r.type(edit, "txtRatedCurrent", QStringLiteral("3"));
        r.child<QPushButton>(edit, "cmdOK").click();
        QCOMPARE(motor.runCurrentText(), QStringLiteral("3.00"));
        r.box(motor, "txtDriveCurrent").setText(QStringLiteral("2.5"));  // still in the box
        main.Download_Click();
        QCOMPARE(drive.downloadsTaken, 1);
        QVERIFY(!motor.isVisible());
        QCOMPARE(ImageWord(drive.image, 12), 250);  // running current, hundredths
        QCOMPARE(ImageWord(drive.image, 92), 300);  // custom motor's rated current
        QCOMPARE(drive.image.mid(110, 13), QByteArray("PTY MOTOR    "));
        QCOMPARE(drive.image.at(123), char(1));  // the custom motor in use
        QVERIFY(!r.rig.cfg.state().SettingsChanged);

        // An upload while the motor dialog is open shows the drive's values
        // there, so the next download cannot send the old entry back.
        main.Motor_Click();
        r.box(motor, "txtDriveCurrent").setText(QStringLiteral("4"));
        drive.image[12] = 0;
        drive.image[13] = 120;
        AddChecksum(drive.image);
        main.Upload_Click();
        QCOMPARE(r.rig.cfg.settings().RunCurrent, 1.2);
        QVERIFY(motor.isVisible());
        QCOMPARE(motor.runCurrentText(), QStringLiteral("1.20"));
        QCOMPARE(r.child<QRadioButton>(motor, "optCustom").isChecked(), true);

        // Both open: the editor's OK goes first and sets the running current
        // the motor dialog's OK then stores.
        r.child<QPushButton>(motor, "DefineNewMotor").click();
        r.type(edit, "txtRatedCurrent", QStringLiteral("2"));
        r.box(motor, "txtDriveCurrent").setText(QStringLiteral("4"));
        main.Download_Click();
        QCOMPARE(drive.downloadsTaken, 2);
        QVERIFY(!edit.isVisible());
        QCOMPARE(ImageWord(drive.image, 92), 200);
        QCOMPARE(ImageWord(drive.image, 12), 200);
        QVERIFY(r.rig.prompt.messages.size() <= 1);  // at most the inertia question
    }
};

QTEST_MAIN(TestMotorDialogDrive)
#include "tst_motordialogdrive.moc"
