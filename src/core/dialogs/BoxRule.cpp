#include "BoxRule.h"

#include "NumberText.h"
#include "Units.h"

double BoxRule::value(const QString& text) const
{
    double v = LimitVal(text, min, max);
    if (adjust)
        v = adjust(v);
    return v;
}

QString BoxRule::normalised(const QString& text) const
{
    const double v = value(text);
    return format ? format(v) : BoxText(v);
}

std::optional<double> UntouchedValue(const QString& text, bool edited, double filledValue)
{
    double ignored = 0;
    if (edited || !ReadGeneralNumber(text, &ignored))
        return std::nullopt;
    return filledValue;
}

QString BoxText(double value)
{
    return GeneralNumber(value);
}
