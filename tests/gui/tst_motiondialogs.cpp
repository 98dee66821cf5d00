#include "AdvancedSettings.h"
#include "ChooseMotionMode.h"
#include "MainFormRig.h"
#include "MotionDialogs.h"
#include "MotionMenu.h"
#include "NumberBox.h"
#include "Program.h"
#include "PulseDirDialog.h"
#include "SimulatedDrive.h"
#include "SummaryGrid.h"
#include "TMXdialog.h"
#include "Twips.h"
#include "VelocityDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// The main window after start-up with the motion dialogs registered.
struct Rig : MainFormRig {
    Rig()
    {
        start();
        cfg.state().SettingsChanged = false;
    }
    MotionDialogs dialogs{cfg, main, transfer};
};

// Types text into a box, as the user would, with the focus still in it.
void Type(NumberBox* box, const QString& text)
{
    box->setFocus();
    box->setText(text);
}

QString Title(const SummaryGrid& grid)
{
    return grid.cellText(SummaryGrid::MotionBlock, 0);
}

}  // namespace

class TestMotionDialogs : public QObject {
    Q_OBJECT
private slots:
    void menuByModelAndMode_data();
    void menuByModelAndMode();
    void enterTakesTheFocusedMode();
    void menuPlacesInTwips_data();
    void menuPlacesInTwips();
    void menuTakesHubAndKy_data();
    void menuTakesHubAndKy();
    void menuOpensDialogsWithoutChangingTheMode();
    void shiftMotion_data();
    void shiftMotion();
    void pulseDirOk();
    void velocityLoaderAndOk();
    void advancedValuesReachTheSettingsOnlyThroughVelocityOk();
    void autoOffsetShowsTheDrivesOffset();
    void downloadPressesAdvancedBeforeVelocity();
    void downloadPressesStepInputAfterVelocity();
    void tmxLoaderWalksTheControlModes();
    void tmxHeightFollowsTheStepFrames_data();
    void tmxHeightFollowsTheStepFrames();
    void tmxOk();
    void tmxCancelKeepsEverything();
    void namesAndTitles();
    void theProgramWiresThemUp();
};

void TestMotionDialogs::menuByModelAndMode_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("control");
    QTest::addColumn<bool>("jShown");
    QTest::addColumn<bool>("kyShown");
    QTest::addColumn<QString>("focus");
    QTest::newRow("J model, J program") << 1 << 7 << 7 << true << false << "JProgram";
    QTest::newRow("Ky model, Ky program") << 2 << 1 << 21 << true << true << "KyProgram";
    QTest::newRow("E model, J program") << 0 << 7 << 7 << false << false << "TMXmode";
    QTest::newRow("E-220, velocity") << 3 << 3 << 11 << false << false << "VelocityMode";
    QTest::newRow("J-220, hub") << 4 << 4 << 7 << true << false << "HubProg";
    QTest::newRow("Ky-220, step") << 5 << 3 << 7 << true << true << "PulseDirMode";
}

void TestMotionDialogs::enterTakesTheFocusedMode()
{
    Rig rig;
    rig.cfg.selectModel(3);
    rig.cfg.settings().OperatingMode = 3;
    rig.cfg.settings().ControlMode = 11;
    rig.main.Motion_Click(false);
    MotionMenu& menu = rig.dialogs.menu();
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(menu.focusWidget()->objectName(), QStringLiteral("VelocityMode"));
    QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
    QVERIFY(!menu.isVisible());
    QVERIFY(rig.dialogs.velocity().isVisible());
}

void TestMotionDialogs::menuByModelAndMode()
{
    QFETCH(int, model);
    QFETCH(int, mode);
    QFETCH(int, control);
    QFETCH(bool, jShown);
    QFETCH(bool, kyShown);
    QFETCH(QString, focus);
    Rig rig;
    rig.cfg.selectModel(model);
    rig.cfg.settings().OperatingMode = mode;
    rig.cfg.settings().ControlMode = control;
    rig.main.Motion_Click(false);
    MotionMenu& menu = rig.dialogs.menu();
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.windowTitle(), QStringLiteral("Motion Control Mode"));
    QCOMPARE(!menu.button(MotionMenuButton::JProgram)->isHidden(), jShown);
    QCOMPARE(!menu.button(MotionMenuButton::KyProgram)->isHidden(), kyShown);
    QVERIFY(menu.focusWidget());
    QCOMPARE(menu.focusWidget()->objectName(), focus);
    // A hidden button keeps its cell: the ones beside and below stay put.
    const QPoint cancelAt = menu.cancelButton()->pos();
    rig.cfg.selectModel(2);
    menu.Form_Activate();
    QCOMPARE(menu.cancelButton()->pos(), cancelAt);
    // Two settings dialogs' worth of state was not touched.
    QCOMPARE(rig.cfg.settings().OperatingMode, mode);
    QVERIFY(!rig.cfg.state().SettingsChanged);
}

void TestMotionDialogs::menuPlacesInTwips_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("E: two cells empty") << 0;
    QTest::newRow("J: one cell empty") << 1;
    QTest::newRow("Ky: every button") << 2;
}

// Every button in its own place whatever the model shows: 2595 x 975 twips
// at left 120 or 2760 and top 60, 1080 or 2100, Cancel 5235 x 915 at top
// 3120. No column widens to its longest caption, no row stretches into a
// hidden one's cell, and every caption shows whole.
void TestMotionDialogs::menuPlacesInTwips()
{
    QFETCH(int, model);
    Rig rig;
    rig.cfg.selectModel(model);
    rig.main.Motion_Click(false);
    MotionMenu& menu = rig.dialogs.menu();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const struct {
        MotionMenuButton button;
        int left;
        int top;
    } cells[] = {
        {MotionMenuButton::PulseDirMode, 120, 60},  {MotionMenuButton::HubProg, 2760, 60},
        {MotionMenuButton::VelocityMode, 120, 1080}, {MotionMenuButton::TMXmode, 2760, 1080},
        {MotionMenuButton::JProgram, 120, 2100},    {MotionMenuButton::KyProgram, 2760, 2100},
    };
    for (const auto& cell : cells) {
        QPushButton* b = menu.button(cell.button);
        QCOMPARE(b->geometry(), QRect(Twips(cell.left), Twips(cell.top), Twips(2595), Twips(975)));
        if (b->isVisible())
            QVERIFY2(b->width() >= b->minimumSizeHint().width() && b->height() >= b->minimumSizeHint().height(),
                     qPrintable(b->text()));
    }
    QCOMPARE(menu.cancelButton()->geometry(), QRect(Twips(120), Twips(3120), Twips(5235), Twips(915)));
    QVERIFY(menu.rect().contains(menu.cancelButton()->geometry()));
    QVERIFY(menu.rect().contains(menu.button(MotionMenuButton::KyProgram)->geometry()));
    // The caption's font is the window's unless it had to be made smaller.
    const QFont velocity = menu.button(MotionMenuButton::VelocityMode)->font();
    QVERIFY(velocity.pointSizeF() <= menu.font().pointSizeF());
    QVERIFY(velocity.pointSizeF() >= 6);
}

void TestMotionDialogs::menuTakesHubAndKy_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("title");
    QTest::newRow("hub") << "HubProg" << 4 << 11 << 1000 << "Mode: Orvane Hub";
    QTest::newRow("Ky program") << "KyProgram" << 1 << 21 << 20000 << "Mode: Ky Program";
}

void TestMotionDialogs::menuTakesHubAndKy()
{
    QFETCH(QString, button);
    QFETCH(int, mode);
    QFETCH(int, control);
    QFETCH(int, steps);
    QFETCH(QString, title);
    Rig rig;
    rig.cfg.selectModel(2);
    rig.cfg.settings().ControlMode = 11;
    rig.cfg.settings().StepsPerRev = 1000;
    rig.main.Motion_Click(false);
    MotionMenu& menu = rig.dialogs.menu();
    menu.findChild<QPushButton*>(button)->click();
    QVERIFY(!menu.isVisible());
    QCOMPARE(rig.cfg.settings().OperatingMode, mode);
    QCOMPARE(rig.cfg.settings().ControlMode, control);
    QCOMPARE(rig.cfg.settings().StepsPerRev, steps);
    QVERIFY(rig.cfg.state().SettingsChanged);
    QVERIFY(rig.main.summary().isRefreshed(SummaryGrid::MotionBlock));
    QCOMPARE(Title(rig.main.summary()), title);
    QCOMPARE(rig.main.motionDescLabel().text(), title.mid(6));
}

void TestMotionDialogs::menuOpensDialogsWithoutChangingTheMode()
{
    Rig rig;
    rig.cfg.selectModel(1);
    MotionMenu& menu = rig.dialogs.menu();
    const Settings before = rig.cfg.settings();

    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::VelocityMode);
    QVERIFY(!menu.isVisible());
    QVERIFY(rig.dialogs.velocity().isVisible());
    rig.dialogs.velocity().findChild<QPushButton*>("cmdCancel")->click();
    QCOMPARE(rig.cfg.settings().OperatingMode, before.OperatingMode);
    QCOMPARE(rig.cfg.settings().ControlMode, before.ControlMode);

    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::TMXmode);
    QCOMPARE(rig.dialogs.tmx().windowTitle(), QStringLiteral("TMX Configuration"));
    QCOMPARE(rig.dialogs.tmx().ModeToSet, 2);
    QVERIFY(!rig.main.summary().isRefreshed(SummaryGrid::MotionBlock));

    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::JProgram);
    QCOMPARE(rig.dialogs.tmx().windowTitle(), QStringLiteral("J Configuration"));
    QCOMPARE(rig.dialogs.tmx().ModeToSet, 7);
    // J Program shows the mode in force in the summary at once.
    QVERIFY(rig.main.summary().isRefreshed(SummaryGrid::MotionBlock));
    QCOMPARE(Title(rig.main.summary()), QStringLiteral("Mode: Pulse & Direction"));
    QCOMPARE(rig.cfg.settings().OperatingMode, before.OperatingMode);
    QVERIFY(!rig.cfg.state().SettingsChanged);

    rig.main.Motion_Click(false);
    menu.cancelButton()->click();
    QVERIFY(!menu.isVisible());
    QCOMPARE(rig.cfg.settings().OperatingMode, before.OperatingMode);
}

void TestMotionDialogs::shiftMotion_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("modeToSet");
    QTest::newRow("TMX") << 2 << 7 << "TMX Configuration" << 2;
    QTest::newRow("mode 5") << 5 << 7 << "TMX Configuration" << 2;
    QTest::newRow("J program") << 7 << 7 << "J Configuration" << 7;
    QTest::newRow("velocity") << 3 << 11 << "Velocity Control Mode" << 0;
    QTest::newRow("step") << 3 << 7 << "Pulse & Direction Control" << 0;
    QTest::newRow("stand-alone, code 21") << 3 << 21 << "Pulse & Direction Control" << 0;
    QTest::newRow("Ky program") << 1 << 21 << "" << 0;
    QTest::newRow("hub") << 4 << 7 << "" << 0;
}

void TestMotionDialogs::shiftMotion()
{
    QFETCH(int, mode);
    QFETCH(int, control);
    QFETCH(QString, opened);
    QFETCH(int, modeToSet);
    Rig rig;
    rig.cfg.settings().OperatingMode = mode;
    rig.cfg.settings().ControlMode = control;
    rig.main.Motion_Click(true);
    QStringList shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != &rig.main)
            shown << w->windowTitle();
    QCOMPARE(shown, opened.isEmpty() ? QStringList() : QStringList{opened});
    if (modeToSet) {
        QCOMPARE(rig.dialogs.tmx().ModeToSet, modeToSet);
        rig.dialogs.tmx().pressOkIfVisible();
        QCOMPARE(rig.cfg.settings().OperatingMode, modeToSet);
    }
}

void TestMotionDialogs::pulseDirOk()
{
    Rig rig;
    Settings& s = rig.cfg.settings();
    s.PulseType = 2;
    s.QuadDirBLeadsA = true;
    s.NoiseFilterHz = 1875;
    s.OperatingMode = 2;
    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::PulseDirMode);
    PulseDirDialog& d = rig.dialogs.pulseDir();
    QVERIFY(d.isVisible());
    QVERIFY(d.optQuad->isChecked());
    QVERIFY(!d.FrameDir->isHidden());
    QVERIFY(d.optDir1->isChecked());
    QCOMPARE(d.txtNoiseFilter->text(), QStringLiteral("1.875"));

    // CW/CCW hides the direction; OK still stores the direction last set.
    d.optPulsePulse->click();
    QVERIFY(d.FrameDir->isHidden());
    d.txtNoiseFilter->setText("4");
    d.txtStepFilterFreq->setText("10000");
    Type(d.SPR, "999999");
    d.findChild<QPushButton*>("cmdOK")->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(s.StepsPerRev, 51200);
    QCOMPARE(s.PulseType, 1);
    QCOMPARE(s.QuadDirBLeadsA, true);
    QCOMPARE(s.NoiseFilterHz, 3750);
    QCOMPARE(s.StepFilterHz, 6553);
    QCOMPARE(s.OperatingMode, 3);
    QCOMPARE(s.ControlMode, 7);
    QVERIFY(rig.cfg.state().SettingsChanged);
    QCOMPARE(Title(rig.main.summary()), QStringLiteral("Mode: CW/CCW Pulse"));
    QCOMPARE(rig.main.summary().cellText(SummaryGrid::MotionBlock + 1, 0), QStringLiteral("51200"));
}

void TestMotionDialogs::velocityLoaderAndOk()
{
    Rig rig;
    Settings& s = rig.cfg.settings();
    s.MotionOutputMode = 9;
    s.VelAnalog = false;
    s.AnalogRange = 2;
    s.AnalogScale = 2.5;
    s.StepsPerRev = 1000;
    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::VelocityMode);
    VelocityDialog& d = rig.dialogs.velocity();
    QVERIFY(d.optMotionTach->isChecked());
    QCOMPARE(d.TachPPR->currentText(), QStringLiteral("100 pulses/rev"));
    QCOMPARE(d.lblAnalogUnits->text(), QStringLiteral("rev/sec at +5V"));
    QCOMPARE(d.CmdScale->text(), QStringLiteral("2.5"));  // formatted only on leaving
    QVERIFY(!d.FrameAnalog->isEnabled());
    QVERIFY(d.txtSpeed->isEnabled());
    d.chkAnalog->click();
    QVERIFY(d.FrameAnalog->isEnabled() && d.Advanced->isEnabled());
    QVERIFY(!d.txtSpeed->isEnabled() && !d.frameSpeed->isEnabled());
    QVERIFY(d.txtAccel->isEnabled() && d.chkRunStop->isEnabled());
    d.ListAnalogRange->setCurrentIndex(1);
    QCOMPARE(d.lblAnalogUnits->text(), QStringLiteral("rev/sec at +10V"));

    d.CmdScale->setText("150");
    d.CmdScale->leave();
    QCOMPARE(d.CmdScale->text(), QStringLiteral("100.000"));
    Type(d.CmdScale, "-0.5");
    d.txtSpeed->setText("0");
    d.txtAccel->setText("6000");
    d.TachPPR->setCurrentIndex(3);
    d.pressOkIfVisible();
    QCOMPARE(s.MotionOutputMode, 7);
    QCOMPARE(s.AnalogScale, -0.5);
    QCOMPARE(d.CmdScale->text(), QStringLiteral("-0.500"));
    QCOMPARE(s.VelSpeed, 0.0125);
    QCOMPARE(s.VelAccel, 5460.0);
    QCOMPARE(s.AnalogRange, std::int16_t(1));
    QCOMPARE(s.VelAnalog, true);
    QCOMPARE(s.StepsPerRev, 20000);
    QCOMPARE(s.OperatingMode, 3);
    QCOMPARE(s.ControlMode, 11);
    QCOMPARE(Title(rig.main.summary()), QStringLiteral("Mode: Velocity Mode"));
    QCOMPARE(rig.main.summary().cellText(SummaryGrid::MotionBlock + 2, 1), QStringLiteral("rev/sec @ 10V"));

    // Reopened: the check box comes back from the settings.
    rig.main.Motion_Click(true);
    QVERIFY(d.isVisible() && d.chkAnalog->isChecked() && d.FrameAnalog->isEnabled());
    d.optMotionOff->click();
    d.pressOkIfVisible();
    QCOMPARE(s.MotionOutputMode, 3);
}

void TestMotionDialogs::advancedValuesReachTheSettingsOnlyThroughVelocityOk()
{
    Rig rig;
    Settings& s = rig.cfg.settings();
    s.AnalogOffset = 7;
    s.AnalogDeadband = 9;
    s.AnalogFilterHz = 250.5;
    s.VelAnalog = true;  // the Advanced button belongs to the analog group
    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::VelocityMode);
    VelocityDialog& v = rig.dialogs.velocity();
    QCOMPARE(v.AnalogFilter, 250);  // halves to even
    v.Advanced->click();
    AdvancedSettings& a = rig.dialogs.advanced();
    QVERIFY(a.isVisible());
    QCOMPARE(a.windowTitle(), QStringLiteral("Advanced Analog Settings"));
    QCOMPARE(a.txtCmdOffset->text(), QStringLiteral("7"));
    QCOMPARE(a.txtAnalogDeadband->text(), QStringLiteral("9"));
    QCOMPARE(a.txtAnalogFilter->text(), QStringLiteral("250"));

    a.txtCmdOffset->setText("-12.5");
    a.txtAnalogDeadband->setText("300");
    a.txtAnalogFilter->setText("0");
    a.pressOkIfVisible();
    QVERIFY(!a.isVisible());
    QCOMPARE(v.CmdOffset, -12);
    QCOMPARE(v.AnalogDeadband, 255);
    QCOMPARE(v.AnalogFilter, 1);
    QCOMPARE(s.AnalogOffset, 7);
    QVERIFY(!rig.cfg.state().SettingsChanged);

    v.pressOkIfVisible();
    QCOMPARE(s.AnalogOffset, -12);
    QCOMPARE(s.AnalogDeadband, 255);
    QCOMPARE(s.AnalogFilterHz, 1.0);
    QVERIFY(rig.cfg.state().SettingsChanged);

    // A velocity Cancel drops confirmed advanced values at the next opening.
    rig.main.Motion_Click(true);
    v.Advanced->click();
    a.txtCmdOffset->setText("99");
    a.pressOkIfVisible();
    v.findChild<QPushButton*>("cmdCancel")->click();
    QCOMPARE(s.AnalogOffset, -12);
    rig.main.Motion_Click(true);
    QCOMPARE(v.CmdOffset, -12);
}

void TestMotionDialogs::autoOffsetShowsTheDrivesOffset()
{
    MainFormRig rig(true);
    SimulatedDrive drive(rig.port);
    rig.start();
    MotionDialogs dialogs(rig.cfg, rig.main, rig.transfer);
    drive.offsetReply = QByteArray("\xFF\xE7", 2);
    rig.cfg.state().MinorRev = QStringLiteral("k");
    rig.cfg.settings().VelAnalog = true;
    ChooseMotionMode(rig.main, dialogs, MotionMenuButton::VelocityMode);
    dialogs.velocity().Advanced->click();
    AdvancedSettings& a = dialogs.advanced();
    a.AutoOffsetButton->click();
    QCOMPARE(a.txtCmdOffset->text(), QStringLiteral("-12.5"));
    QCOMPARE(rig.port.RThreshold(), 1);
    QVERIFY(drive.received.endsWith("O4719"));
    // Not clamped or rounded until the box is left.
    a.pressOkIfVisible();
    QCOMPARE(dialogs.velocity().CmdOffset, -12);

    // No port: told, nothing sent, the box unchanged.
    rig.port.close();
    rig.prompt.clear();
    dialogs.velocity().Advanced->click();
    a.AutoOffsetButton->click();
    QCOMPARE(rig.prompt.messages.size(), 1);
    QVERIFY(rig.prompt.messages[0].text.contains("there is no comm port open"));
    QCOMPARE(a.txtCmdOffset->text(), QStringLiteral("-12"));
}

void TestMotionDialogs::downloadPressesAdvancedBeforeVelocity()
{
    MainFormRig rig(true);
    SimulatedDrive drive(rig.port);
    rig.start();
    MotionDialogs dialogs(rig.cfg, rig.main, rig.transfer);
    rig.cfg.state().InertiaSet = true;
    rig.cfg.settings().VelAnalog = true;
    ChooseMotionMode(rig.main, dialogs, MotionMenuButton::VelocityMode);
    dialogs.velocity().Advanced->click();
    dialogs.advanced().txtCmdOffset->setText("-250");
    QVERIFY(rig.transfer.Download_Click());
    QCOMPARE(rig.cfg.settings().AnalogOffset, -250);
    QCOMPARE(rig.cfg.settings().ControlMode, 11);
    // Bytes 32-33: the offset in half-millivolts.
    QCOMPARE(static_cast<qint16>((quint8(drive.image[32]) << 8) | quint8(drive.image[33])), qint16(-500));
    QVERIFY(!dialogs.velocity().isVisible() && !dialogs.advanced().isVisible());
}

// Both mode dialogs open at a download: the step input's OK comes after the
// velocity OK, so the drive gets step positioning with the typed steps/rev.
void TestMotionDialogs::downloadPressesStepInputAfterVelocity()
{
    MainFormRig rig(true);
    SimulatedDrive drive(rig.port);
    rig.start();
    MotionDialogs dialogs(rig.cfg, rig.main, rig.transfer);
    rig.cfg.state().InertiaSet = true;
    ChooseMotionMode(rig.main, dialogs, MotionMenuButton::VelocityMode);
    dialogs.velocity().txtSpeed2->setText("7.25");
    ChooseMotionMode(rig.main, dialogs, MotionMenuButton::PulseDirMode);
    dialogs.pulseDir().SPR->setText("4000");
    QVERIFY(dialogs.velocity().isVisible() && dialogs.pulseDir().isVisible());
    QVERIFY(rig.transfer.Download_Click());
    const Settings& s = rig.cfg.settings();
    QCOMPARE(s.OperatingMode, 3);
    QCOMPARE(s.ControlMode, 7);
    QCOMPARE(s.StepsPerRev, 4000);
    QCOMPARE(s.VelSpeed2, 7.25);  // the velocity OK ran too
    QCOMPARE(drive.image.at(44), char(7));
    QCOMPARE((quint8(drive.image[47]) << 8) | quint8(drive.image[48]), 4000);
}

void TestMotionDialogs::tmxLoaderWalksTheControlModes()
{
    Rig rig;
    Settings& s = rig.cfg.settings();
    s.OperatingMode = 2;
    s.PowerUpMode = 7;
    rig.main.Motion_Click(true);
    TMXdialog& d = rig.dialogs.tmx();
    QCOMPARE(d.ListCM->currentText(), QStringLiteral("7: Step & Direction"));
    QVERIFY(!d.FramePulseType->isHidden() && !d.FrameSPR->isHidden());
    const int tall = d.height();

    s.PowerUpMode = 22;
    rig.main.Motion_Click(true);
    QCOMPARE(d.ListCM->currentText(), QStringLiteral("22: Analog Positioning"));
    for (QWidget* frame : {static_cast<QWidget*>(d.FramePulseType), static_cast<QWidget*>(d.FrameSPR),
                           static_cast<QWidget*>(d.FrameStepFilter), static_cast<QWidget*>(d.FrameNoiseFilter)})
        QVERIFY(frame->isHidden());
    QVERIFY(d.height() < tall);

    s.PowerUpMode = 19;  // no entry carries it
    rig.main.Motion_Click(true);
    QCOMPARE(d.ListCM->currentIndex(), 0);
    QVERIFY(!d.FrameNoiseFilter->isHidden());
    QCOMPARE(d.height(), tall);

    // The user's choice runs the same action.
    d.ListCM->setCurrentIndex(10);
    QCOMPARE(d.ListCM->currentText(), QStringLiteral("21: Point to Point Positioning"));
    QVERIFY(d.FrameSPR->isHidden());
    QVERIFY(d.height() < tall);
}

void TestMotionDialogs::tmxHeightFollowsTheStepFrames_data()
{
    QTest::addColumn<int>("firstMode");  // the control mode of the first opening
    QTest::newRow("opened on 21") << 21;
    QTest::newRow("opened on 7") << 7;
}

// Without the step frames the dialog is shorter by what they take in the
// design: 1155 + 735 twips and two 3-pixel gaps, 132 pixels. Everything
// left still fits, and the frames bring the full height back.
void TestMotionDialogs::tmxHeightFollowsTheStepFrames()
{
    QFETCH(int, firstMode);
    Rig rig;
    Settings& s = rig.cfg.settings();
    s.OperatingMode = 2;
    s.PowerUpMode = firstMode;
    rig.main.Motion_Click(true);
    TMXdialog& d = rig.dialogs.tmx();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.ListCM->setCurrentIndex(0);
    const int tall = d.height();
    QCOMPARE(tall, d.sizeHint().height());
    d.ListCM->setCurrentIndex(10);  // 21: no step input
    QCOMPARE(d.height(), tall - 132);
    QVERIFY(d.height() >= d.minimumSizeHint().height());
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>()) {
        if (b->isVisibleTo(&d))
            QVERIFY2(b->mapTo(&d, QPoint(0, b->height())).y() <= d.height(), qPrintable(b->objectName()));
    }
    d.ListCM->setCurrentIndex(0);
    QCOMPARE(d.height(), tall);
}

void TestMotionDialogs::tmxOk()
{
    Rig rig;
    Settings& s = rig.cfg.settings();
    s.PulseType = 1;
    s.StepFilterHz = 321;
    s.NoiseFilterHz = 3750;
    s.QuadDirBLeadsA = false;
    s.ProtocolFlags = 1 + 4;
    s.BitRateCode = 1;
    rig.cfg.selectModel(1);
    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::TMXmode);
    TMXdialog& d = rig.dialogs.tmx();
    QVERIFY(d.protocolChecks[1]->isChecked());
    QVERIFY(!d.protocolChecks[0]->isChecked());
    d.ListCM->setCurrentIndex(3);  // 12: Analog Vel, X1=run
    d.RSchar.last()->click();
    QCOMPARE(d.txtRS485addr->text(), QString(QChar(64)));
    d.LstBitRate->setCurrentIndex(2);
    for (QCheckBox* c : d.protocolChecks)
        c->setChecked(true);
    d.txtTxDelay->setText("40000");
    d.SPR->setText("203");  // hidden: not read
    d.pressOkIfVisible();
    QCOMPARE(s.OperatingMode, 2);
    QCOMPARE(s.PowerUpMode, 12);
    QCOMPARE(s.ControlMode, 12);
    QCOMPARE(s.StepsPerRev, 20000);
    QCOMPARE(s.PulseType, 1);
    QCOMPARE(s.StepFilterHz, 321);
    QCOMPARE(s.NoiseFilterHz, 3750);
    QCOMPARE(s.Rs485Address, QStringLiteral("@"));
    QCOMPARE(s.ProtocolFlags, 55);
    QCOMPARE(s.BitRateCode, 3);
    QCOMPARE(s.TxDelay, 32000);
    QVERIFY(rig.cfg.state().SettingsChanged);
    QCOMPARE(Title(rig.main.summary()), QStringLiteral("Mode: TMX Mode"));
    QCOMPARE(rig.main.summary().cellText(SummaryGrid::MotionBlock + 2, 1), QStringLiteral("@"));

    // J program with step input: the step frames are read.
    ChooseMotionMode(rig.main, rig.dialogs, MotionMenuButton::JProgram);
    d.RSchar.first()->click();
    d.ListCM->setCurrentIndex(0);
    d.ListPulseType->setCurrentIndex(2);
    d.optDir1->click();
    for (QCheckBox* c : d.protocolChecks)
        c->setChecked(false);
    d.SPR->setText("203");
    Type(d.txtStepFilterFreq, "5000");
    d.txtNoiseFilter->setText("0.7");
    d.pressOkIfVisible();
    QCOMPARE(s.OperatingMode, 7);
    QCOMPARE(s.ControlMode, 7);
    QCOMPARE(s.PowerUpMode, 7);
    QCOMPARE(s.StepsPerRev, 202);
    QCOMPARE(s.PulseType, 2);
    QCOMPARE(s.QuadDirBLeadsA, true);
    QCOMPARE(s.StepFilterHz, 2500);
    QCOMPARE(s.NoiseFilterHz, 714);
    QCOMPARE(s.ProtocolFlags, 1);
    QCOMPARE(s.Rs485Address, QStringLiteral("!"));
    QCOMPARE(Title(rig.main.summary()), QStringLiteral("Mode: J Program"));
}

void TestMotionDialogs::tmxCancelKeepsEverything()
{
    Rig rig;
    rig.cfg.settings().OperatingMode = 7;
    const Settings before = rig.cfg.settings();
    rig.main.Motion_Click(true);
    TMXdialog& d = rig.dialogs.tmx();
    d.ListCM->setCurrentIndex(5);
    d.RSchar[5]->click();
    QCOMPARE(d.txtRS485addr->text(), QStringLiteral("&"));
    d.findChild<QPushButton*>("cmdCancel")->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(rig.cfg.settings().OperatingMode, before.OperatingMode);
    QCOMPARE(rig.cfg.settings().ControlMode, before.ControlMode);
    QCOMPARE(rig.cfg.settings().PowerUpMode, before.PowerUpMode);
    QCOMPARE(rig.cfg.settings().Rs485Address, before.Rs485Address);
    QVERIFY(!rig.cfg.state().SettingsChanged);
    // Reopened: the settings again, not what was typed.
    rig.main.Motion_Click(true);
    QCOMPARE(d.txtRS485addr->text(), before.Rs485Address);
    QCOMPARE(d.ListCM->currentData().toInt(), before.PowerUpMode);
}

void TestMotionDialogs::namesAndTitles()
{
    Rig rig;
    const QList<QPair<QWidget*, QString>> windows{
        {&rig.dialogs.menu(), "Motion Control Mode"},
        {&rig.dialogs.pulseDir(), "Pulse & Direction Control"},
        {&rig.dialogs.velocity(), "Velocity Control Mode"},
        {&rig.dialogs.advanced(), "Advanced Analog Settings"},
        {&rig.dialogs.tmx(), "TMX Configuration"},
    };
    for (const auto& [window, title] : windows) {
        QCOMPARE(window->windowTitle(), title);
        QStringList unnamed;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool clickable = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)
                                   || qobject_cast<QLineEdit*>(w);
            if (clickable && w->accessibleName().isEmpty() && !w->parent()->inherits("QComboBox"))
                unnamed << w->objectName() + " " + w->metaObject()->className();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(title + ": " + unnamed.join(", ")));
    }
    QCOMPARE(rig.dialogs.tmx().RSchar.size(), 32);
    QCOMPARE(rig.dialogs.tmx().RSchar[5]->text(), QStringLiteral("&&"));
    QCOMPARE(rig.dialogs.pulseDir().optPulseDir->accessibleName(), QStringLiteral("Pulse & Direction"));
}

// The program as main() builds it: the Motion button reaches the menu, and
// Shift + Motion the dialog of the mode in force.
void TestMotionDialogs::theProgramWiresThemUp()
{
    ScriptedPrompt prompt;
    MemorySerialPort port;
    port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    Program program(prompt, port, MainFormRig::binDir());
    QVERIFY(program.start());
    auto shownTitles = [&] {
        QStringList titles;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != program.mainForm())
                titles << w->windowTitle();
        return titles;
    };
    program.mainForm()->Motion_Click(false);
    QCOMPARE(shownTitles(), QStringList{QStringLiteral("Motion Control Mode")});
    program.mainForm()->Motion_Click(true);
    QVERIFY(shownTitles().contains(QStringLiteral("Pulse & Direction Control")));
}

QTEST_MAIN(TestMotionDialogs)
#include "tst_motiondialogs.moc"
