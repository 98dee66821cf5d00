#pragma once

#include "BoxRule.h"

#include <QLineEdit>

// A settings dialog's number box: getting the focus selects the whole text;
// leaving it clamps the typed value by the box's rule and writes the clamped
// number back. OK reads the box only after leave() has run (the dialog sees
// to that, also for an OK pressed by program code).
//
// A box not edited since the opener filled it is not the user's entry:
// leaving it changes nothing and it reads as the filled value, also when
// that lies outside the box's range (a file or an upload may bring one).
// Any edit counts, even one that leaves the text as it was (the same
// number typed or pasted again, the slider beside it moved and moved back).
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    NumberBox(const QString& name, const QString& accessibleName, BoxRule rule, QWidget* parent = nullptr);

    const BoxRule& rule() const { return m_rule; }
    void setRule(BoxRule rule) { m_rule = std::move(rule); }

    // Shows a value as the box shows numbers (no clamping: the opener fills
    // what the settings hold).
    void setValue(double value);
    // The value OK takes: the filled value while the box is untouched,
    // else the value of the text through the box's rule.
    double value() const;

    // The opener has filled the dialog: the text now shown is the filled
    // one (read as the value setValue gave it, when it came from there),
    // and the box counts as not edited.
    void markFilled();
    // An edit that may leave the text as it stands (the slider beside the
    // box moved by the user). Typing, pasting and any change of the text
    // after the filling count by themselves.
    void markEdited() { m_edited = true; }
    // Filled, not edited since, and showing a number.
    bool untouched() const;

    // The focus-leave step: clamp, adjust, write back; nothing for an
    // untouched box.
    void leave();

signals:
    // After leave() rewrote the text (sliders beside a box follow it).
    void left(double value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    BoxRule m_rule;
    // The last text setValue wrote since the last filling, and the value
    // it stands for.
    QString m_shownText;
    double m_shownValue = 0;
    // What the last filling left in the box, and whether it has been
    // edited since.
    bool m_filled = false;
    bool m_edited = false;
    double m_filledValue = 0;
};
