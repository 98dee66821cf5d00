#include "NumberText.h"

#include <cmath>

namespace {

QString General(double x, int digits)
{
    // A negative zero would come out as "-0", which no reader expects.
    if (x == 0.0)
        return QStringLiteral("0");
    // 'G' switches to the exponent form below 1E-04 and from 10^digits on,
    // drops trailing zeros and the point of a whole value, and never uses
    // the locale: exactly the form the files and printouts need.
    return QString::number(x, 'G', digits);
}

}  // namespace

QString GeneralNumber(double x)
{
    return General(x, 15);
}

QString GeneralSingle(float x)
{
    return General(static_cast<double>(x), 7);
}

QString PrintedNumber(double x)
{
    const QString sign = std::signbit(x) && x != 0.0 ? QStringLiteral("-") : QStringLiteral(" ");
    return sign + General(std::fabs(x), 15) + QLatin1Char(' ');
}

bool ReadGeneralNumber(QStringView text, double* value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype at) { return at < n && text[at] >= u'0' && text[at] <= u'9'; };
    if (i < n && text[i] == u'-')
        ++i;
    qsizetype digits = 0;
    while (isDigit(i)) { ++i; ++digits; }
    if (i < n && text[i] == u'.') {
        ++i;
        while (isDigit(i)) { ++i; ++digits; }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            ++i;
    }
    if (i != n)
        return false;
    // The syntax is checked above; the conversion itself is the C locale's,
    // so a user's decimal comma never matters.
    bool ok = false;
    const double x = text.toString().toDouble(&ok);
    if (!ok || !std::isfinite(x))
        return false;
    *value = x;
    return true;
}
