#include "LinkRig.h"

#include <QCoreApplication>

void LinkRig::arrive(const QByteArray& data, int chunk)
{
    port.feed(data, chunk);
    // One pass per arrival, and one more for what the receive path posts.
    const qsizetype passes = chunk > 0 ? data.size() / chunk + 2 : 2;
    for (qsizetype i = 0; i < passes; ++i)
        QCoreApplication::processEvents();
}

QByteArray LinkRig::bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}
