#include "TMXdialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "NumberBox.h"
#include "SerialModeRules.h"
#include "Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The design's step rows: "Digital Signal Type" 1155 twips high, below it
// the row of three frames 735 twips high, each 3 pixels below the row above.
const int StepFramesHeight = Twips(1155) + Twips(735) + 2 * 3;

}  // namespace

TMXdialog::TMXdialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("TMXdialog"), QStringLiteral("TMX Configuration"),
                     HelpPage(HelpOpener::TMXdialogHelp), SummaryBlocks::MotionBlock)
{
    // The serial line.
    QGroupBox* address = MakeFrame(this, QStringLiteral("FrameRS485Addr"), QStringLiteral("RS-485 Address"));
    auto* addressGrid = new QGridLayout(address);
    addressGrid->setSpacing(2);
    constexpr int perRow = 8;
    for (int i = 0; i < AddressButtonCount; ++i) {
        const QString text = AddressButtonText(i);
        auto* b = new QToolButton(address);
        b->setObjectName(QStringLiteral("RSchar%1").arg(i));
        b->setText(text == QLatin1String("&") ? QStringLiteral("&&") : text);  // "&" alone marks an access key
        b->setAccessibleName(QStringLiteral("Address %1").arg(text));
        b->setMinimumSize(b->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 6, b->sizeHint().height());
        connect(b, &QToolButton::clicked, this, [this, i] { RSchar_Click(i); });
        addressGrid->addWidget(b, i / perRow, i % perRow);
        RSchar.append(b);
    }
    txtRS485addr = MakeLabel(address, QStringLiteral("txtRS485addr"), QStringLiteral("!"));
    txtRS485addr->setTextFormat(Qt::PlainText);
    QFont big = txtRS485addr->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    txtRS485addr->setFont(big);
    txtRS485addr->setAlignment(Qt::AlignCenter);
    txtRS485addr->setMinimumWidth(txtRS485addr->fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    addressGrid->addWidget(txtRS485addr, 0, perRow, AddressButtonCount / perRow, 1);

    txtTxDelay = numberBox(QStringLiteral("txtTxDelay"), QStringLiteral("Transmit Delay"), TxDelayRule());
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("Transmit Delay")));
    delayRow->addWidget(txtTxDelay);
    delayRow->addWidget(MakeLabel(this, QStringLiteral("Label23"), QStringLiteral("msec")));
    delayRow->addStretch(1);

    QGroupBox* protocol = MakeFrame(this, QStringLiteral("FrameProtocol"), QStringLiteral("Communication Protocol"));
    auto* protocolLayout = new QVBoxLayout(protocol);
    for (const ProtocolOption& option : ProtocolOptions()) {
        QCheckBox* check = MakeCheck(protocol, option.name, option.caption);
        protocolLayout->addWidget(check);
        protocolChecks.append(check);
    }

    QGroupBox* bitRate = MakeFrame(this, QStringLiteral("Frame2"), QStringLiteral("Bit Rate"));
    LstBitRate = MakeList(bitRate, QStringLiteral("LstBitRate"), QStringLiteral("Bit Rate"), BitRateNames());
    (new QVBoxLayout(bitRate))->addWidget(LstBitRate);

    QGroupBox* controlMode = MakeFrame(this, QStringLiteral("FrameControlMode"), QStringLiteral("Control Mode"));
    ListCM = MakeList(controlMode, QStringLiteral("ListCM"), QStringLiteral("Control Mode"));
    for (const PowerUpModeEntry& entry : PowerUpModeEntries())
        ListCM->addItem(entry.text, entry.code);
    (new QVBoxLayout(controlMode))->addWidget(ListCM);

    // The step input of control mode 7.
    FramePulseType = MakeFrame(this, QStringLiteral("FramePulseType"), QStringLiteral("Digital Signal Type"));
    ListPulseType = MakeList(FramePulseType, QStringLiteral("ListPulseType"), QStringLiteral("Digital Signal Type"),
                             {QStringLiteral("Pulse & Direction"), QStringLiteral("CW & CCW Pulse"),
                              QStringLiteral("A/B Quadrature")});
    optDir0 = MakeOption(FramePulseType, QStringLiteral("optDir0"), QStringLiteral("A leads B"));
    optDir1 = MakeOption(FramePulseType, QStringLiteral("optDir1"), QStringLiteral("B leads A"));
    auto* typeLayout = new QHBoxLayout(FramePulseType);
    typeLayout->addWidget(ListPulseType);
    typeLayout->addSpacing(12);
    typeLayout->addWidget(MakeLabel(FramePulseType, QStringLiteral("DirIsCW"), QStringLiteral("Direction is CW when")));
    typeLayout->addWidget(optDir0);
    typeLayout->addWidget(optDir1);
    typeLayout->addStretch(1);

    SPR = numberBox(QStringLiteral("SPR"), QStringLiteral("Steps/Rev"), StepsPerRevRule(2));
    txtStepFilterFreq = numberBox(QStringLiteral("txtStepFilterFreq"), QStringLiteral("Step Smoothing Filter"),
                                  StepFilterRule(SerialStepFilterMaxHz));
    txtNoiseFilter = numberBox(QStringLiteral("txtNoiseFilter"), QStringLiteral("Input Noise Filter"), NoiseFilterRule());
    FrameSPR = MakeBoxFrame(this, QStringLiteral("FrameSPR"), QStringLiteral("Steps/Rev"), SPR, QString());
    FrameStepFilter = MakeBoxFrame(this, QStringLiteral("FrameStepFilter"), QStringLiteral("Step Smoothing Filter"),
                               txtStepFilterFreq, QStringLiteral("Hz"));
    FrameNoiseFilter = MakeBoxFrame(this, QStringLiteral("FrameNoiseFilter"), QStringLiteral("Input Noise Filter"),
                                txtNoiseFilter, QStringLiteral("kHz"));

    auto* left = new QVBoxLayout;
    left->addWidget(address);
    left->addLayout(delayRow);
    left->addWidget(protocol);
    auto* right = new QVBoxLayout;
    right->addWidget(bitRate);
    right->addWidget(controlMode);
    right->addStretch(1);
    QWidget* buttons = standardButtons();
    right->addWidget(buttons);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(right, 2);
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(FrameSPR);
    stepRow->addWidget(FrameStepFilter);
    stepRow->addWidget(FrameNoiseFilter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FramePulseType);
    layout->addLayout(stepRow);
    // Without the step frames the dialog keeps a little more than its rows
    // need (see ListCM_Click): the spare height goes below them.
    layout->addStretch(1);

    connect(ListCM, &QComboBox::currentIndexChanged, this, &TMXdialog::ListCM_Click);
    ListCM->setCurrentIndex(0);
    LstBitRate->setCurrentIndex(0);
    ListPulseType->setCurrentIndex(0);
    optDir0->setChecked(true);
}

void TMXdialog::open(int modeToSet, const QString& caption)
{
    ModeToSet = modeToSet;
    setCaption(caption);
    showFilled();
}

void TMXdialog::ListCM_Click()
{
    const bool step = PowerUpModeUsesStepInput(ListCM->currentData().toInt());
    // The height with the step frames is the layout's, measured while they
    // show (polished first: the first filling comes before the first show).
    ensurePolished();
    if (!FramePulseType->isHidden()) {
        layout()->activate();
        m_heightWithStepFrames = sizeHint().height();
    }
    for (QWidget* frame : std::initializer_list<QWidget*>{FramePulseType, FrameSPR, FrameStepFilter, FrameNoiseFilter})
        frame->setVisible(step);
    layout()->activate();
    // The dialog ends below the step frames: without them it is shorter by
    // their two rows and the gaps above them, as the design gives them.
    resize(width(), step ? m_heightWithStepFrames : m_heightWithStepFrames - StepFramesHeight);
}

void TMXdialog::RSchar_Click(int index)
{
    txtRS485addr->setText(AddressButtonText(index));
}

void TMXdialog::fill()
{
    const SerialModeValues v = SerialModeFromSettings(cfg().settings());
    ListPulseType->setCurrentIndex(v.step.pulseType);
    (v.step.dirBLeadsA ? optDir1 : optDir0)->setChecked(true);
    txtStepFilterFreq->setValue(v.step.stepFilterHz);
    txtNoiseFilter->setValue(v.step.noiseFilterKHz);
    SPR->setValue(v.step.stepsPerRev);
    txtTxDelay->setValue(v.txDelay);
    txtRS485addr->setText(v.address);
    if (v.bitRateIndex != LeaveBitRate)
        LstBitRate->setCurrentIndex(v.bitRateIndex);
    for (qsizetype i = 0; i < protocolChecks.size(); ++i)
        protocolChecks[i]->setChecked((v.protocolFlags & ProtocolOptions()[static_cast<size_t>(i)].bit) != 0);
    ListCM->setCurrentIndex(PowerUpModeIndex(v.powerUpMode));
    // The action runs even when the entry was selected already.
    ListCM_Click();
}

SerialModeValues TMXdialog::values() const
{
    SerialModeValues v;
    v.address = txtRS485addr->text();
    v.txDelay = txtTxDelay->value();
    v.powerUpMode = ListCM->currentData().toInt();
    v.step.stepsPerRev = SPR->value();
    v.step.pulseType = std::max(0, ListPulseType->currentIndex());
    v.step.dirBLeadsA = optDir1->isChecked();
    v.step.stepFilterHz = txtStepFilterFreq->value();
    v.step.noiseFilterKHz = txtNoiseFilter->value();
    std::vector<bool> checked;
    for (QCheckBox* check : protocolChecks)
        checked.push_back(check->isChecked());
    v.protocolFlags = ProtocolFlagsFrom(checked);
    v.bitRateIndex = LstBitRate->currentIndex();
    return v;
}

void TMXdialog::writeSettings()
{
    StoreSerialMode(values(), ModeToSet, cfg().settings());
    txtRS485addr->setText(cfg().settings().Rs485Address);
    cfg().ShowMotionDesc();
}
