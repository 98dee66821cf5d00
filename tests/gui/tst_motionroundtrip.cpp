#include "AdvancedSettings.h"
#include "ChooseMotionMode.h"
#include "FileCommands.h"
#include "ImageWord.h"
#include "MainFormRig.h"
#include "MotionDialogs.h"
#include "MotionMenu.h"
#include "NumberBox.h"
#include "PulseDirDialog.h"
#include "SettingsFields.h"
#include "SimulatedDrive.h"
#include "TMXdialog.h"
#include "VelocityDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// The program with a drive on COM1 and the motion dialogs registered.
struct Rig : MainFormRig {
    Rig() : MainFormRig(true)
    {
        start();
        cfg.selectModel(2);  // a Ky model offers every mode
        cfg.state().InertiaSet = true;
        main.fileCommands().setFileChooser([this](FileCommands::Dialog, const QString&) { return path; });
    }
    SimulatedDrive drive{port};
    MotionDialogs dialogs{cfg, main, transfer};
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("motion.cnf"));

    void menu(MotionMenuButton button) { ChooseMotionMode(main, dialogs, button); }
    int byte(int at) const { return static_cast<quint8>(drive.image.at(at)); }
    int word(int at) const { return ImageWord(drive.image, at); }

    // Settings far from any mode's, so a field that did not come back shows.
    void scramble()
    {
        Settings& s = cfg.settings();
        InitVars(s);
        s.OperatingMode = 5;
        s.ControlMode = 18;
        s.PowerUpMode = 10;
        s.StepsPerRev = 1234;
        s.PulseType = 1;
        s.QuadDirBLeadsA = !s.QuadDirBLeadsA;
        s.StepFilterHz = 77;
        s.NoiseFilterHz = 5000;
        s.VelSpeed = 1;
        s.VelSpeed2 = 1;
        s.VelAccel = 1;
        s.VelDecel = 1;
        s.VelAnalog = !s.VelAnalog;
        s.AnalogRange = 3;
        s.AnalogScale = 1;
        s.AnalogOffset = 1;
        s.AnalogDeadband = 7;
        s.AnalogFilterHz = 3000;
        s.MotionOutputMode = 1;
        s.Rs485Address = QStringLiteral("#");
        s.TxDelay = 1;
        s.ProtocolFlags = 3;
        s.BitRateCode = 4;
        cfg.state().SettingsChanged = false;
    }
};

struct ModeCase {
    std::function<void(Rig&)> choose;             // operates the dialog, presses OK
    std::function<void(const Rig&)> checkImage;   // the downloaded bytes
    QStringList fields;                           // what must come back
};

const QStringList kStepFields{"OperatingMode", "ControlMode", "StepsPerRev", "PulseType", "QuadDirBLeadsA",
                              "StepFilterHz", "NoiseFilterHz"};
const QStringList kSerialFields{"OperatingMode", "ControlMode", "PowerUpMode", "StepsPerRev", "Rs485Address",
                                "TxDelay", "ProtocolFlags", "BitRateCode"};

QStringList Differences(const Settings& expected, const Settings& got, const QStringList& fields,
                        const FieldTolerance& tolerance)
{
    QStringList out;
    for (const QString& line : DifferingFields(expected, got, tolerance))
        if (fields.contains(line.section(QLatin1Char(':'), 0, 0)))
            out << line;
    return out;
}

}  // namespace

Q_DECLARE_METATYPE(ModeCase)

// Each motion mode chosen in its dialog reaches the drive image and comes
// back unchanged through an upload and through a file.
class TestMotionRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
};

void TestMotionRoundTrip::roundTrip_data()
{
    QTest::addColumn<ModeCase>("mode");

    QTest::newRow("step input, quadrature") << ModeCase{
        [](Rig& rig) {
            rig.menu(MotionMenuButton::PulseDirMode);
            PulseDirDialog& d = rig.dialogs.pulseDir();
            d.optQuad->click();
            d.optDir1->click();
            d.SPR->setText("12803");
            d.txtStepFilterFreq->setText("6553");
            d.txtNoiseFilter->setText("2");
            d.findChild<QPushButton*>("cmdOK")->click();
        },
        [](const Rig& rig) {
            QCOMPARE(rig.byte(45), 3);
            QCOMPARE(rig.byte(44), 7);
            QCOMPARE(rig.byte(46), 2 + 4);
            QCOMPARE(rig.word(47), 12800);
            QCOMPARE(rig.word(5), 65530);
            QCOMPARE(rig.byte(2), 8);
        },
        kStepFields};

    QTest::newRow("velocity, analog") << ModeCase{
        [](Rig& rig) {
            rig.menu(MotionMenuButton::VelocityMode);
            VelocityDialog& d = rig.dialogs.velocity();
            d.chkAnalog->setChecked(true);
            d.chk2Speeds->setChecked(true);
            d.chkRunStop->setChecked(false);
            d.ListAnalogRange->setCurrentIndex(2);
            d.CmdScale->setText("-2.5");
            d.txtSpeed2->setText("7.5");
            d.txtAccel->setText("250");
            d.txtDecel->setText("300");
            d.optMotionTach->click();
            d.TachPPR->setCurrentIndex(1);
            d.Advanced->click();
            rig.dialogs.advanced().txtCmdOffset->setText("-300");
            rig.dialogs.advanced().txtAnalogDeadband->setText("40");
            rig.dialogs.advanced().txtAnalogFilter->setText("2000");
            rig.dialogs.advanced().findChild<QPushButton*>("cmdOK")->click();
            d.findChild<QPushButton*>("cmdOK")->click();
        },
        [](const Rig& rig) {
            QCOMPARE(rig.byte(45), 3);
            QCOMPARE(rig.byte(44), 11 + 2);  // two speeds, no run/stop, analog
            QCOMPARE(rig.byte(38), 2);
            QCOMPARE(rig.byte(39), 40);       // deadband, mV
            QCOMPARE(rig.word(58), 24859);    // filter coefficient for 2000 Hz
            QCOMPARE(static_cast<qint16>(rig.word(30)), qint16(-600));
            QCOMPARE(static_cast<qint16>(rig.word(32)), qint16(-600));
            QCOMPARE(rig.word(16), 1800);
            QCOMPARE(rig.byte(54), 5);
            QCOMPARE(rig.word(47), 20000);
        },
        {"OperatingMode", "ControlMode", "StepsPerRev", "VelTwoSpeeds", "VelRunStopInput", "VelAnalog",
         "VelSpeed", "VelSpeed2", "VelAccel", "VelDecel", "AnalogRange", "AnalogScale", "AnalogOffset",
         "AnalogDeadband", "AnalogFilterHz", "MotionOutputMode", "VelocitySettingsSet"}};

    QTest::newRow("TMX, analog velocity with run input") << ModeCase{
        [](Rig& rig) {
            rig.menu(MotionMenuButton::TMXmode);
            TMXdialog& d = rig.dialogs.tmx();
            d.ListCM->setCurrentIndex(3);
            d.RSchar[10]->click();
            d.txtTxDelay->setText("25");
            d.LstBitRate->setCurrentIndex(4);
            d.protocolChecks[0]->setChecked(true);
            d.protocolChecks[3]->setChecked(true);
            d.findChild<QPushButton*>("cmdOK")->click();
        },
        [](const Rig& rig) {
            QCOMPARE(rig.byte(45), 2);
            QCOMPARE(rig.byte(44), 12);
            QCOMPARE(rig.byte(49), 33 + 10);
            QCOMPARE(rig.word(60), 25);
            QCOMPARE(rig.word(62), 1 + 2 + 32);
            QCOMPARE(rig.word(64), 5);
            QCOMPARE(rig.word(47), 20000);
        },
        kSerialFields};

    QTest::newRow("J program, step input") << ModeCase{
        [](Rig& rig) {
            rig.menu(MotionMenuButton::JProgram);
            TMXdialog& d = rig.dialogs.tmx();
            d.ListCM->setCurrentIndex(0);
            d.ListPulseType->setCurrentIndex(1);
            d.optDir0->click();
            d.SPR->setText("1001");
            d.txtStepFilterFreq->setText("2000");
            d.txtNoiseFilter->setText("0.7");
            d.RSchar[31]->click();
            d.findChild<QPushButton*>("cmdOK")->click();
        },
        [](const Rig& rig) {
            QCOMPARE(rig.byte(45), 7);
            QCOMPARE(rig.byte(44), 7);
            QCOMPARE(rig.byte(46), 1);
            QCOMPARE(rig.word(47), 1000);
            QCOMPARE(rig.word(5), 20000);
            QCOMPARE(rig.byte(2), 21);
            QCOMPARE(rig.byte(49), 64);
        },
        kSerialFields + kStepFields};

    QTest::newRow("Orvane hub") << ModeCase{
        [](Rig& rig) { rig.menu(MotionMenuButton::HubProg); },
        [](const Rig& rig) {
            QCOMPARE(rig.byte(45), 4);
            for (int at = 50; at <= 54; ++at)
                QCOMPARE(rig.byte(at), 3);
        },
        {"OperatingMode"}};

    QTest::newRow("Ky program") << ModeCase{
        [](Rig& rig) { rig.menu(MotionMenuButton::KyProgram); },
        [](const Rig& rig) {
            QCOMPARE(rig.byte(45), 1);
            QCOMPARE(rig.byte(44), 21);
            QCOMPARE(rig.word(47), 20000);
        },
        {"OperatingMode", "ControlMode", "StepsPerRev"}};
}

void TestMotionRoundTrip::roundTrip()
{
    QFETCH(ModeCase, mode);
    Rig rig;
    mode.choose(rig);
    QVERIFY(rig.cfg.state().SettingsChanged);
    const Settings chosen = rig.cfg.settings();
    const QString desc = rig.cfg.motionDesc();

    QVERIFY(rig.transfer.Download_Click());
    QVERIFY(rig.prompt.messages.isEmpty());
    mode.checkImage(rig);
    if (QTest::currentTestFailed())
        return;

    rig.scramble();
    QVERIFY(rig.transfer.Upload_Click());
    QCOMPARE(Differences(chosen, rig.cfg.settings(), mode.fields, ImageTolerance), QStringList());
    QCOMPARE(rig.cfg.motionDesc(), desc);

    QVERIFY(rig.main.fileCommands().DoSaveAs());
    const Settings uploaded = rig.cfg.settings();
    rig.scramble();
    rig.main.fileCommands().MenuOpen_Click();
    QCOMPARE(Differences(uploaded, rig.cfg.settings(), mode.fields, ExactTolerance), QStringList());
    QCOMPARE(Differences(chosen, rig.cfg.settings(), mode.fields, ImageTolerance), QStringList());
    QCOMPARE(rig.cfg.motionDesc(), desc);
}

QTEST_MAIN(TestMotionRoundTrip)
#include "tst_motionroundtrip.moc"
