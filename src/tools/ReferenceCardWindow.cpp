#include "ReferenceCardWindow.h"

#include "PictureButton.h"
#include "Twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Grid columns of one card column: command, description, button, gap.
constexpr int ColumnsPerSide = 4;
}

ReferenceCardWindow::ReferenceCardWindow(const ReferenceCard& card, const QList<BottomButton>& buttons)
    : QWidget(nullptr, Qt::Window), m_card(card)
{
    setObjectName(card.window);
    setWindowTitle(card.caption);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    grid->setColumnMinimumWidth(3, 24);

    // Rows go down their column; a section starts below the longer column
    // of the one before it, under its heading.
    int sectionTop = 0;
    int section = -1;
    int next[2] = {0, 0};
    for (const CardRow& row : card.rows) {
        if (row.section != section) {
            sectionTop = qMax(next[0], next[1]);
            if (section >= 0 && !card.heading.isEmpty()) {
                auto* heading = new QLabel(card.heading, this);
                heading->setObjectName(QStringLiteral("heading"));
                QFont bold = heading->font();
                bold.setBold(true);
                heading->setFont(bold);
                grid->addWidget(heading, sectionTop, 0, 1, 2 * ColumnsPerSide, Qt::AlignHCenter);
                heading->setContentsMargins(0, 8, 0, 2);
                ++sectionTop;
            }
            section = row.section;
            next[0] = next[1] = sectionTop;
        }
        const int side = row.column == 1 ? 1 : 0;
        const int at = next[side]++;
        const int col = side * ColumnsPerSide;

        auto* cmd = new QLabel(row.command, this);
        cmd->setObjectName(QStringLiteral("cmd"));
        QFont bold = cmd->font();
        bold.setBold(true);
        cmd->setFont(bold);
        auto* desc = new QLabel(row.description, this);
        desc->setObjectName(QStringLiteral("desc"));
        desc->setTextFormat(Qt::PlainText);
        grid->addWidget(cmd, at, col);
        grid->addWidget(desc, at, col + 1);
        m_cmd.append(cmd);
        m_desc.append(desc);

        if (row.list != CodeList::None) {
            const CodeListPage& page = CodeListPageOf(row.list);
            auto* codes = new PictureButton(QString(), QStringLiteral("CodesUp"), QStringLiteral("CodesDown"), this);
            codes->setObjectName(row.button);
            codes->setAccessibleName(page.title + QStringLiteral(" (") + row.command + QLatin1Char(')'));
            codes->setToolTip(page.title);
            codes->setFixedSize(codes->sizeHint());
            const CodeList list = row.list;
            connect(codes, &QAbstractButton::clicked, this, [this, list] { emit codeListRequested(list); });
            grid->addWidget(codes, at, col + 2, Qt::AlignVCenter);
        }
    }

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    for (const BottomButton& button : buttons) {
        auto* b = new QPushButton(button.caption, this);
        b->setObjectName(button.name);
        b->setAccessibleName(button.caption);
        b->setMinimumWidth(Twips(1200));
        m_buttons.append(b);
        bottom->addWidget(b);
    }
    bottom->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* ReferenceCardWindow::button(const QString& name) const
{
    for (QPushButton* b : m_buttons)
        if (b->objectName() == name)
            return b;
    return nullptr;
}
