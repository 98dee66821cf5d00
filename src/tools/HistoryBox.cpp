#include "HistoryBox.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// A block that carries on the line of the block before it (a row broken off
// that line); every other block starts a line of its own.
constexpr int ContinuesLine = 1;
constexpr int StartsLine = -1;  // a block's state as the document makes it

// The rows of the line still growing that stay together and are laid out
// again as text is added: the last row, which new text extends, and the one
// before it. A row's end is settled once another row follows it (the rules
// of where a line may break look only a character or two past it); the row
// kept with the last is a margin on that, for the cost of one row more.
constexpr int GrowingRows = 2;

bool Continues(const QTextBlock& block)
{
    return block.userState() == ContinuesLine;
}

}  // namespace

HistoryBox::HistoryBox(QWidget* parent) : QPlainTextEdit(parent)
{
    // Read only, and only ever grows or is shown anew: nothing to undo.
    setUndoRedoEnabled(false);
    // The scroll bar's thumb moves at every addition. Filled with its own
    // background it covers what lies under it, so the frames and the
    // window beneath need not be drawn again each time.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        bar->setAutoFillBackground(true);
}

void HistoryBox::showText(const QString& text)
{
    setPlainText(text);
    m_rowWidth = viewport()->width();
    breakAllRows();
}

void HistoryBox::appendText(const QString& text)
{
    if (text.isEmpty())
        return;
    // Added to the last block, which holds no more than the last rows of
    // its line: only they and the new lines are laid out.
    const QTextBlock first = document()->lastBlock();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    for (QTextBlock b = first.next(); b.isValid(); b = b.next())
        b.setUserState(StartsLine);
    // Each new line, and the rows of the last, broken where they wrap.
    int keep = GrowingRows;
    for (QTextBlock b = document()->lastBlock(); b.isValid();) {
        const QTextBlock previous = b.previous();
        breakRows(b, keep);
        if (b == first)
            break;
        keep = 1;
        b = previous;
    }
}

void HistoryBox::breakRows(const QTextBlock& block, int keep)
{
    // The box's own layout of the block says where it wraps.
    document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    const int rows = layout ? layout->lineCount() : 0;
    if (rows <= keep)
        return;
    QList<int> starts;
    for (int row = 1; row <= rows - keep; ++row)
        starts << block.position() + layout->lineAt(row).textStart();
    // From the last to the first, so that the places still to split stay
    // where they were.
    for (qsizetype i = starts.size() - 1; i >= 0; --i)
        split(starts.at(i));
}

void HistoryBox::breakAllRows()
{
    QTextBlock block = document()->lastBlock();
    int keep = GrowingRows;
    while (block.isValid()) {
        const QTextBlock previous = block.previous();
        breakRows(block, keep);
        keep = 1;
        block = previous;
    }
}

void HistoryBox::split(int position)
{
    QTextCursor at(document());
    at.setPosition(position);
    const int before = at.block().userState();
    at.insertBlock();
    at.block().setUserState(ContinuesLine);
    at.block().previous().setUserState(before);
}

QString HistoryBox::joinedText(int from, int to) const
{
    QString text;
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        // The block separator in front of this block lies inside the range.
        if (b.position() > from && !Continues(b))
            text += QLatin1Char('\n');
        const int start = qMax(from, b.position()) - b.position();
        const int end = qMin(to, b.position() + b.length() - 1) - b.position();
        if (end > start)
            text += b.text().mid(start, end - start);
    }
    return text;
}

QString HistoryBox::shownText() const
{
    return joinedText(0, document()->characterCount() - 1);
}

QMimeData* HistoryBox::createMimeDataFromSelection() const
{
    // What the user copies is the text, not the rows it was broken into.
    const QTextCursor selection = textCursor();
    auto* data = new QMimeData;
    data->setText(joinedText(selection.selectionStart(), selection.selectionEnd()));
    return data;
}

void HistoryBox::resizeEvent(QResizeEvent* event)
{
    // Whether the end was in view, seen with the rows as they were.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    const bool endInView = viewport()->rect().intersects(cursorRect(end));
    QPlainTextEdit::resizeEvent(event);
    if (viewport()->width() == m_rowWidth)
        return;
    // The rows were broken for another width: break the lines anew, and
    // keep in view what was in view.
    const QTextBlock top = firstVisibleBlock();
    const int topOffset = top.isValid() ? joinedText(0, top.position()).size() : 0;
    showText(shownText());
    moveCursor(QTextCursor::End);
    if (endInView)
        return;
    // The block that now holds the character that was first in view.
    int offset = 0;  // where the block's text starts in the shown text
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next()) {
        if (b.position() > 0 && !Continues(b))
            ++offset;
        const int length = b.length() - 1;
        if (offset + qMax(1, length) > topOffset || !b.next().isValid()) {
            verticalScrollBar()->setValue(b.firstLineNumber());
            break;
        }
        offset += length;
    }
}
