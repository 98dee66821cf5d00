#include "AlarmLamp.h"

#include "AccessibleState.h"
#include "Twips.h"

#include <QPainter>

AlarmLamp::AlarmLamp(const QString& name, QWidget* parent) : QLabel(parent)
{
    setAccessibleName(name);
    setFixedSize(Twips(255), Twips(255));
    setFill(red());
}

void AlarmLamp::setFill(const QColor& colour)
{
    // Drawn by the lamp itself: the history window has 129 of them, and a
    // style sheet or palette of each one's own costs memory for every lamp.
    const bool changed = colour != m_fill;
    m_fill = colour;
    // The history's light grey is its way of showing a bit that is not set.
    SetLampState(*this, colour.isValid() && colour != lightGrey());
    if (changed)
        update();
}

void AlarmLamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_fill.isValid())
        painter.fillRect(rect(), m_fill);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
