#include "ItemScanner.h"

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

}  // namespace

bool ItemScanner::atLineEnd() const
{
    return m_pos < m_text.size() && (m_text[m_pos] == u'\r' || m_text[m_pos] == u'\n');
}

void ItemScanner::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
    ++m_line;
}

void ItemScanner::skipBlanks()
{
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
        ++m_pos;
}

bool ItemScanner::next(bool wholeText, Item* item)
{
    skipBlanks();
    if (m_pos >= m_text.size())
        return false;
    *item = Item();
    item->line = m_line;
    const qsizetype n = m_text.size();

    if (m_text[m_pos] == u'"') {
        item->quoted = true;
        ++m_pos;
        bool closed = false;
        while (m_pos < n && !atLineEnd()) {
            const QChar c = m_text[m_pos++];
            if (c != u'"') {
                item->text += c;
            } else if (m_pos < n && m_text[m_pos] == u'"') {
                item->text += c;
                ++m_pos;
            } else {
                closed = true;
                break;
            }
        }
        item->unterminated = !closed;
        while (m_pos < n && m_text[m_pos] != u',' && !atLineEnd())
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < n && m_text[m_pos] != u',' && !atLineEnd() && (wholeText || !IsBlank(m_text[m_pos])))
            ++m_pos;
        item->text = m_text.mid(start, m_pos - start).toString();
        if (wholeText)
            item->text = item->text.trimmed();
        skipBlanks();
    }

    if (m_pos < n && m_text[m_pos] == u',')
        ++m_pos;
    else if (atLineEnd())
        skipLineEnd();
    return true;
}
