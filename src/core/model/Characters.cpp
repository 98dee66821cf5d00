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
