#pragma once

#include <QLineEdit>

// A text box for a name of at most `limit` characters as a user sees them
// (a letter with its accents, a character beyond the basic plane): typing
// and pasting stop at the limit and never split a character. The limit is
// on what the user types: a longer name the opener puts in (from a file)
// stays whole until the user edits it. Getting the focus selects the whole
// text, as in every other box.
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
    bool m_filling = false;
    QString m_last;  // the text before the edit being checked
};
