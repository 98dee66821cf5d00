#include "VelocityDialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "NumberBox.h"
#include "VelocityRules.h"
#include "WindowHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

VelocityDialog::VelocityDialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("VelocityDialog"), QStringLiteral("Velocity Control Mode"),
                     HelpPage(HelpOpener::VelocityDialogHelp), SummaryBlocks::MotionBlock)
{
    const QString revPerSec = QStringLiteral("rev/sec");
    const QString revPerSecSq = QStringLiteral("rev/s/s");

    frameSpeed = MakeFrame(this, QStringLiteral("frameSpeed"), QStringLiteral("Speed"));
    txtSpeed = numberBox(QStringLiteral("txtSpeed"), QStringLiteral("Speed"), SpeedRule());
    lblSpeedUnit = MakeLabel(frameSpeed, QStringLiteral("lblSpeedUnit"), revPerSec);
    auto* speedLayout = new QHBoxLayout(frameSpeed);
    speedLayout->addWidget(txtSpeed);
    speedLayout->addWidget(lblSpeedUnit);
    speedLayout->addStretch(1);

    chk2Speeds = MakeCheck(this, QStringLiteral("chk2Speeds"), QStringLiteral("If X5 closed, change speed to"));
    txtSpeed2 = numberBox(QStringLiteral("txtSpeed2"), QStringLiteral("Second speed"), SpeedRule());
    auto* speed2Row = new QHBoxLayout;
    speed2Row->addWidget(chk2Speeds);
    speed2Row->addWidget(txtSpeed2);
    speed2Row->addWidget(new QLabel(revPerSec, this));
    speed2Row->addStretch(1);

    txtAccel = numberBox(QStringLiteral("txtAccel"), QStringLiteral("Accel"), AccelRule());
    txtDecel = numberBox(QStringLiteral("txtDecel"), QStringLiteral("Decel"), AccelRule());
    auto* ratesRow = new QHBoxLayout;
    ratesRow->addWidget(MakeBoxFrame(this, QStringLiteral("Frame1"), QStringLiteral("Accel"), txtAccel, revPerSecSq));
    ratesRow->addWidget(MakeBoxFrame(this, QStringLiteral("Frame2"), QStringLiteral("Decel"), txtDecel, revPerSecSq));

    chkRunStop = MakeCheck(this, QStringLiteral("chkRunStop"),
                           QStringLiteral("Use X1/STEP input as Run/Stop command (closed = run)"));
    chkAnalog = MakeCheck(this, QStringLiteral("chkAnalog"), QStringLiteral("Speed proportional to analog input"));

    FrameAnalog = MakeFrame(this, QStringLiteral("FrameAnalog"), QStringLiteral("Analog Input"));
    lblRange = MakeLabel(FrameAnalog, QStringLiteral("lblRange"), QStringLiteral("Range"));
    ListAnalogRange = MakeList(FrameAnalog, QStringLiteral("ListAnalogRange"), QStringLiteral("Range"),
                               AnalogRangeNames());
    lblSpeed = MakeLabel(FrameAnalog, QStringLiteral("lblSpeed"), QStringLiteral("Speed"));
    CmdScale = numberBox(QStringLiteral("CmdScale"), QStringLiteral("Speed at full-scale input"), AnalogScaleRule());
    lblAnalogUnits = MakeLabel(FrameAnalog, QStringLiteral("lblAnalogUnits"), QStringLiteral("rev/sec at +10V"));
    Advanced = MakeButton(FrameAnalog, QStringLiteral("Advanced"), QStringLiteral("Advanced Settings..."));
    auto* analogLayout = new QGridLayout(FrameAnalog);
    analogLayout->addWidget(lblRange, 0, 0);
    analogLayout->addWidget(ListAnalogRange, 0, 1);
    analogLayout->addWidget(lblSpeed, 1, 0);
    analogLayout->addWidget(CmdScale, 1, 1);
    analogLayout->addWidget(lblAnalogUnits, 1, 2);
    analogLayout->addWidget(Advanced, 2, 1, 1, 2, Qt::AlignLeft);
    analogLayout->setColumnStretch(3, 1);

    QGroupBox* output = MakeFrame(this, QStringLiteral("FrameInPosition"), QStringLiteral("Motion (Y2) Output"));
    optMotionOpen = MakeOption(output, QStringLiteral("optMotionOpen"), QStringLiteral("Open when motor is moving"));
    optMotionClosed = MakeOption(output, QStringLiteral("optMotionClosed"), QStringLiteral("Closed when motor is moving"));
    optMotionOff = MakeOption(output, QStringLiteral("optMotionOff"), QStringLiteral("Not used"));
    optMotionTach = MakeOption(output, QStringLiteral("optMotionTach"), QStringLiteral("Tach:"));
    TachPPR = MakeList(output, QStringLiteral("TachPPR"), QStringLiteral("Tach pulses/rev"), TachRateNames());
    auto* outputLayout = new QGridLayout(output);
    outputLayout->addWidget(optMotionOpen, 0, 0, 1, 2);
    outputLayout->addWidget(optMotionClosed, 1, 0, 1, 2);
    outputLayout->addWidget(optMotionOff, 2, 0, 1, 2);
    outputLayout->addWidget(optMotionTach, 3, 0);
    outputLayout->addWidget(TachPPR, 3, 1);
    outputLayout->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameSpeed);
    layout->addLayout(speed2Row);
    layout->addLayout(ratesRow);
    layout->addWidget(chkRunStop);
    layout->addWidget(chkAnalog);
    layout->addWidget(FrameAnalog);
    layout->addWidget(output);
    layout->addWidget(MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("X2/DIR input controls direction of rotation")));
    layout->addWidget(standardButtons());

    connect(chkAnalog, &QCheckBox::toggled, this, &VelocityDialog::ShowHideAnalog);
    connect(ListAnalogRange, &QComboBox::currentIndexChanged, this, &VelocityDialog::DispScaleOffset);
    connect(Advanced, &QPushButton::clicked, this, [this] { RunHook(showAdvanced); });
    ListAnalogRange->setCurrentIndex(0);
    TachPPR->setCurrentIndex(0);
    optMotionOff->setChecked(true);
    ShowHideAnalog();
    DispScaleOffset();
}

void VelocityDialog::ShowHideAnalog()
{
    const bool analog = chkAnalog->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{FrameAnalog, ListAnalogRange, CmdScale, Advanced,
                                                      lblAnalogUnits, lblRange, lblSpeed})
        w->setEnabled(analog);
    for (QWidget* w : std::initializer_list<QWidget*>{frameSpeed, txtSpeed, lblSpeedUnit})
        w->setEnabled(!analog);
}

void VelocityDialog::DispScaleOffset()
{
    lblAnalogUnits->setText(AnalogUnitsText(ListAnalogRange->currentIndex()));
}

void VelocityDialog::fill()
{
    const VelocityValues v = VelocityFromSettings(cfg().settings());
    switch (v.motionOutput.choice) {
    case MotionOutputChoice::Open: optMotionOpen->setChecked(true); break;
    case MotionOutputChoice::Closed: optMotionClosed->setChecked(true); break;
    case MotionOutputChoice::Off: optMotionOff->setChecked(true); break;
    case MotionOutputChoice::Tach: optMotionTach->setChecked(true); break;
    }
    if (v.motionOutput.tachIndex >= 0)
        TachPPR->setCurrentIndex(v.motionOutput.tachIndex);
    chk2Speeds->setChecked(v.twoSpeeds);
    chkAnalog->setChecked(v.analog);
    chkRunStop->setChecked(v.runStop);
    txtSpeed->setValue(v.speed);
    txtSpeed2->setValue(v.speed2);
    txtAccel->setValue(v.accel);
    txtDecel->setValue(v.decel);
    ListAnalogRange->setCurrentIndex(v.analogRange);
    // Plain text until the box is left; only leaving it applies the format.
    CmdScale->setText(BoxText(v.analogScale));
    CmdOffset = v.cmdOffset;
    AnalogDeadband = v.analogDeadband;
    AnalogFilter = v.analogFilter;
    ShowHideAnalog();
}

VelocityValues VelocityDialog::values() const
{
    VelocityValues v;
    if (optMotionClosed->isChecked())
        v.motionOutput.choice = MotionOutputChoice::Closed;
    else if (optMotionTach->isChecked())
        v.motionOutput.choice = MotionOutputChoice::Tach;
    else if (optMotionOpen->isChecked())
        v.motionOutput.choice = MotionOutputChoice::Open;
    else
        v.motionOutput.choice = MotionOutputChoice::Off;
    v.motionOutput.tachIndex = TachPPR->currentIndex();
    v.twoSpeeds = chk2Speeds->isChecked();
    v.runStop = chkRunStop->isChecked();
    v.analog = chkAnalog->isChecked();
    v.speed = txtSpeed->value();
    v.speed2 = txtSpeed2->value();
    v.accel = txtAccel->value();
    v.decel = txtDecel->value();
    v.analogRange = ListAnalogRange->currentIndex();
    v.analogScale = CmdScale->value();
    v.cmdOffset = CmdOffset;
    v.analogDeadband = AnalogDeadband;
    v.analogFilter = AnalogFilter;
    return v;
}

void VelocityDialog::writeSettings()
{
    StoreVelocity(values(), cfg().settings());
    cfg().ShowMotionDesc();
}
