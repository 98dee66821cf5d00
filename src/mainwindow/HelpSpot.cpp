#include "HelpSpot.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

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
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
