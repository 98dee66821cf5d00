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

bool ItemScanner::readUndoubled(Item* item)
{
    // Older writers put a quote inside a text as it was, so a '"' address
    // became """, which read with doubled quotes never ends. Such a text is
    // read as those writers meant it: the item up to the next comma, inside
    // its outer quotes; failing that, up to the next quote on the line.
    auto endsLine = [&](qsizetype at) { return m_text[at] == u'\r' || m_text[at] == u'\n'; };
    const qsizetype n = m_text.size();
    qsizetype end = m_pos;
    while (end < n && m_text[end] != u',' && !endsLine(end))
        ++end;
    if (end > m_pos && m_text[end - 1] == u'"') {
        item->text = m_text.mid(m_pos, end - 1 - m_pos).toString();
        m_pos = end;
        return true;
    }
    qsizetype quote = m_pos;
    while (quote < n && m_text[quote] != u'"' && !endsLine(quote))
        ++quote;
    if (quote >= n || m_text[quote] != u'"') {
        item->text.clear();
        return false;
    }
    item->text = m_text.mid(m_pos, quote - m_pos).toString();
    m_pos = quote + 1;
    return true;
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
        const qsizetype inside = m_pos;
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
        if (!closed) {
            m_pos = inside;
            closed = readUndoubled(item);
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
