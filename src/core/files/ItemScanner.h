#pragma once

#include <QString>
#include <QStringView>

// Splits the text of a configuration file into items, one after another. A
// line end separates items like a comma and an item never runs on into the
// next line, so which line an item stands on does not matter, only the order.
class ItemScanner {
public:
    explicit ItemScanner(QStringView text) : m_text(text) {}

    struct Item {
        QString text;
        bool quoted = false;
        bool unterminated = false;  // a quote that the line never closes
        int line = 0;               // 1-based line of the file it started on
    };

    // The next item, false at the end of the text. Blanks before an item are
    // skipped. A quoted item runs to the closing quote ("" inside stands for
    // one quote) and whatever follows it up to the next comma or line end is
    // skipped; a text whose doubled quotes never close on its line is taken
    // as one an older writer left its quotes in. An unquoted number or
    // boolean ends at a comma, a blank or a line end, and the blanks after it
    // count with a following comma as one separator; an unquoted text
    // (`wholeText`) ends only at a comma or a line end.
    bool next(bool wholeText, Item* item);

private:
    bool atLineEnd() const;
    void skipLineEnd();
    void skipBlanks();
    bool readUndoubled(Item* item);

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};
