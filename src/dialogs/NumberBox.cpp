#include "NumberBox.h"

#include "FormHelpers.h"

#include <QFocusEvent>
#include <QTimer>

NumberBox::NumberBox(const QString& name, const QString& accessibleName, BoxRule rule, QWidget* parent)
    : QLineEdit(parent), m_rule(std::move(rule))
{
    setObjectName(name);
    setAccessibleName(accessibleName);
}

void NumberBox::setValue(double value)
{
    setText(m_rule.format ? m_rule.format(value) : BoxText(value));
}

void NumberBox::leave()
{
    const double v = value();
    setValue(v);
    emit left(v);
}

void NumberBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse click places the cursor after the focus arrives; select once
    // the click has been handled so the selection stays.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            SelectAllText(*this);
    });
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the box's own context menu) takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason)
        leave();
}
