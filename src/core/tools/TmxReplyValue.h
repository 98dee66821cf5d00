#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// The value in a drive's reply to a TMX query, found in everything that was
// received: the number that the text between the first "=" and the first
// carriage return after it begins with (0 when it begins with none),
// rounded to a whole number. No value when either mark is missing, or when
// the number lies outside [min, max], the range of the type it is kept in.
std::optional<qint64> TmxReplyValue(const QByteArray& received, qint64 min, qint64 max);
