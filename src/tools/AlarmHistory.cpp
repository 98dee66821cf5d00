#include "AlarmHistory.h"

#include "AlarmLamp.h"
#include "AlarmWord.h"
#include "DialogControls.h"
#include "FaultCommands.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AlarmHistory::AlarmHistory(FaultCommands& faults, QWidget* parent) : QDialog(parent), m_faults(faults)
{
    setObjectName(QStringLiteral("AlarmHistory"));
    setWindowTitle(QStringLiteral("Alarm History"));
    setModal(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    for (int word = 0; word < AlarmWord::kHistoryWords; ++word) {
        auto* heading = new QLabel(QString::number(word + 1), this);
        heading->setObjectName(QStringLiteral("AlarmNum%1").arg(word));
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, word + 1);
    }
    const int bits = AlarmWord::lampCount(AlarmView::AlarmHistory);
    for (int bit = 0; bit < bits; ++bit) {
        auto* label = new QLabel(AlarmWord::caption(AlarmView::AlarmHistory, bit), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(bit));
        grid->addWidget(label, bit + 1, 0);
    }
    for (int word = 0; word < AlarmWord::kHistoryWords; ++word) {
        for (int bit = 0; bit < bits; ++bit) {
            auto* lamp = new AlarmLamp(
                QStringLiteral("%1, code %2").arg(AlarmWord::caption(AlarmView::AlarmHistory, bit)).arg(word + 1),
                this);
            lamp->setObjectName(QStringLiteral("RedSquare%1").arg(16 * word + bit));
            grid->addWidget(lamp, bit + 1, word + 1, Qt::AlignCenter);
            m_lamps.append(lamp);
        }
    }

    auto* recent = new QLabel(QStringLiteral("Code 1 is the most recent."), this);
    recent->setObjectName(QStringLiteral("Label2"));
    auto* legendLamp = new AlarmLamp(QStringLiteral("Alarm colour"), this);
    legendLamp->setObjectName(QStringLiteral("RedSquare128"));
    auto* legendText = new QLabel(QStringLiteral("indicates an alarm."), this);
    legendText->setObjectName(QStringLiteral("Label3"));
    auto* legend = new QHBoxLayout;
    legend->addWidget(recent);
    legend->addStretch();
    legend->addWidget(legendLamp);
    legend->addWidget(legendText);

    m_clear = MakeButton(this, QStringLiteral("ClearHistory"), QStringLiteral("Clear History"));
    connect(m_clear, &QPushButton::clicked, this, &AlarmHistory::ClearHistory_Click);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("OK"));
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &AlarmHistory::OK_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(legend);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
