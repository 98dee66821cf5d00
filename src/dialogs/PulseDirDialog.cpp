#include "PulseDirDialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "NumberBox.h"
#include "StepInput.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

PulseDirDialog::PulseDirDialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("PulseDirDialog"), QStringLiteral("Pulse & Direction Control"),
                     HelpPage(HelpOpener::PulseDirDialogHelp), SummaryBlocks::MotionBlock)
{
    QGroupBox* type = MakeFrame(this, QStringLiteral("FramePulseType"), QStringLiteral("Digital Signal Type"));
    optPulseDir = MakeOption(type, QStringLiteral("optPulseDir"), QStringLiteral("Pulse && Direction"));
    optPulsePulse = MakeOption(type, QStringLiteral("optPulsePulse"), QStringLiteral("CW && CCW Pulse"));
    optQuad = MakeOption(type, QStringLiteral("optQuad"), QStringLiteral("A/B Quadrature"));
    auto* typeLayout = new QVBoxLayout(type);
    for (QRadioButton* option : {optPulseDir, optPulsePulse, optQuad}) {
        typeLayout->addWidget(option);
        connect(option, &QRadioButton::toggled, this, &PulseDirDialog::ShowHideOptions);
    }

    FrameDir = MakeFrame(this, QStringLiteral("FrameDir"), QStringLiteral("Direction is CW when"));
    optDir1 = MakeOption(FrameDir, QStringLiteral("optDir1"), QStringLiteral("B leads A"));
    optDir0 = MakeOption(FrameDir, QStringLiteral("optDir0"), QStringLiteral("A leads B"));
    auto* dirLayout = new QVBoxLayout(FrameDir);
    dirLayout->addWidget(optDir1);
    dirLayout->addWidget(optDir0);

    SPR = numberBox(QStringLiteral("SPR"), QStringLiteral("Steps/Rev"), StepsPerRevRule(4));
    QGroupBox* spr = MakeBoxFrame(this, QStringLiteral("FrameSPR"), QStringLiteral("Steps/Rev"), SPR, QString());

    txtStepFilterFreq = numberBox(QStringLiteral("txtStepFilterFreq"), QStringLiteral("Step Smoothing Filter"),
                                  StepFilterRule(StepFilterMaxHz));
    QGroupBox* smoothing = MakeBoxFrame(this, QStringLiteral("FrameStepFilter"), QStringLiteral("Step Smoothing Filter"),
                                        txtStepFilterFreq, QStringLiteral("Hz"));

    QGroupBox* noise = MakeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Input Noise Filter"));
    txtNoiseFilter = numberBox(QStringLiteral("txtNoiseFilter"), QStringLiteral("Input Noise Filter"), NoiseFilterRule());
    auto* noiseLayout = new QVBoxLayout(noise);
    noiseLayout->addLayout(BoxWithUnit(noise, txtNoiseFilter, QStringLiteral("kHz")));
    noiseLayout->addWidget(MakeLabel(noise, QStringLiteral("RevG"), QStringLiteral("Requires hardware rev D or later")));

    auto* grid = new QGridLayout;
    grid->addWidget(type, 0, 0);
    grid->addWidget(FrameDir, 0, 1, Qt::AlignTop);
    grid->addWidget(spr, 1, 0);
    grid->addWidget(smoothing, 1, 1);
    grid->addWidget(noise, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(standardButtons());
    optPulseDir->setChecked(true);
    optDir0->setChecked(true);
    ShowHideOptions();
}

void PulseDirDialog::ShowHideOptions()
{
    FrameDir->setVisible(optQuad->isChecked());
}

void PulseDirDialog::fill()
{
    const StepInputValues v = StepInputFromSettings(cfg().settings());
    QRadioButton* type[] = {optPulseDir, optPulsePulse, optQuad};
    type[v.pulseType]->setChecked(true);
    (v.dirBLeadsA ? optDir1 : optDir0)->setChecked(true);
    txtStepFilterFreq->setValue(v.stepFilterHz);
    txtNoiseFilter->setValue(v.noiseFilterKHz);
    SPR->setValue(v.stepsPerRev);
    ShowHideOptions();
}

StepInputValues PulseDirDialog::values() const
{
    StepInputValues v;
    v.stepsPerRev = SPR->value();
    v.pulseType = optPulseDir->isChecked() ? 0 : optPulsePulse->isChecked() ? 1 : 2;
    v.dirBLeadsA = optDir1->isChecked();
    v.stepFilterHz = txtStepFilterFreq->value();
    v.noiseFilterKHz = txtNoiseFilter->value();
    return v;
}

void PulseDirDialog::writeSettings()
{
    StorePulseDir(values(), cfg().settings());
    cfg().ShowMotionDesc();
}
