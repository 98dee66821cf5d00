#include "AlarmHistory.h"

#include "AlarmLamp.h"
#include "AlarmWord.h"
#include "DialogControls.h"
#include "FaultCommands.h"
#include "FittedFont.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Places in twips inside the window: a column of lamps for each alarm
// code, a row for each bit, at the lamps' pitch.
constexpr int WindowWidth = 4515;
constexpr int WindowHeight = 5385;
constexpr int LampSize = 255;
constexpr int LampPitch = 240;
constexpr int FirstLampLeft = 2400;
constexpr int FirstLampTop = 360;
constexpr int HeadingTop = 120;
constexpr int CaptionLeft = 60;
constexpr int CaptionWidth = FirstLampLeft - CaptionLeft - 60;

QRect TwipsRect(int left, int top, int width, int height)
{
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

}  // namespace

AlarmHistory::AlarmHistory(FaultCommands& faults, QWidget* parent) : QDialog(parent), m_faults(faults)
{
    setObjectName(QStringLiteral("AlarmHistory"));
    setWindowTitle(QStringLiteral("Alarm History"));
    setModal(true);
    setFixedSize(Twips(WindowWidth), Twips(WindowHeight));

    for (int word = 0; word < AlarmWord::kHistoryWords; ++word) {
        auto* heading = new QLabel(QString::number(word + 1), this);
        heading->setObjectName(QStringLiteral("AlarmNum%1").arg(word));
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(TwipsRect(FirstLampLeft + LampPitch * word, HeadingTop, LampSize, LampPitch));
    }
    const int bits = AlarmWord::lampCount(AlarmView::AlarmHistory);
    QStringList captions;
    for (int bit = 0; bit < bits; ++bit)
        captions << AlarmWord::caption(AlarmView::AlarmHistory, bit);
    const QFont captionFont = FittedFont(font(), captions, Twips(CaptionWidth));
    for (int bit = 0; bit < bits; ++bit) {
        auto* label = new QLabel(captions.at(bit), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(bit));
        label->setFont(captionFont);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(TwipsRect(CaptionLeft, FirstLampTop + LampPitch * bit, CaptionWidth, LampSize));
    }
    for (int word = 0; word < AlarmWord::kHistoryWords; ++word) {
        for (int bit = 0; bit < bits; ++bit) {
            auto* lamp = new AlarmLamp(QStringLiteral("%1, code %2").arg(captions.at(bit)).arg(word + 1), this);
            lamp->setObjectName(QStringLiteral("RedSquare%1").arg(16 * word + bit));
            lamp->move(Twips(FirstLampLeft + LampPitch * word), Twips(FirstLampTop + LampPitch * bit));
            m_lamps.append(lamp);
        }
    }

    constexpr int LegendTop = FirstLampTop + LampPitch * 16 + 120;
    auto* recent = new QLabel(QStringLiteral("Code 1 is the most recent."), this);
    recent->setObjectName(QStringLiteral("Label2"));
    recent->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    recent->setGeometry(TwipsRect(CaptionLeft, LegendTop - 30, CaptionWidth, LampSize + 60));
    auto* legendLamp = new AlarmLamp(QStringLiteral("Alarm colour"), this);
    legendLamp->setObjectName(QStringLiteral("RedSquare128"));
    legendLamp->move(Twips(FirstLampLeft), Twips(LegendTop));
    auto* legendText = new QLabel(QStringLiteral("indicates an alarm."), this);
    legendText->setObjectName(QStringLiteral("Label3"));
    legendText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    constexpr int LegendTextLeft = FirstLampLeft + LampSize + 60;
    legendText->setGeometry(TwipsRect(LegendTextLeft, LegendTop - 30, WindowWidth - LegendTextLeft - 60, LampSize + 60));
    for (QLabel* l : {recent, legendText})
        l->setFont(FittedFont(font(), {l->text()}, l->width()));

    constexpr int ButtonTop = LegendTop + LampSize + 240;
    constexpr int ButtonWidth = 1500;
    constexpr int ButtonHeight = 375;
    constexpr int ButtonsLeft = (WindowWidth - 2 * ButtonWidth - 120) / 2;
    m_clear = MakeButton(this, QStringLiteral("ClearHistory"), QStringLiteral("Clear History"));
    m_clear->setGeometry(TwipsRect(ButtonsLeft, ButtonTop, ButtonWidth, ButtonHeight));
    connect(m_clear, &QPushButton::clicked, this, &AlarmHistory::ClearHistory_Click);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("OK"));
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setDefault(true);
    m_close->setGeometry(TwipsRect(ButtonsLeft + ButtonWidth + 120, ButtonTop, ButtonWidth, ButtonHeight));
    connect(m_close, &QPushButton::clicked, this, &AlarmHistory::OK_Click);
}

AlarmLamp* AlarmHistory::lamp(int code, int bit) const
{
    return m_lamps.value(16 * (code - 1) + bit);
}

void AlarmHistory::DispAlarmHistory(const QByteArray& reply)
{
    for (int word = 0; word < AlarmWord::kHistoryWords; ++word) {
        const int value = AlarmWord::historyWord(reply, word);
        for (int bit = 0; bit < AlarmWord::kBits; ++bit)
            m_lamps.at(16 * word + bit)->setFill(AlarmWord::isSet(value, bit) ? AlarmLamp::red()
                                                                               : AlarmLamp::lightGrey());
    }
}

void AlarmHistory::ClearHistory_Click()
{
    QByteArray reply;
    if (m_faults.ClearHistory(reply))
        DispAlarmHistory(reply);
}

void AlarmHistory::OK_Click()
{
    accept();
}
