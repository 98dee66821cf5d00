#include "BoxScale.h"

#include "Rounding.h"

BoxRule ScaleRule(const BoxScale& scale)
{
    BoxRule rule{scale.min, scale.max, {}, {}};
    if (scale.text == BoxScale::Whole)
        rule.adjust = [](double v) { return static_cast<double>(RoundHalfEven(v)); };
    rule.format = [scale](double v) { return ScaleText(scale, v); };
    return rule;
}

QString ScaleText(const BoxScale& scale, double value)
{
    if (scale.text == BoxScale::Whole)
        return QString::number(RoundHalfEven(value));
    if (scale.text > 0)
        return QString::number(value, 'f', scale.text);
    return BoxText(value);
}

int ScalePosition(const BoxScale& scale, double value)
{
    return scale.hasSlider() ? RoundToInt(value / scale.step) : 0;
}

double PositionValue(const BoxScale& scale, int position)
{
    // Divide by the steps per unit where that is whole: 123 * 0.1 is
    // 12.300000000000001, 123 / 10 is 12.3.
    const double perUnit = 1.0 / scale.step;
    if (perUnit >= 1 && perUnit == static_cast<double>(RoundHalfEven(perUnit)))
        return position / perUnit;
    return position * scale.step;
}
