#include "Harmonizer.h"

#include "DialogControls.h"
#include "FormHelpers.h"
#include "Twips.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

Harmonizer::Harmonizer(DriveLink& link, QWidget* parent) : QDialog(parent), m_wizard(link)
{
    setObjectName(QStringLiteral("Harmonizer"));
    setWindowTitle(QStringLiteral("Waveform Smoothing Wizard"));
    setModal(true);

    m_instructions = new QLabel(this);
    m_instructions->setObjectName(QStringLiteral("Instructions"));
    m_instructions->setWordWrap(true);
    m_instructions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest instructions without the window changing size.
    m_instructions->setMinimumHeight(m_instructions->fontMetrics().lineSpacing() * 4);

    m_frame = new QGroupBox(QStringLiteral("Motor Speed"), this);
    m_frame->setObjectName(QStringLiteral("SliderFrame"));
    m_param = new QLabel(QStringLiteral("0"), m_frame);
    m_param->setObjectName(QStringLiteral("lblParam"));
    m_param->setAccessibleName(QStringLiteral("Value"));
    m_param->setMinimumWidth(Twips(800));
    m_param->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_rps = new QLabel(QStringLiteral("rev/sec"), m_frame);
    m_rps->setObjectName(QStringLiteral("RPSlabel"));
    m_slider = new QSlider(Qt::Horizontal, m_frame);
    m_slider->setObjectName(QStringLiteral("ParamSlider"));
    m_slider->setTickPosition(QSlider::TicksBelow);
    // A drag reports its moves as scrolls and its end as one change.
    m_slider->setTracking(false);

    auto* value = new QHBoxLayout;
    value->addStretch();
    value->addWidget(m_param);
    value->addWidget(m_rps);
    // The unit's place is kept while it is hidden, so the value stays put.
    QSizePolicy keep = m_rps->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_rps->setSizePolicy(keep);
    value->addStretch();
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addLayout(value);
    frameLayout->addWidget(m_slider);

    m_start = MakeButton(this, QStringLiteral("Start"), QStringLiteral("Start"));
    m_cancel = MakeButton(this, QStringLiteral("Cancel"), QStringLiteral("Cancel"));
    m_nextDone = MakeButton(this, QStringLiteral("NextDone"), QStringLiteral("Next"));
    for (QPushButton* b : {m_start, m_cancel, m_nextDone})
        b->setMinimumWidth(Twips(1200));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_start);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    buttons->addWidget(m_nextDone);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instructions);
    layout->addWidget(m_frame);
    layout->addLayout(buttons);
    // The designed inside, 9600 by 3495 twips.
    setFixedSize(Twips(9600), Twips(3495));

    connect(m_start, &QPushButton::clicked, this, [this] { m_wizard.Start(currentText()); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_wizard.Cancel(); });
    connect(m_nextDone, &QPushButton::clicked, this, [this] { m_wizard.NextDone(); });
    connect(m_slider, &QSlider::valueChanged, this, [this](int v) { m_wizard.SliderChange(v); });
    connect(m_slider, &QSlider::sliderMoved, this, [this](int v) { m_wizard.SliderScroll(v); });
    connect(&m_wizard, &SmoothingWizard::changed, this, &Harmonizer::render);
    connect(&m_wizard, &SmoothingWizard::tunedReady, this, [this](const SmoothingWizard::Tuned& t) {
        if (tunedReady)
            tunedReady(t);
    });
    connect(&m_wizard, &SmoothingWizard::ended, this, &QWidget::hide);
    render();
}

QString Harmonizer::currentText() const
{
    return runningCurrentText ? runningCurrentText() : QString();
}

void Harmonizer::showWizard()
{
    if (!m_wizard.PortReady())
        return;
    ShowInFront(*this);
    m_wizard.Activate();
}

void Harmonizer::reject()
{
    // The close box and Escape: as Cancel, so the jog stops and the drive
    // gets its control mode back.
    m_wizard.Cancel();
    if (isVisible())
        QDialog::reject();
}

void Harmonizer::render()
{
    const SmoothingWizard::View& v = m_wizard.view();
    m_instructions->setText(v.instructions);
    m_frame->setTitle(v.frameCaption);
    m_frame->setEnabled(v.frameEnabled);
    m_param->setText(v.param);
    m_param->setEnabled(v.paramEnabled);
    m_rps->setVisible(v.rpsShown);
    {
        // Range and value are the program's: the wizard sends what it puts
        // on the slider itself, once, so the slider must not report it.
        const QSignalBlocker block(m_slider);
        m_slider->setRange(v.slider.minimum, v.slider.maximum);
        m_slider->setPageStep(v.slider.largeChange);
        m_slider->setSingleStep(v.slider.smallChange);
        m_slider->setTickInterval(v.slider.tickSpacing);
        // While the user drags, the slider keeps its own value: its change
        // comes when the drag ends.
        if (!m_slider->isSliderDown())
            m_slider->setValue(v.sliderValue);
    }
    m_slider->setEnabled(v.sliderEnabled);
    m_slider->setAccessibleName(v.frameCaption);
    m_start->setEnabled(v.startEnabled);
    m_nextDone->setEnabled(v.nextEnabled);
    m_nextDone->setText(v.nextCaption);
    m_nextDone->setAccessibleName(v.nextCaption);
    // The changes show at once, before the wizard waits for the drive.
    repaint();
}
