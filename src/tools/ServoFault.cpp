#include "ServoFault.h"

#include "AlarmLamp.h"
#include "AlarmWord.h"
#include "DialogControls.h"
#include "FaultCommands.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Two columns of seven lamps: captions left of the first, right of the second.
constexpr int LampsPerColumn = 7;

}  // namespace

ServoFault::ServoFault(FaultCommands& faults, QWidget* parent) : QDialog(parent), m_faults(faults)
{
    setObjectName(QStringLiteral("ServoFault"));
    setWindowTitle(QStringLiteral("Drive Error"));
    setModal(true);

    auto* intro = new QLabel(QStringLiteral("A drive fault has occurred.  Alarm codes are displayed below:"), this);
    intro->setObjectName(QStringLiteral("Label2"));
    intro->setWordWrap(true);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setAccessibleName(QStringLiteral("Alarm codes"));
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    const int bits = AlarmWord::lampCount(AlarmView::FaultWindow);
    for (int bit = 0; bit < bits; ++bit) {
        const QString caption = AlarmWord::caption(AlarmView::FaultWindow, bit);
        auto* lamp = new AlarmLamp(caption, frame);
        lamp->setObjectName(QStringLiteral("RedSquare%1").arg(bit));
        auto* label = new QLabel(caption, frame);
        label->setObjectName(QStringLiteral("Label1_%1").arg(bit));
        label->setBuddy(lamp);
        const bool first = bit < LampsPerColumn;
        const int row = bit % LampsPerColumn;
        if (first) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(label, row, 0);
            grid->addWidget(lamp, row, 1);
        } else {
            grid->addWidget(lamp, row, 2);
            grid->addWidget(label, row, 3);
        }
        m_lamps.append(lamp);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(3, 1);

    auto* legendLamp = new AlarmLamp(QStringLiteral("Alarm colour"), this);
    legendLamp->setObjectName(QStringLiteral("RedSquare128"));
    auto* legendText = new QLabel(QStringLiteral("Indicates an alarm."), this);
    legendText->setObjectName(QStringLiteral("Label3"));
    auto* legend = new QHBoxLayout;
    legend->addStretch();
    legend->addWidget(legendLamp);
    legend->addWidget(legendText);
    legend->addStretch();

    m_clear = MakeButton(this, QStringLiteral("ClearHistory"), QStringLiteral("Clear Fault"));
    connect(m_clear, &QPushButton::clicked, this, &ServoFault::ClearHistory_Click);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("OK"));
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &ServoFault::OK_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_clear);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(frame);
    layout->addLayout(legend);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
