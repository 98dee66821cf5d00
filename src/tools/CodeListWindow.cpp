#include "CodeListWindow.h"

#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CodeListWindow::CodeListWindow(const CodeListPage& page) : QWidget(nullptr, Qt::Window), m_page(page)
{
    setObjectName(page.window);
    setWindowTitle(page.title);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);

    auto* title = new QLabel(page.title, this);
    title->setObjectName(QStringLiteral("title"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignHCenter);
    title->setMinimumWidth(Twips(2400));  // the shortest lists keep a readable window
    layout->addWidget(title, 0, Qt::AlignHCenter);
    if (!page.subtitle.isEmpty()) {
        auto* subtitle = new QLabel(page.subtitle, this);
        subtitle->setObjectName(QStringLiteral("subtitle"));
        layout->addWidget(subtitle, 0, Qt::AlignHCenter);
    }
    layout->addSpacing(4);

    for (const QString& text : page.rows) {
        auto* row = new QLabel(text, this);
        row->setObjectName(QStringLiteral("row"));
        row->setTextFormat(Qt::PlainText);
        m_rows.append(row);
        layout->addWidget(row);
    }

    if (!page.note.isEmpty()) {
        auto* note = new QLabel(page.note, this);
        note->setObjectName(QStringLiteral("note"));
        note->setWordWrap(true);
        note->setFixedWidth(Twips(3600));
        layout->addSpacing(4);
        layout->addWidget(note);
    }

    layout->addSpacing(6);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(page.okButton);
    m_ok->setAccessibleName(QStringLiteral("OK"));
    m_ok->setMinimumWidth(Twips(1000));
    connect(m_ok, &QPushButton::clicked, this, &QWidget::hide);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
