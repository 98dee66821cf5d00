// The terminal's log box breaks long lines into rows of their own: what it
// shows must be what a plain text box shows of the same text, row for row,
// however the text arrives, at any width, and what leaves it (its text, a
// copy) is the text, not the rows.

#include "HistoryBox.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <memory>

namespace {

// Set up as the terminal sets up its log box.
void SetUp(QPlainTextEdit& box, int width)
{
    box.setReadOnly(true);
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box.setFont(QFont(QStringLiteral("Monospace")));
    box.resize(width, 300);
    box.show();
}

// The box under test beside a plain text box of the same width, which shows
// where the text wraps by itself.
struct SideBySide {
    explicit SideBySide(int width)
    {
        SetUp(box, width);
        SetUp(plain, width);
    }
    HistoryBox box;
    QPlainTextEdit plain;
};

// Every row the box shows, top to bottom.
QStringList Rows(const QPlainTextEdit& box)
{
    QStringList rows;
    const QTextDocument* doc = box.document();
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        doc->documentLayout()->blockBoundingRect(b);
        const QTextLayout* layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            rows << b.text().mid(layout->lineAt(i).textStart(), layout->lineAt(i).textLength());
    }
    return rows;
}

// The most rows any one block of the box holds.
int MostRowsInABlock(const QPlainTextEdit& box)
{
    int most = 0;
    const QTextDocument* doc = box.document();
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        doc->documentLayout()->blockBoundingRect(b);
        most = qMax(most, b.layout()->lineCount());
    }
    return most;
}

// The document position of a row's column.
int RowPosition(const QPlainTextEdit& box, int row, int column)
{
    const QTextDocument* doc = box.document();
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        doc->documentLayout()->blockBoundingRect(b);
        const QTextLayout* layout = b.layout();
        if (row < layout->lineCount())
            return b.position() + layout->lineAt(row).textStart() + column;
        row -= layout->lineCount();
    }
    return doc->characterCount() - 1;
}

bool EndInView(const QPlainTextEdit& box)
{
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    return box.viewport()->rect().intersects(box.cursorRect(end));
}

QString Copied(QPlainTextEdit& box, int from, int to)
{
    QTextCursor c(box.document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    box.setTextCursor(c);
    QApplication::clipboard()->clear();
    box.copy();
    return QApplication::clipboard()->text();
}

QString Printable(QRandomGenerator& rng, int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(rng.bounded(33, 127));
    return text;
}

// Words of different lengths, some hyphenated, some long; a line end now
// and then when lineEnds.
QString Words(QRandomGenerator& rng, int length, bool lineEnds)
{
    QString text;
    while (text.size() < length) {
        const int word = rng.bounded(1, rng.bounded(10) == 0 ? 90 : 12);
        for (int i = 0; i < word; ++i)
            text += QChar(rng.bounded(10) == 0 ? '-' : 'a' + rng.bounded(26));
        text += lineEnds && rng.bounded(25) == 0 ? QLatin1Char('\n') : QLatin1Char(' ');
        if (rng.bounded(15) == 0)
            text += QStringLiteral("  ");
    }
    return text.left(length);
}

QString Replies(int length)
{
    QString text;
    while (text.size() < length)
        text += QStringLiteral("IS=10111111\nAL=0000\nIV=2.47\n");
    return text.left(length);
}

QString Text(const QString& kind)
{
    QRandomGenerator rng(11);
    if (kind == QLatin1String("printable"))
        return Printable(rng, 3000);
    if (kind == QLatin1String("words"))
        return Words(rng, 3000, false);
    if (kind == QLatin1String("words and lines"))
        return Words(rng, 3000, true);
    return Replies(3000);
}

}  // namespace

class TestHistoryBox : public QObject {
    Q_OBJECT
private slots:
    void rowsAsAPlainBoxShowsThem_data();
    void rowsAsAPlainBoxShowsThem();
    void anotherWidthBreaksTheRowsAnew_data();
    void anotherWidthBreaksTheRowsAnew();
    void copyGivesTheText();
};

void TestHistoryBox::rowsAsAPlainBoxShowsThem_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("chunk");  // characters added at a time
    for (const char* kind : {"printable", "words", "words and lines", "replies"}) {
        QTest::addRow("%s, a character at a time", kind) << QString::fromLatin1(kind) << 1;
        QTest::addRow("%s, 7 at a time", kind) << QString::fromLatin1(kind) << 7;
        QTest::addRow("%s, 400 at a time", kind) << QString::fromLatin1(kind) << 400;
    }
}

void TestHistoryBox::rowsAsAPlainBoxShowsThem()
{
    QFETCH(QString, kind);
    QFETCH(int, chunk);
    const QString text = Text(kind);
    SideBySide pair(420);
    HistoryBox& box = pair.box;
    QPlainTextEdit& plain = pair.plain;
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    for (int at = 0; at < text.size(); at += chunk)
        box.appendText(text.mid(at, chunk));
    plain.setPlainText(text);
    QCOMPARE(box.shownText(), text);
    QCOMPARE(Rows(box), Rows(plain));
    QVERIFY(Rows(plain).size() > 40);
    // No block holds more than the last two rows of its line.
    QVERIFY2(MostRowsInABlock(box) <= 2, qPrintable(QString::number(MostRowsInABlock(box))));

    // Shown anew, part of it (the log cut), and added to again.
    const QString rest = text.mid(1999);
    box.showText(rest.left(1000));
    for (int at = 1000; at < rest.size(); at += chunk)
        box.appendText(rest.mid(at, chunk));
    plain.setPlainText(rest);
    QCOMPARE(box.shownText(), rest);
    QCOMPARE(Rows(box), Rows(plain));
    QVERIFY(MostRowsInABlock(box) <= 2);
}

void TestHistoryBox::anotherWidthBreaksTheRowsAnew_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("narrower") << 230;
    QTest::newRow("wider") << 700;
}

void TestHistoryBox::anotherWidthBreaksTheRowsAnew()
{
    QFETCH(int, width);
    const QString text = Text(QStringLiteral("words and lines"));
    SideBySide pair(420);
    HistoryBox& box = pair.box;
    QPlainTextEdit& plain = pair.plain;
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    for (int at = 0; at < text.size(); at += 50)
        box.appendText(text.mid(at, 50));
    box.moveCursor(QTextCursor::End);
    plain.setPlainText(text);
    QCOMPARE(Rows(box), Rows(plain));

    // At the end of the text, it stays there.
    QScrollBar* bar = box.verticalScrollBar();
    QVERIFY(EndInView(box));
    box.resize(width, 300);
    plain.resize(width, 300);
    QCoreApplication::processEvents();
    QCOMPARE(box.shownText(), text);
    QCOMPARE(Rows(box), Rows(plain));
    QVERIFY(EndInView(box));
    QCOMPARE(box.textCursor().position(), box.document()->characterCount() - 1);
    QVERIFY(MostRowsInABlock(box) <= 2);
    // Added to after it: rows as the plain box has them at this width.
    box.appendText(text.left(700));
    plain.setPlainText(text + text.left(700));
    QCOMPARE(Rows(box), Rows(plain));

    // Scrolled back: the character first in view stays in the first row in
    // view. (Where a position falls in the text: the length of a copy up
    // to it.)
    const QPoint firstRow(1, box.fontMetrics().height() / 2 + 4);
    bar->setValue(bar->maximum() / 2);
    const int top = Copied(box, 0, box.cursorForPosition(firstRow).position()).size();
    box.resize(420, 300);
    plain.resize(420, 300);
    QCoreApplication::processEvents();
    QCOMPARE(Rows(box), Rows(plain));
    QVERIFY(!EndInView(box));
    QTextCursor row = box.cursorForPosition(firstRow);
    const int rowStart = Copied(box, 0, row.position()).size();
    row.movePosition(QTextCursor::EndOfLine);
    const int rowEnd = Copied(box, 0, row.position()).size();
    QVERIFY2(rowStart <= top && top <= rowEnd, qPrintable(QStringLiteral("%1 in %2..%3").arg(top).arg(rowStart).arg(rowEnd)));
}

void TestHistoryBox::copyGivesTheText()
{
    const QString text = Text(QStringLiteral("words and lines"));
    SideBySide pair(420);
    HistoryBox& box = pair.box;
    QPlainTextEdit& plain = pair.plain;
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.appendText(text);
    plain.setPlainText(text);
    QCOMPARE(Rows(box), Rows(plain));
    if (!QApplication::clipboard())
        QSKIP("no clipboard");
    QCOMPARE(Copied(box, 0, box.document()->characterCount() - 1), text);
    // Rows and columns as they show: the same text from both boxes.
    for (const auto& [fromRow, fromColumn, toRow, toColumn] :
         {std::tuple{2, 5, 7, 2}, std::tuple{0, 0, 1, 0}, std::tuple{10, 3, 10, 9}, std::tuple{4, 0, 30, 1}}) {
        const QString copied = Copied(box, RowPosition(box, fromRow, fromColumn), RowPosition(box, toRow, toColumn));
        QCOMPARE(copied, Copied(plain, RowPosition(plain, fromRow, fromColumn), RowPosition(plain, toRow, toColumn)));
        QVERIFY(!copied.isEmpty());
    }
}

QTEST_MAIN(TestHistoryBox)
#include "tst_historybox.moc"
