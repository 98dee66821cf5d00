#include "Characters.h"

#include <QTextBoundaryFinder>

QStringList Characters(const QString& text)
{
    QStringList out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = finder.toNextBoundary();
        if (end <= start)
            end = text.size();
        out.append(text.mid(start, end - start));
        start = end;
    }
    return out;
}

int CharacterCount(const QString& text)
{
    return static_cast<int>(Characters(text).size());
}

QString FirstCharacters(const QString& text, int count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (int i = 0; i < count && end < text.size(); ++i) {
        const qsizetype next = finder.toNextBoundary();
        end = next <= end ? text.size() : next;
    }
    return text.left(end);
}
