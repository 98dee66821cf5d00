#include "Units.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// A unit and its factor to the SI unit: si = value * mul / div. Keeping the
// divisor apart lets "oz in" use the exact 141.6 the drive figures use.
struct UnitRow {
    const char* name;
    double mul;
    double div;
};

// Index = unit code; any code past the end means the last row.
const UnitRow TorqueUnits[] = {
    {"oz in", 1.0, 141.6},
    {"lb in", 0.113, 1.0},
    {"g cm", 9.8066e-05, 1.0},
    {"kg cm", 0.098066, 1.0},
    {"N m", 1.0, 1.0},
};

const UnitRow InertiaUnits[] = {
    {"oz in sec2", 0.0070616, 1.0},
    {"g cm2", 1.0, 10000000.0},
    {"kg cm2", 1.0, 10000.0},
    {"kg m2", 1.0, 1.0},
};

template <std::size_t N>
const UnitRow& unitRow(const UnitRow (&table)[N], int code)
{
    if (code < 0 || code >= static_cast<int>(N))
        return table[N - 1];
    return table[code];
}

// FormatSig's patterns, first matching row wins; the last row takes the rest
// (zero, negative values and NaN).
struct SigRow {
    double atLeast;
    const char* pattern;
};

const SigRow SigPatterns[] = {
    {1000000, "#######"},
    {100000, "######"},
    {10000, "#####"},
    {1000, "####"},
    {100, "###"},
    {10, "##.0"},
    {1, "#.0##"},
    {0.1, ".0###"},
    {0.01, ".00###"},
    {0.001, ".000###"},
    {0.0001, ".0000###"},
    {-HUGE_VAL, ".00000###"},
};

// x with exactly `decimals` digits after the point, "." as the point,
// rounded as the numeric format patterns round: on the decimal the number
// stands for (its shortest digits that read back as the same double), an
// exact half away from zero. 12.25 gives 12.3 and 4338.5 gives 4339,
// although 12.25 * 10 and a tie-to-even rounding would say otherwise.
QString fixedDigits(double x, int decimals)
{
    if (!std::isfinite(x))
        return QString::number(x, 'f', decimals);
    // d1.d2d3...e±E: the digits and the place of the point after them.
    const QString shortest = QString::number(std::fabs(x), 'e', QLocale::FloatingPointShortest);
    const qsizetype e = shortest.indexOf(QLatin1Char('e'));
    QString digits = shortest.left(e);
    digits.remove(QLatin1Char('.'));
    int point = shortest.mid(e + 1).toInt() + 1;  // digits before the point
    // Keep the digits up to `decimals` after the point; the next one rounds.
    const int keep = point + decimals;
    if (keep < 0) {
        digits.clear();
    } else {
        const bool up = keep < digits.size() && digits.at(keep) >= QLatin1Char('5');
        digits.truncate(keep);
        digits = digits.leftJustified(keep, QLatin1Char('0'));
        if (up) {
            qsizetype i = digits.size() - 1;
            while (i >= 0 && digits.at(i) == QLatin1Char('9'))
                digits[i--] = QLatin1Char('0');
            if (i >= 0) {
                digits[i] = QChar(digits.at(i).unicode() + 1);
            } else {
                digits.prepend(QLatin1Char('1'));
                ++point;
            }
        }
    }
    // Zeros in front until there is a digit before the point.
    const int before = std::max(point, 1);
    digits = digits.rightJustified(before + decimals, QLatin1Char('0'));
    QString text = digits.left(before);
    if (decimals > 0)
        text += QLatin1Char('.') + digits.mid(before);
    return (std::signbit(x) ? QStringLiteral("-") : QString()) + text;
}

// Applies a numeric pattern of '#' (optional digit), '0' (required digit)
// and '.': the integer part shows as many digits as it needs, but no lone 0
// unless the pattern asks for one; the fraction shows its required digits and
// as many optional ones as are not trailing zeros.
QString applyPattern(double x, const QString& pattern)
{
    const int point = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? pattern : pattern.left(point);
    const QString fracPart = point < 0 ? QString() : pattern.mid(point + 1);
    const int required = static_cast<int>(fracPart.count(QLatin1Char('0')));
    const int decimals = static_cast<int>(fracPart.size());

    QString text = fixedDigits(x, decimals);
    if (!std::isfinite(x))
        return text;
    if (decimals > 0) {
        const int dot = static_cast<int>(text.indexOf(QLatin1Char('.')));
        int keep = static_cast<int>(text.size());
        while (keep - dot - 1 > required && text.at(keep - 1) == QLatin1Char('0'))
            --keep;
        text.truncate(keep);
        if (keep - dot - 1 == 0)
            text.truncate(dot);
    }
    const bool negative = text.startsWith(QLatin1Char('-'));
    QString digits = negative ? text.mid(1) : text;
    if (!intPart.contains(QLatin1Char('0')) && digits.startsWith(QLatin1Char('0'))
        && digits.size() > 1 && digits.at(1) == QLatin1Char('.'))
        digits.remove(0, 1);
    // A value that rounds to zero keeps no minus sign.
    const bool allZero = !digits.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (negative && !allZero ? QStringLiteral("-") : QString()) + digits;
}

}  // namespace

QString TorqueUnitName(int code)
{
    return QString::fromLatin1(unitRow(TorqueUnits, code).name);
}

double TorqueToNm(double value, int code)
{
    const UnitRow& u = unitRow(TorqueUnits, code);
    return value * u.mul / u.div;
}

QString InertiaUnitName(int code)
{
    return QString::fromLatin1(unitRow(InertiaUnits, code).name);
}

double InertiaToKgm2(double value, int code)
{
    const UnitRow& u = unitRow(InertiaUnits, code);
    return value * u.mul / u.div;
}

double InertiaFromKgm2(double value, int code)
{
    const UnitRow& u = unitRow(InertiaUnits, code);
    return value * u.div / u.mul;
}

QString FormatSig(double x)
{
    for (const SigRow& row : SigPatterns) {
        if (x >= row.atLeast)
            return applyPattern(x, QString::fromLatin1(row.pattern));
    }
    return applyPattern(x, QString::fromLatin1(std::prev(std::end(SigPatterns))->pattern));
}

double LimitVal(double value, double min, double max)
{
    if (std::isnan(value) || value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

double LimitVal(const QString& text, double min, double max)
{
    return LimitVal(LeadingNumber(text), min, max);
}

double LeadingNumber(const QString& text)
{
    // Blanks anywhere are ignored, as the typed boxes always allowed; then the
    // longest leading [sign] digits [. digits] [e [sign] digits] is the number.
    QString t;
    t.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r')
            && c != QLatin1Char('\n'))
            t.append(c);
    }
    int i = 0;
    const int n = static_cast<int>(t.size());
    auto isDigit = [&](int k) { return k < n && t.at(k) >= QLatin1Char('0') && t.at(k) <= QLatin1Char('9'); };
    if (i < n && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (isDigit(i)) { ++i; ++digits; }
    if (i < n && t.at(i) == QLatin1Char('.')) {
        ++i;
        while (isDigit(i)) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    if (i < n && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (t.at(j) == QLatin1Char('+') || t.at(j) == QLatin1Char('-')))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            end = j;
        }
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(QStringView(t).left(end), &ok);
    if (ok)
        return v;
    // Out of the double range: the nearest representable magnitude.
    return std::isinf(v) ? v : 0.0;
}
