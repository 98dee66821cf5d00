#pragma once

#include "SummaryBlocks.h"
#include "SummaryText.h"

#include <QPixmap>
#include <QSet>
#include <QTableWidget>

class Configurator;

// The main window's summary of the configuration: five blocks (motor,
// motion mode, regen resistor, dedicated I/O, encoder) separated by thin
// divider rows. Each block is rewritten whole by its refresh procedure,
// which the block's settings dialog calls on OK with the block's first row;
// an upload or an opened file refreshes all five. Display only.
class SummaryGrid : public QTableWidget, public SummaryBlocks {
    Q_OBJECT
public:
    static constexpr int RowCount = 23;

    explicit SummaryGrid(Configurator& configurator, QWidget* parent = nullptr);

    // Lays the grid out: row heights, the five titles and the four
    // dividers; the value rows stay empty.
    void SummaryInit();
    void RowDivider(int row);

    void SummarizeAll();
    // The block that starts at firstRow (a settings dialog's OK).
    void SummarizeBlock(Block firstRow);
    void SummarizeMotor(int r = MotorBlock);
    void SummarizeMotion(int r = MotionBlock);
    void SummarizeRegen(int r = RegenBlock);
    void SummarizeIO(int r = IOBlock);
    void SummarizeEncoder(int r = EncoderBlock);

    // Whether the block has been refreshed at least once this run.
    bool isRefreshed(Block block) const { return m_refreshed.contains(block); }

    // The block a row belongs to, -1 for dividers and rows outside the grid.
    static int blockOfRow(int row);

    // The text of a cell ("" for an empty one) and whether its row is merged.
    QString cellText(int row, int column) const;
    bool isMerged(int row) const;
    bool isDivider(int row) const;

signals:
    // A block was refreshed (its wiring line turns green).
    void blockRefreshed(int firstRow);
    // Summary_Click: the user clicked a row of a block, with the keyboard
    // modifiers held at the click (Shift matters for the motion block).
    void blockClicked(int firstRow, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void writeLines(int r, const SummaryLines& lines);
    void writeRow(int row, const SummaryLine& line, bool title = false);
    void setMerged(int row, bool merged);
    void markRefreshed(Block block);
    void fitColumns();
    QTableWidgetItem* cell(int row, int column);

    Configurator& m_cfg;
    QSet<int> m_refreshed;
    QPixmap m_divider;
    Qt::KeyboardModifiers m_clickModifiers;
};
