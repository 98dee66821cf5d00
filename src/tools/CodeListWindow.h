#pragma once

#include "ReferenceCards.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

// A code list: its title, the rows of codes one under the other, and an OK
// button that hides it.
class CodeListWindow : public QWidget {
    Q_OBJECT
public:
    explicit CodeListWindow(const CodeListPage& page);

    const CodeListPage& page() const { return m_page; }
    const QList<QLabel*>& rowLabels() const { return m_rows; }
    QPushButton* okButton() const { return m_ok; }

private:
    const CodeListPage& m_page;
    QList<QLabel*> m_rows;
    QPushButton* m_ok;
};
