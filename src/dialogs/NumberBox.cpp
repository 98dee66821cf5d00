#include "NumberBox.h"

#include "FormHelpers.h"
#include "Units.h"

#include <QFocusEvent>
#include <QTimer>

NumberBox::NumberBox(const QString& name, const QString& accessibleName, BoxRule rule, QWidget* parent)
    : QLineEdit(parent), m_rule(std::move(rule))
{
    setObjectName(name);
    setAccessibleName(accessibleName);
    // Any change of the text after the filling is an edit. Typing and
    // pasting report one even when they leave the text as it was (the same
    // number typed again over the selection).
    connect(this, &QLineEdit::textChanged, this, &NumberBox::markEdited);
}

void NumberBox::setValue(double value)
{
    m_shownText = m_rule.format ? m_rule.format(value) : BoxText(value);
    m_shownValue = value;
    setText(m_shownText);
}

void NumberBox::markFilled()
{
    m_filled = true;
    m_edited = false;
    // Plain text keeps 15 digits: a value put in through setValue is read
    // back as that very value, not as its rounded text.
    m_filledValue = text() == m_shownText ? m_shownValue : LeadingNumber(text());
    m_shownText.clear();
}

bool NumberBox::untouched() const
{
    return m_filled && UntouchedValue(text(), m_edited, m_filledValue).has_value();
}

double NumberBox::value() const
{
    if (m_filled) {
        if (const std::optional<double> filled = UntouchedValue(text(), m_edited, m_filledValue))
            return *filled;
    }
    return m_rule.value(text());
}

void NumberBox::leave()
{
    if (untouched())
        return;
    const double v = value();
    setText(m_rule.format ? m_rule.format(v) : BoxText(v));
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
