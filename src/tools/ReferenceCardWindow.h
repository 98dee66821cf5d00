#pragma once

#include "ReferenceCards.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

// A command card: its rows of command and description in two columns, a
// small button beside the rows whose codes have a list, an optional heading
// over a second block of rows, and its buttons along the bottom. A row
// button asks for its code list; the owner places and shows it.
class ReferenceCardWindow : public QWidget {
    Q_OBJECT
public:
    struct BottomButton {
        QString name;
        QString caption;
    };
    ReferenceCardWindow(const ReferenceCard& card, const QList<BottomButton>& buttons);

    const ReferenceCard& card() const { return m_card; }
    // The labels of every row, in the table's order.
    const QList<QLabel*>& commandLabels() const { return m_cmd; }
    const QList<QLabel*>& descriptionLabels() const { return m_desc; }
    // A bottom button by its name.
    QPushButton* button(const QString& name) const;

signals:
    void codeListRequested(CodeList list);

private:
    const ReferenceCard& m_card;
    QList<QLabel*> m_cmd;
    QList<QLabel*> m_desc;
    QList<QPushButton*> m_buttons;
};
