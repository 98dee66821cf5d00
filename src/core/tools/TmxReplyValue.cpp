#include "TmxReplyValue.h"

#include "Rounding.h"
#include "Units.h"

#include <QString>

std::optional<qint64> TmxReplyValue(const QByteArray& received, qint64 min, qint64 max)
{
    const qsizetype equals = received.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    const qsizetype cr = received.indexOf('\r', equals);
    if (cr < 0)
        return std::nullopt;
    const double number = LeadingNumber(QString::fromLatin1(received.mid(equals + 1, cr - equals - 1)));
    // Compared before rounding, so that a number past the 64-bit range is
    // not saturated into it.
    if (!(number >= static_cast<double>(min) - 0.5 && number <= static_cast<double>(max) + 0.5))
        return std::nullopt;
    const qint64 value = RoundHalfEven(number);
    if (value < min || value > max)
        return std::nullopt;
    return value;
}
