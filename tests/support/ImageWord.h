#pragma once

#include <QByteArray>

// The 16-bit value at a place in a drive image, high byte first.
inline int ImageWord(const QByteArray& image, int at)
{
    return (static_cast<quint8>(image.at(at)) << 8) | static_cast<quint8>(image.at(at + 1));
}
