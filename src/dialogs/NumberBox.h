#pragma once

#include "BoxRule.h"

#include <QLineEdit>

// A settings dialog's number box: getting the focus selects the whole text;
// leaving it clamps the typed value by the box's rule and writes the clamped
// number back. OK reads the box only after leave() has run (the dialog sees
// to that, also for an OK pressed by program code).
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    NumberBox(const QString& name, const QString& accessibleName, BoxRule rule, QWidget* parent = nullptr);

    const BoxRule& rule() const { return m_rule; }
    void setRule(BoxRule rule) { m_rule = std::move(rule); }

    // Shows a value as the box shows numbers (no clamping: the opener fills
    // what the settings hold).
    void setValue(double value);
    // The value of the text as it stands now, through the box's rule.
    double value() const { return m_rule.value(text()); }

    // The focus-leave step: clamp, adjust, write back.
    void leave();

signals:
    // After leave() rewrote the text (sliders beside a box follow it).
    void left(double value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    BoxRule m_rule;
};
