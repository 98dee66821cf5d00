#include "SummaryGrid.h"

#include "Configurator.h"
#include "Pictures.h"
#include "Twips.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

namespace {

// Row heights and column widths, in twips.
constexpr int ValueRowHeight = 240;
constexpr int DividerRowHeight = 100;
constexpr int TallRowHeight = 480;  // the encoder's stall line may need two lines
constexpr int Column0Width = 750;
constexpr int Column1Width = 1350;

struct BlockLayout {
    int first;
    const char* title;
    int divider;  // -1: no divider after the block
};

const BlockLayout blockLayouts[] = {
    {SummaryGrid::MotorBlock,   "Motor:",          3},
    {SummaryGrid::MotionBlock,  "Motion Mode:",    7},
    {SummaryGrid::RegenBlock,   "Regen Resistor:", 11},
    {SummaryGrid::IOBlock,      "Dedicated I/O:",  19},
    {SummaryGrid::EncoderBlock, "Encoder:",        -1},
};

QPixmap RenderDivider()
{
    // Wide enough that the strip's tiling never shows within one cell.
    return PicturePixmap(QStringLiteral("DividerGradient"), QSize(1200, Twips(DividerRowHeight)));
}

}  // namespace

SummaryGrid::SummaryGrid(Configurator& configurator, QWidget* parent)
    : QTableWidget(SummaryGrid::RowCount, 2, parent), m_cfg(configurator), m_divider(RenderDivider())
{
    setObjectName(QStringLiteral("Summary"));
    // A model change that lowers the currents would otherwise leave the
    // motor block showing values the drive will not get.
    connect(&m_cfg, &Configurator::currentsLowered, this, [this] {
        if (isRefreshed(MotorBlock))
            SummarizeMotor();
    });
    setAccessibleName(QStringLiteral("Summary"));
    setAccessibleDescription(QStringLiteral("The configuration; click a block to change it"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(false);
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        const int block = blockOfRow(row);
        if (block >= 0)
            emit blockClicked(block, m_clickModifiers);
    });
}

QTableWidgetItem* SummaryGrid::cell(int row, int column)
{
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled);
        it->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setItem(row, column, it);
    }
    return it;
}

QString SummaryGrid::cellText(int row, int column) const
{
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

bool SummaryGrid::isMerged(int row) const
{
    return columnSpan(row, 0) == 2;
}

bool SummaryGrid::isDivider(int row) const
{
    const QTableWidgetItem* it = item(row, 0);
    return it && it->data(Qt::UserRole).toBool();
}

void SummaryGrid::setMerged(int row, bool merged)
{
    if (merged && columnSpan(row, 0) != 2)
        setSpan(row, 0, 1, 2);
    else if (!merged && columnSpan(row, 0) != 1)
        setSpan(row, 0, 1, 1);  // a 1 x 1 span removes the existing one
}

void SummaryGrid::writeRow(int row, const SummaryLine& line, bool title)
{
    for (int column = 0; column < 2; ++column) {
        QTableWidgetItem* it = cell(row, column);
        it->setText(column == 0 ? line.col0 : line.col1);
        QFont font = this->font();
        font.setBold(title);
        it->setFont(font);
        it->setBackground(QBrush());
        it->setData(Qt::UserRole, false);
    }
    setMerged(row, line.merged);
}

void SummaryGrid::writeLines(int r, const SummaryLines& lines)
{
    for (int i = 0; i < lines.size(); ++i)
        writeRow(r + i, lines.at(i), i == 0);
    fitColumns();
}

void SummaryGrid::fitColumns()
{
    // Column 0 is at least as wide as its widest label (the merged rows
    // span both columns and do not count) and takes its share of a wider
    // grid; column 1 takes the rest.
    int widest = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isMerged(row))
            widest = qMax(widest, fontMetrics().horizontalAdvance(cellText(row, 0)));
    }
    const int share = viewport()->width() * Column0Width / (Column0Width + Column1Width);
    setColumnWidth(0, std::max({Twips(Column0Width), widest + 8, share}));
}

void SummaryGrid::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    fitColumns();
}

void SummaryGrid::SummaryInit()
{
    setColumnWidth(0, Twips(Column0Width));
    setColumnWidth(1, Twips(Column1Width));
    for (int row = 0; row < rowCount(); ++row) {
        setRowHeight(row, Twips(ValueRowHeight));
        writeRow(row, {});
    }
    for (const BlockLayout& b : blockLayouts) {
        if (b.divider >= 0)
            RowDivider(b.divider);
        writeRow(b.first, MergedLine(QString::fromLatin1(b.title)), true);
    }
    setRowHeight(rowCount() - 1, Twips(TallRowHeight));
}

void SummaryGrid::RowDivider(int row)
{
    setRowHeight(row, Twips(DividerRowHeight));
    writeRow(row, MergedLine(QStringLiteral(" ")));
    for (int column = 0; column < 2; ++column) {
        QTableWidgetItem* it = cell(row, column);
        it->setBackground(QBrush(m_divider));
        it->setData(Qt::UserRole, true);
    }
}

int SummaryGrid::blockOfRow(int row)
{
    for (const BlockLayout& b : blockLayouts) {
        const int last = b.divider >= 0 ? b.divider - 1 : RowCount - 1;
        if (row >= b.first && row <= last)
            return b.first;
    }
    return -1;
}

void SummaryGrid::markRefreshed(Block block)
{
    m_refreshed.insert(block);
    emit blockRefreshed(block);
}

void SummaryGrid::SummarizeAll()
{
    SummarizeMotor(MotorBlock);
    SummarizeMotion(MotionBlock);
    SummarizeRegen(RegenBlock);
    SummarizeIO(IOBlock);
    SummarizeEncoder(EncoderBlock);
}

void SummaryGrid::SummarizeBlock(Block firstRow)
{
    switch (firstRow) {
    case MotorBlock: SummarizeMotor(); break;
    case MotionBlock: SummarizeMotion(); break;
    case RegenBlock: SummarizeRegen(); break;
    case IOBlock: SummarizeIO(); break;
    case EncoderBlock: SummarizeEncoder(); break;
    }
}

void SummaryGrid::SummarizeMotor(int r)
{
    const QString partNoX = m_cfg.motors().field(QStringLiteral("PartNoX")).toString();
    writeLines(r, MotorSummary(m_cfg.settings(), partNoX));
    RowDivider(r + 3);
    markRefreshed(MotorBlock);
}

void SummaryGrid::SummarizeMotion(int r)
{
    writeLines(r, MotionSummary(m_cfg.settings(), m_cfg.motionDesc()));
    RowDivider(r + 3);
    markRefreshed(MotionBlock);
    // The encoder block's stall line depends on the mode, but it is shown
    // only once the encoder block has been set.
    if (isRefreshed(EncoderBlock))
        SummarizeEncoder(EncoderBlock);
}

void SummaryGrid::SummarizeRegen(int r)
{
    writeLines(r, RegenSummary(m_cfg.settings()));
    RowDivider(r + 3);
    markRefreshed(RegenBlock);
}

void SummaryGrid::SummarizeIO(int r)
{
    const SummaryLines lines = IOSummary(m_cfg.settings());
    writeLines(r, lines);
    markRefreshed(IOBlock);
    RowDivider(r + lines.size());
}

void SummaryGrid::SummarizeEncoder(int r)
{
    writeLines(r, EncoderSummary(m_cfg.settings()));
    setRowHeight(r + 2, Twips(TallRowHeight));
    markRefreshed(EncoderBlock);
}

void SummaryGrid::mousePressEvent(QMouseEvent* event)
{
    m_clickModifiers = event->modifiers();
    QTableWidget::mousePressEvent(event);
}

void SummaryGrid::mouseReleaseEvent(QMouseEvent* event)
{
    // The click is reported from here; Shift counts as it is at the release.
    m_clickModifiers = event->modifiers();
    QTableWidget::mouseReleaseEvent(event);
}
