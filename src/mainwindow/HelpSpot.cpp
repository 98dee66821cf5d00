#include "HelpSpot.h"

#include <QPainter>
#include <QPainterPath>

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
    // The middle of the top edge stays open: the connectors' captions sit
    // there on the picture, between one spot and the next, and a line
    // through them would make them unreadable.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(2, 2, -2, -2);
    const qreal gapLeft = frame.left() + frame.width() / 4;
    const qreal gapRight = frame.right() - frame.width() / 4;
    QPainterPath outline;
    outline.moveTo(gapLeft, frame.top());
    outline.lineTo(frame.topLeft());
    outline.lineTo(frame.bottomLeft());
    outline.lineTo(frame.bottomRight());
    outline.lineTo(frame.topRight());
    outline.lineTo(gapRight, frame.top());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(outline);
    painter.setPen(QPen(QColor(255, 214, 0), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(outline);
}
