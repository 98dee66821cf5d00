#pragma once

#include <QPlainTextEdit>

class QTextBlock;

// The terminal's log box: read-only text that only grows at its end, or is
// shown anew. A drive that sends without line ends makes one line of up to
// the whole log, and a text box lays out and shapes the whole paragraph
// again at every addition. So the box keeps its paragraphs short: a line
// that wraps is broken, in the box only, into paragraphs of one row each,
// exactly where the box wraps it; only the last rows of the line still
// growing are laid out again as text is added. The rows are joined back
// wherever the text leaves the box (shownText(), copying), and laid out
// anew when the box's width changes.
class HistoryBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit HistoryBox(QWidget* parent = nullptr);

    // Lines end with "\n".
    void showText(const QString& text);
    void appendText(const QString& text);

    // The text shown, its rows joined back into their lines.
    QString shownText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // Breaks the block's rows into blocks of their own, all but its last
    // `keep` rows.
    void breakRows(const QTextBlock& block, int keep);
    void breakAllRows();
    // Splits the block at a position inside it; the second part continues
    // the line of the first.
    void split(int position);
    // The text from one position of the document to another, rows joined.
    QString joinedText(int from, int to) const;

    int m_rowWidth = -1;  // the viewport width the rows were broken for
};
