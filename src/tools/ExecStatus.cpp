#include "ExecStatus.h"

#include "AccessibleState.h"
#include "AlarmWord.h"
#include "Configurator.h"
#include "DialogControls.h"
#include "DriveLink.h"
#include "FormHelpers.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "StatusReplies.h"
#include "ToolPictures.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using ToolPictures::LedPicture;

namespace {

const char* const kInputCaptions[InputLedCount] = {
    "IN1", "IN2", "IN3", "IN4", "IN5/cwjog", "IN6/ccwjog", "IN7/cwlim", "IN8/ccwlim",
    "X0",  "X1/cwjog", "X2/ccwjog", "X3", "X4", "X5", "X6/ccwlimit", "X7/cwlimit",
};
const char* const kOutputCaptions[OutputLedCount] = {"OUT1", "OUT2", "OUT3", "OUT4", "Y1", "Y2", "Y3"};
const char* const kOutputLabelNames[OutputLedCount] = {"OutLabel(0)", "OutLabel(1)", "OutLabel(2)", "OutLabel(3)",
                                                        "Y1", "Y2", "Y3"};
constexpr int FirstExtInput = 8;
constexpr int FirstExtOutput = 4;

// Each LED and button keeps the name of the picture it shows: only a
// change redraws it, and tests read it.
constexpr char kPicture[] = "picture";

QColor Colour(LampColour c)
{
    switch (c) {
    case LampColour::Green: return QColor(0, 200, 0);
    case LampColour::Yellow: return QColor(255, 215, 0);
    case LampColour::Red: return QColor(220, 0, 0);
    }
    return Qt::gray;
}

QPixmap LedPixmap(const QString& picture)
{
    if (picture == QLatin1String("LEDgreen"))
        return ToolPictures::Led(LedPicture::Green);
    if (picture == QLatin1String("LEDorange"))
        return ToolPictures::Led(LedPicture::Orange);
    return ToolPictures::Led(LedPicture::Black);
}

// The picture of a lit LED and what it means.
QHBoxLayout* LegendRow(const QPixmap& picture, QWidget* parent)
{
    auto* led = new QLabel(parent);
    led->setPixmap(picture);
    auto* row = new QHBoxLayout;
    row->addWidget(led);
    row->addWidget(new QLabel(QStringLiteral("= low (closed)"), parent));
    row->addStretch();
    return row;
}

// A frame with one number in it.
QLabel* NumberFrame(const QString& caption, const QString& frameName, const QString& name, QWidget* parent,
                    QHBoxLayout* into)
{
    QGroupBox* frame = MakeFrame(parent, frameName, caption);
    auto* label = new QLabel(frame);
    label->setObjectName(name);
    label->setAccessibleName(caption);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-00000000")));
    label->setTextFormat(Qt::PlainText);
    auto* l = new QHBoxLayout(frame);
    l->addWidget(label);
    into->addWidget(frame);
    return label;
}

}  // namespace

ExecStatus::ExecStatus(DriveLink& link, QWidget* parent) : QDialog(parent), m_link(link), m_poll(link)
{
    setObjectName(QStringLiteral("ExecStatus"));
    setWindowTitle(QStringLiteral("Drive Status Monitor"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::ApplicationModal);

    // Inputs: the IN column, then the X column.
    QGroupBox* inputFrame = MakeFrame(this, QStringLiteral("Frame2"), QStringLiteral("Input Status"));
    auto* inputFrameLayout = new QVBoxLayout(inputFrame);
    auto* inputGrid = new QGridLayout;
    inputFrameLayout->addLayout(inputGrid);
    for (int i = 0; i < InputLedCount; ++i) {
        const QString caption = QLatin1String(kInputCaptions[i]);
        QLabel* l = led(QStringLiteral("INlo(%1)").arg(i), caption);
        auto* label = new QLabel(caption, inputFrame);
        label->setObjectName(QStringLiteral("XLabel(%1)").arg(i));
        const int column = i < FirstExtInput ? 0 : 2;
        inputGrid->addWidget(l, i % FirstExtInput, column);
        inputGrid->addWidget(label, i % FirstExtInput, column + 1);
        m_inputs << l;
        m_inputLabels << label;
    }
    // Captions beside their LEDs; what width is left goes to the right, so
    // the X column moves to the left edge when the IN column is hidden.
    inputGrid->setHorizontalSpacing(12);
    inputGrid->setColumnStretch(4, 1);
    inputFrameLayout->addLayout(LegendRow(ToolPictures::Led(LedPicture::Green), inputFrame));

    // Outputs: LED, caption, LO, HI per row.
    QGroupBox* outputFrame = MakeFrame(this, QStringLiteral("Frame3"), QStringLiteral("Output Status"));
    auto* outputFrameLayout = new QVBoxLayout(outputFrame);
    auto* outputGrid = new QGridLayout;
    outputFrameLayout->addLayout(outputGrid);
    for (int i = 0; i < OutputLedCount; ++i) {
        const QString caption = QLatin1String(kOutputCaptions[i]);
        QLabel* l = led(QStringLiteral("OUTlo(%1)").arg(i), caption);
        auto* label = new QLabel(caption, outputFrame);
        label->setObjectName(QLatin1String(kOutputLabelNames[i]));
        QPushButton* lo = MakeButton(outputFrame, QStringLiteral("LO(%1)").arg(i), QStringLiteral("LO"),
                                     caption + QStringLiteral(" LO"));
        QPushButton* hi = MakeButton(outputFrame, QStringLiteral("HI(%1)").arg(i), QStringLiteral("HI"),
                                     caption + QStringLiteral(" HI"));
        for (QPushButton* b : {lo, hi})
            b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("HIHI")) + 12);
        connect(lo, &QPushButton::clicked, this, [this, i] { m_poll.forceOutput(i, false); });
        connect(hi, &QPushButton::clicked, this, [this, i] { m_poll.forceOutput(i, true); });
        outputGrid->addWidget(l, i, 0);
        outputGrid->addWidget(label, i, 1);
        outputGrid->addWidget(lo, i, 2);
        outputGrid->addWidget(hi, i, 3);
        m_outputRows << OutputRow{l, label, lo, hi};
    }
    outputGrid->setColumnStretch(1, 1);
    outputFrameLayout->addLayout(LegendRow(ToolPictures::Led(LedPicture::Orange), outputFrame));

    // The lamps of the status and the alarm word, one row per bit.
    const auto lampFrame = [this](const QString& caption, const QString& name, const QString& lampName,
                                  QList<Lamp*>& lamps, const auto& rowOf, int firstLabel) {
        QGroupBox* frame = MakeFrame(this, name, caption);
        auto* grid = new QGridLayout(frame);
        for (int bit = 0; bit < LampCount; ++bit) {
            const auto [text, colour, visible] = rowOf(bit);
            auto* lamp = new Lamp(Colour(colour), frame);
            lamp->setObjectName(lampName.arg(bit));
            lamp->setAccessibleName(text);
            auto* label = new QLabel(text, frame);
            label->setObjectName(QStringLiteral("lblStatusBit(%1)").arg(firstLabel + bit));
            grid->addWidget(lamp, bit, 0);
            grid->addWidget(label, bit, 1);
            // Kept and set like the others, out of sight.
            lamp->setVisible(visible);
            label->setVisible(visible);
            lamps << lamp;
        }
        grid->setRowStretch(LampCount, 1);
        return frame;
    };
    struct LampRow {
        QString text;
        LampColour colour;
        bool visible;
    };
    QGroupBox* statusFrame = lampFrame(QStringLiteral("Drive Status"), QStringLiteral("FrameStatus"),
                                       QStringLiteral("StatusLED(%1)"), m_statusLamps,
                                       [](int bit) {
                                           const StatusLampRow& r = kStatusLamps[static_cast<size_t>(bit)];
                                           return LampRow{QLatin1String(r.caption), r.colour, r.visible};
                                       },
                                       0);
    QGroupBox* alarmFrame = lampFrame(QStringLiteral("Alarms/Faults"), QStringLiteral("Frame1"),
                                      QStringLiteral("AlarmLED(%1)"), m_alarmLamps,
                                      [](int bit) {
                                          return LampRow{AlarmWord::caption(AlarmView::StatusMonitor, bit),
                                                         kAlarmLampColours[static_cast<size_t>(bit)], true};
                                      },
                                      LampCount);

    auto* numbers = new QHBoxLayout;
    m_speed = NumberFrame(QStringLiteral("Rev/sec"), QStringLiteral("FrameSpeed"), QStringLiteral("MotorSpeed"), this,
                          numbers);
    m_volts = NumberFrame(QStringLiteral("Analog V"), QStringLiteral("FrameVolts"), QStringLiteral("AnalogVolts"), this,
                          numbers);
    m_encoder = NumberFrame(QStringLiteral("Encoder Count"), QStringLiteral("FrameEncoder"),
                            QStringLiteral("EncoderCount"), this, numbers);

    m_play = MakeButton(this, QStringLiteral("Play"), QStringLiteral("Enable"));
    m_pause = MakeButton(this, QStringLiteral("Pause"), QStringLiteral("Disable"));
    QPushButton* ok = MakeButton(this, QStringLiteral("OK"), QStringLiteral("Close"));
    for (QPushButton* b : {m_play, m_pause})
        b->setIconSize(QSize(22, 22));
    connect(m_play, &QPushButton::clicked, this, [this] { m_poll.enableMotor(); });
    connect(m_pause, &QPushButton::clicked, this, [this] { m_poll.disableMotor(); });
    connect(ok, &QPushButton::clicked, this, &ExecStatus::OK_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_play);
    buttons->addWidget(m_pause);
    buttons->addSpacing(16);
    buttons->addWidget(ok);

    auto* io = new QVBoxLayout;
    io->addWidget(inputFrame);
    io->addWidget(outputFrame);
    io->addStretch();
    auto* lamps = new QHBoxLayout;
    lamps->addLayout(io);
    lamps->addWidget(statusFrame);
    lamps->addWidget(alarmFrame);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(numbers);
    bottom->addLayout(buttons, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lamps);
    layout->addLayout(bottom);
    // The window takes the size of the rows it shows: the compact layout
    // leaves no blank band where the hidden rows were.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_poll, &StatusPoll::displayChanged, this, &ExecStatus::refresh);
    refresh();
}

ExecStatus::~ExecStatus() = default;

QLabel* ExecStatus::led(const QString& name, const QString& accessibleName)
{
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setAccessibleName(accessibleName);
    setPicture(l, QStringLiteral("LEDblack"));
    return l;
}

void ExecStatus::setPicture(QLabel* led, const QString& picture)
{
    if (led->property(kPicture).toString() == picture)
        return;
    led->setProperty(kPicture, picture);
    led->setPixmap(LedPixmap(picture));
    // A coloured LED is lit: the line is low (closed).
    SetLampState(*led, picture != QLatin1String("LEDblack"));
}

QString ExecStatus::inputPicture(int index) const
{
    return m_inputs.at(index)->property(kPicture).toString();
}

QString ExecStatus::outputPicture(int index) const
{
    return m_outputRows.at(index).led->property(kPicture).toString();
}

QString ExecStatus::playPicture() const
{
    return m_play->property(kPicture).toString();
}

QString ExecStatus::pausePicture() const
{
    return m_pause->property(kPicture).toString();
}

QPushButton* ExecStatus::outputButton(int row, bool high) const
{
    const OutputRow& r = m_outputRows.at(row);
    return high ? r.hi : r.lo;
}

bool ExecStatus::inputShown(int index) const
{
    return !m_inputs.at(index)->isHidden();
}

bool ExecStatus::outputShown(int row) const
{
    return !m_outputRows.at(row).led->isHidden();
}

void ExecStatus::start()
{
    if (!m_link.port().isOpen()) {
        m_link.configurator().prompt().tell(
            Configurator::ProgramTitle(), QStringLiteral("Cannot show the drive status: there is no comm port open."),
            Prompt::Icon::Information);
        return;
    }
    ShowInFront(*this);
    m_poll.activate();
}

void ExecStatus::OK_Click()
{
    m_poll.close();
    hide();
}

void ExecStatus::reject()
{
    OK_Click();
}

void ExecStatus::closeEvent(QCloseEvent* event)
{
    m_poll.close();
    // Closed for good: the next opening starts as the first did.
    m_poll.resetDisplay();
    event->accept();
}

void ExecStatus::layOut(StatusLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    const bool all = layout == StatusLayout::Designed;
    for (int i = 0; i < FirstExtInput; ++i) {
        m_inputs.at(i)->setVisible(all);
        m_inputLabels.at(i)->setVisible(all);
    }
    for (int row = 0; row < FirstExtOutput; ++row) {
        const OutputRow& r = m_outputRows.at(row);
        for (QWidget* w : std::initializer_list<QWidget*>{r.led, r.label, r.lo, r.hi})
            w->setVisible(all);
    }
}

void ExecStatus::refresh()
{
    const StatusDisplay& d = m_poll.display();
    layOut(d.layout);
    for (int i = 0; i < InputLedCount; ++i)
        setPicture(m_inputs.at(i), d.inputs[static_cast<size_t>(i)] == Led::Lit ? QStringLiteral("LEDgreen")
                                                                               : QStringLiteral("LEDblack"));
    for (int i = 0; i < OutputLedCount; ++i)
        setPicture(m_outputRows.at(i).led, d.outputs[static_cast<size_t>(i)] == Led::Lit ? QStringLiteral("LEDorange")
                                                                                 : QStringLiteral("LEDblack"));
    for (int bit = 0; bit < LampCount; ++bit) {
        m_alarmLamps.at(bit)->setLit((d.alarmWord >> bit) & 1u);
        m_statusLamps.at(bit)->setLit((d.statusWord >> bit) & 1u);
    }
    const auto show = [](QLabel* display, const QString& value) {
        if (display->text() == value)
            return;
        display->setText(value);
        SetShownValue(*display, value);
    };
    show(m_speed, d.speed);
    show(m_volts, d.volts);
    show(m_encoder, d.encoder);
    // Only a change of picture is drawn, so the buttons do not flicker.
    const QString play = d.enabled ? QStringLiteral("PlayGreen") : QStringLiteral("PlayGray");
    if (m_play->property(kPicture).toString() != play) {
        m_play->setProperty(kPicture, play);
        m_play->setIcon(ToolPictures::Play(d.enabled));
        const QString pause = d.enabled ? QStringLiteral("PauseGray") : QStringLiteral("PauseRed");
        m_pause->setProperty(kPicture, pause);
        m_pause->setIcon(ToolPictures::Pause(!d.enabled));
    }
}
