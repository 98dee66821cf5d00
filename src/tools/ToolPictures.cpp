#include "ToolPictures.h"

#include "AccessibleState.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int LedSize = 16;
constexpr int ButtonPicture = 22;

QPixmap Blank(int size)
{
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    return p;
}

}  // namespace

namespace ToolPictures {

QPixmap Led(LedPicture picture)
{
    QPixmap p = Blank(LedSize);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = picture == LedPicture::Green    ? QColor(0, 200, 0)
                        : picture == LedPicture::Orange ? QColor(255, 140, 0)
                                                        : QColor(20, 20, 20);
    QRadialGradient shine(LedSize * 0.35, LedSize * 0.35, LedSize * 0.6);
    shine.setColorAt(0, fill.lighter(170));
    shine.setColorAt(1, fill);
    painter.setBrush(shine);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.drawEllipse(QRectF(1.5, 1.5, LedSize - 3, LedSize - 3));
    return p;
}

QPixmap Play(bool green)
{
    QPixmap p = Blank(ButtonPicture);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(5, 3);
    triangle.lineTo(19, 11);
    triangle.lineTo(5, 19);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(green ? QColor(0, 190, 0) : QColor(170, 170, 170));
    painter.drawPath(triangle);
    return p;
}

QPixmap Pause(bool red)
{
    QPixmap p = Blank(ButtonPicture);
    QPainter painter(&p);
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(red ? QColor(210, 0, 0) : QColor(170, 170, 170));
    painter.drawRect(5, 4, 4, 14);
    painter.drawRect(13, 4, 4, 14);
    return p;
}

}  // namespace ToolPictures

Lamp::Lamp(const QColor& colour, QWidget* parent) : QWidget(parent), m_colour(colour)
{
    setFixedSize(sizeHint());
    SetLampState(*this, m_lit);
}

void Lamp::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    SetLampState(*this, lit);
    update();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(m_lit ? QBrush(m_colour) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}
