#include "EncoderDialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "NumberBox.h"
#include "Pictures.h"
#include "Units.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The phase diagrams, drawn for the shaft turning ccw: channel A leads when
// A leads at ccw, B leads when A leads at cw.
const QString ALeadsDiagram = QStringLiteral("EncoderPhaseAB");
const QString BLeadsDiagram = QStringLiteral("EncoderPhaseBA");
constexpr QSize DiagramSize(164, 76);

}  // namespace

EncoderDialog::EncoderDialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("EncoderDialog"),
                     QStringLiteral("Encoder Feedback (optional)"), HelpPage(HelpOpener::EncoderDialogHelp),
                     SummaryBlocks::EncoderBlock)
{
    QGroupBox* encoder = MakeFrame(this, QStringLiteral("FrameEncoder"), QStringLiteral("Encoder"));
    m_counts = numberBox(QStringLiteral("txtEncCounts"), QStringLiteral("Encoder counts per turn"),
                         EncoderForm::CountsRule());
    m_counts->setParent(encoder);
    m_counts->setMaximumWidth(80);
    m_lines = MakeLabel(encoder, QStringLiteral("lblLines"), EncoderLinesCaption(8000));
    QLabel* leads = MakeLabel(encoder, QStringLiteral("lblAleadsB"), QStringLiteral("Ch A leads Ch B when shaft turns:"));
    m_cw = MakeOption(encoder, QStringLiteral("optCW"), QStringLiteral("cw"),
                      QStringLiteral("Ch A leads Ch B when shaft turns cw"));
    m_ccw = MakeOption(encoder, QStringLiteral("optCCW"), QStringLiteral("ccw"),
                       QStringLiteral("Ch A leads Ch B when shaft turns ccw"));
    m_picture = MakeLabel(encoder, QStringLiteral("DC7encpic"), QString());
    m_picture->setAccessibleName(QStringLiteral("Encoder phase diagram"));
    m_picture->setFrameShape(QFrame::Panel);
    m_picture->setFrameShadow(QFrame::Sunken);
    const int border = 2 * m_picture->frameWidth();
    m_picture->setFixedSize(DiagramSize + QSize(border, border));
    QLabel* turning = MakeLabel(encoder, QStringLiteral("lblShaftTurning"), QStringLiteral("shaft turning ccw"));
    m_singleEnded = MakeCheck(encoder, QStringLiteral("ChkSingleEnded"), QStringLiteral("Single Ended (not recommended)"));

    auto* encLayout = new QGridLayout(encoder);
    auto* countsRow = new QHBoxLayout;
    countsRow->addWidget(m_counts);
    countsRow->addWidget(m_lines, 1);
    encLayout->addLayout(countsRow, 0, 0, 1, 2);
    encLayout->addWidget(leads, 1, 0, 1, 2);
    auto* direction = new QVBoxLayout;
    direction->addWidget(m_cw);
    direction->addWidget(m_ccw);
    direction->addStretch(1);
    encLayout->addLayout(direction, 2, 0);
    auto* diagram = new QVBoxLayout;
    diagram->addWidget(m_picture);
    diagram->addWidget(turning, 0, Qt::AlignHCenter);
    encLayout->addLayout(diagram, 2, 1, Qt::AlignLeft);
    encLayout->addWidget(m_singleEnded, 3, 0, 1, 2);
    encLayout->setColumnStretch(1, 1);

    QGroupBox* prevention = MakeFrame(this, QStringLiteral("Frame1"),
                                      QStringLiteral("Stall Prevention (not available in Pulse && Direction mode)"));
    m_prevent = MakeCheck(prevention, QStringLiteral("chkCorrect"),
                          QStringLiteral("Automatically adjust torque utilization to prevent stalling. Use"));
    m_maxTorque = numberBox(QStringLiteral("txtMaxTorque"), QStringLiteral("Maximum torque utilization percent"),
                            EncoderForm::MaxTorqueRule());
    m_maxTorque->setParent(prevention);
    m_maxTorque->setMaximumWidth(50);
    m_hardStopFault = MakeCheck(prevention, QStringLiteral("chkAttemptsFault"),
                                QStringLiteral("Hard stop: fault drive if motor stalls for more than"));
    m_hardStop = numberBox(QStringLiteral("txtAttempts"), QStringLiteral("Hard stop time in msec"),
                           EncoderForm::HardStopRule());
    m_hardStop->setParent(prevention);
    m_hardStop->setMaximumWidth(60);
    auto* prevLayout = new QGridLayout(prevention);
    prevLayout->addWidget(m_prevent, 0, 0);
    prevLayout->addWidget(m_maxTorque, 0, 1);
    prevLayout->addWidget(new QLabel(QStringLiteral("% max"), prevention), 0, 2);
    prevLayout->addWidget(m_hardStopFault, 1, 0);
    prevLayout->addWidget(m_hardStop, 1, 1);
    prevLayout->addWidget(new QLabel(QStringLiteral("msec"), prevention), 1, 2);
    prevLayout->setColumnStretch(3, 1);

    QGroupBox* detection = MakeFrame(this, QStringLiteral("FrameErrLimit"), QStringLiteral("Stall Detection"));
    m_detect = MakeCheck(detection, QStringLiteral("chkStallDetect"),
                         QStringLiteral("Fault drive if motor stalls (or is forced out of position)"));
    auto* detLayout = new QVBoxLayout(detection);
    detLayout->addWidget(m_detect);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(encoder);
    layout->addWidget(prevention);
    layout->addWidget(detection);
    layout->addWidget(standardButtons());

    connect(m_cw, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showDiagram(BLeadsDiagram);
    });
    connect(m_ccw, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showDiagram(ALeadsDiagram);
    });
    m_ccw->setChecked(true);
    connect(m_prevent, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_detect->setChecked(false);
    });
    connect(m_detect, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_prevent->setChecked(false);
    });
    // The line count follows the text as it is typed.
    connect(m_counts, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_lines->setText(EncoderLinesCaption(LeadingNumber(text))); });
    m_counts->setValue(8000);
    m_maxTorque->setValue(100);
    m_hardStop->setValue(20);
}

void EncoderDialog::showDiagram(const QString& name)
{
    m_diagram = name;
    m_picture->setPixmap(PicturePixmap(name, DiagramSize));
}

EncoderForm EncoderDialog::form() const
{
    EncoderForm f;
    f.counts = m_counts->value();
    f.maxTorquePct = m_maxTorque->value();
    f.hardStopMs = m_hardStop->value();
    f.cw = m_cw->isChecked();
    f.singleEnded = m_singleEnded->isChecked();
    f.stallPrevent = m_prevent->isChecked();
    f.hardStopFault = m_hardStopFault->isChecked();
    f.stallDetect = m_detect->isChecked();
    return f;
}

void EncoderDialog::fill()
{
    const Settings& s = cfg().settings();
    const EncoderForm f = EncoderForm::FromSettings(s);
    m_counts->setValue(f.counts);
    m_maxTorque->setValue(f.maxTorquePct);
    (f.cw ? m_cw : m_ccw)->setChecked(true);
    m_singleEnded->setChecked(f.singleEnded);
    // In the opener's order: each box's tick rule runs as a click's would.
    m_prevent->setChecked(s.StallPrevent);
    m_detect->setChecked(s.StallDetect);
    m_hardStop->setValue(f.hardStopMs);
    m_hardStopFault->setChecked(f.hardStopFault);
}

void EncoderDialog::writeSettings()
{
    form().writeTo(cfg().settings());
}
