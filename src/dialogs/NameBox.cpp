#include "NameBox.h"

#include "CustomMotorRules.h"
#include "FormHelpers.h"

#include <QTimer>
#include <QValidator>

// Checks every edit of the box's text (keys, paste, drop, input methods).
class NameBox::Limit : public QValidator {
public:
    Limit(NameBox& box, int limit) : QValidator(&box), m_box(box), m_limit(limit) {}

    State validate(QString& input, int& pos) const override
    {
        if (m_box.m_filling)
            return Acceptable;
        int cursor = pos;
        const std::optional<QString> kept = TypedText(m_box.textBeforeEdit(), input, m_limit, &cursor);
        if (!kept)
            return Invalid;
        if (*kept != input) {
            input = *kept;
            pos = cursor;
        }
        return Acceptable;
    }

private:
    NameBox& m_box;
    int m_limit;
};

NameBox::NameBox(const QString& name, const QString& accessibleName, int limit, QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    setAccessibleName(accessibleName);
    setValidator(new Limit(*this, limit));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_last = text; });
    connect(this, &QLineEdit::selectionChanged, this, &NameBox::noteSelection);
    connect(this, &QLineEdit::cursorPositionChanged, this, &NameBox::noteSelection);
}

QString NameBox::textBeforeEdit() const
{
    if (m_selectionStart < 0 || m_selectionStart + m_selectionLength > m_last.size())
        return m_last;
    return QString(m_last).remove(m_selectionStart, m_selectionLength);
}

void NameBox::noteSelection()
{
    m_selectionStart = selectionStart();
    m_selectionLength = selectionLength();
}

void NameBox::fillName(const QString& text)
{
    m_filling = true;
    setText(text);
    m_filling = false;
    m_last = text;
    noteSelection();
}

void NameBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse click places the cursor after the focus arrives; select once
    // the click has been handled so the selection stays.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            SelectAllText(*this);
    });
}
