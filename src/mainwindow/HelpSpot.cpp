#include "HelpSpot.h"

#include <QPainter>

HelpSpot::HelpSpot(const QString& name, const QString& role, QWidget* parent)
    : QAbstractButton(parent)
{
    setObjectName(name);
    setText(role);
    setAccessibleName(role);
    setToolTip(role);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::WhatsThisCursor);
}

void HelpSpot::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    // The style's focus frame is a faint tint that vanishes on the drive
    // photograph: a bright outline on a dark casing shows on light and dark
    // parts alike.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), 4));
    painter.drawRoundedRect(frame, 3, 3);
    painter.setPen(QPen(QColor(255, 214, 0), 2));
    painter.drawRoundedRect(frame, 3, 3);
}
