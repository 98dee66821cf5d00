#include "ServoFault.h"

#include "AlarmLamp.h"
#include "AlarmWord.h"
#include "DialogControls.h"
#include "FaultCommands.h"
#include "FittedFont.h"
#include "Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// Two columns of seven lamps: captions left of the first, right of the
// second. Places in twips: the window's inside, and the lamps inside the frame.
constexpr int LampsPerColumn = 7;
constexpr int WindowWidth = 3735;
constexpr int WindowHeight = 3720;
constexpr int LampSize = 255;
constexpr int LampPitch = 240;
constexpr int FirstLampTop = 300;
const int columnLefts[] = {1320, 1560};
constexpr int FrameLeft = 60;
constexpr int FrameTop = 600;
constexpr int FrameWidth = 3615;
constexpr int FrameHeight = 2160;
constexpr int CaptionGap = 60;  // between a caption and its lamp
constexpr int LeftCaptionWidth = 1320 - 2 * CaptionGap;
constexpr int RightCaptionLeft = 1560 + LampSize + CaptionGap;
constexpr int RightCaptionWidth = FrameWidth - RightCaptionLeft - CaptionGap;

QRect TwipsRect(int left, int top, int width, int height)
{
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

}  // namespace

ServoFault::ServoFault(FaultCommands& faults, QWidget* parent) : QDialog(parent), m_faults(faults)
{
    setObjectName(QStringLiteral("ServoFault"));
    setWindowTitle(QStringLiteral("Drive Error"));
    setModal(true);
    setFixedSize(Twips(WindowWidth), Twips(WindowHeight));

    auto* intro = new QLabel(QStringLiteral("A drive fault has occurred.  Alarm codes are displayed below:"), this);
    intro->setObjectName(QStringLiteral("Label2"));
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    intro->setGeometry(TwipsRect(120, 60, WindowWidth - 240, FrameTop - 60));

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setAccessibleName(QStringLiteral("Alarm codes"));
    frame->setGeometry(TwipsRect(FrameLeft, FrameTop, FrameWidth, FrameHeight));
    const int bits = AlarmWord::lampCount(AlarmView::FaultWindow);
    QStringList leftCaptions;
    QStringList rightCaptions;
    for (int bit = 0; bit < bits; ++bit)
        (bit < LampsPerColumn ? leftCaptions : rightCaptions) << AlarmWord::caption(AlarmView::FaultWindow, bit);
    // One size for all captions, small enough for the longest of each side.
    const QFont captionFont = FittedFont(FittedFont(font(), leftCaptions, Twips(LeftCaptionWidth)), rightCaptions,
                                         Twips(RightCaptionWidth));
    for (int bit = 0; bit < bits; ++bit) {
        const QString caption = AlarmWord::caption(AlarmView::FaultWindow, bit);
        auto* lamp = new AlarmLamp(caption, frame);
        lamp->setObjectName(QStringLiteral("RedSquare%1").arg(bit));
        auto* label = new QLabel(caption, frame);
        label->setObjectName(QStringLiteral("Label1_%1").arg(bit));
        label->setBuddy(lamp);
        label->setFont(captionFont);
        const bool first = bit < LampsPerColumn;
        const int top = FirstLampTop + LampPitch * (bit % LampsPerColumn);
        lamp->move(Twips(columnLefts[first ? 0 : 1]), Twips(top));
        if (first) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setGeometry(TwipsRect(CaptionGap, top, LeftCaptionWidth, LampSize));
        } else {
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setGeometry(TwipsRect(RightCaptionLeft, top, RightCaptionWidth, LampSize));
        }
        m_lamps.append(lamp);
    }

    constexpr int LegendTop = FrameTop + FrameHeight + 120;
    auto* legendLamp = new AlarmLamp(QStringLiteral("Alarm colour"), this);
    legendLamp->setObjectName(QStringLiteral("RedSquare128"));
    legendLamp->move(Twips(1080), Twips(LegendTop));
    auto* legendText = new QLabel(QStringLiteral("Indicates an alarm."), this);
    legendText->setObjectName(QStringLiteral("Label3"));
    legendText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    legendText->setGeometry(TwipsRect(1080 + LampSize + CaptionGap, LegendTop - 30, 2280, LampSize + 60));

    constexpr int ButtonTop = LegendTop + LampSize + 150;
    constexpr int ButtonWidth = 1695;
    constexpr int ButtonHeight = 375;
    m_clear = MakeButton(this, QStringLiteral("ClearHistory"), QStringLiteral("Clear Fault"));
    m_clear->setGeometry(TwipsRect(120, ButtonTop, ButtonWidth, ButtonHeight));
    connect(m_clear, &QPushButton::clicked, this, &ServoFault::ClearHistory_Click);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("OK"));
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setDefault(true);
    m_close->setGeometry(TwipsRect(WindowWidth - 120 - ButtonWidth, ButtonTop, ButtonWidth, ButtonHeight));
    connect(m_close, &QPushButton::clicked, this, &ServoFault::OK_Click);
}

void ServoFault::ClearRedBoxes()
{
    for (AlarmLamp* lamp : std::as_const(m_lamps))
        lamp->setLit(false);
}

void ServoFault::ShowRedBoxes(int alarmWord)
{
    for (int bit = 0; bit < m_lamps.size(); ++bit)
        m_lamps.at(bit)->setLit(AlarmWord::isSet(alarmWord, bit));
}

int ServoFault::litWord() const
{
    int word = 0;
    for (int bit = 0; bit < m_lamps.size(); ++bit)
        if (m_lamps.at(bit)->isFilled())
            word |= 1 << bit;
    return word;
}

void ServoFault::ClearHistory_Click()
{
    m_faults.ClearFault([this] { ClearRedBoxes(); });
}

void ServoFault::OK_Click()
{
    accept();
}
