#pragma once

#include <QLineEdit>

// A text box for a name of at most `limit` characters as a user sees them
// (a letter with its accents, a character beyond the basic plane): typing
// and pasting stop at the limit and never split a character. The limit is
// on what the user types: a longer name the opener puts in (from a file)
// stays whole until the user edits it, and what is typed or pasted over it
// leaves no more than the limit. Getting the focus selects the whole text,
// as in every other box.
class NameBox : public QLineEdit {
    Q_OBJECT
public:
    NameBox(const QString& name, const QString& accessibleName, int limit, QWidget* parent = nullptr);

    // The opener's filling: the text as it stands, whatever its length.
    void fillName(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    class Limit;
    friend class Limit;
    // What the edit being checked started from: the text before it, less
    // the selection it replaced.
    QString textBeforeEdit() const;
    void noteSelection();

    bool m_filling = false;
    // The text and the selection before the edit being checked (the box
    // reports them after each edit, once its check has run).
    QString m_last;
    int m_selectionStart = -1;
    int m_selectionLength = 0;
};
