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

namespace {

// The steps per unit when that is a whole number (100 for 0.01), else 0.
double wholeStepsPerUnit(const BoxScale& scale)
{
    const double perUnit = 1.0 / scale.step;
    return perUnit >= 1 && perUnit == static_cast<double>(RoundHalfEven(perUnit)) ? perUnit : 0;
}

}  // namespace

int ScalePosition(const BoxScale& scale, double value)
{
    if (!scale.hasSlider())
        return 0;
    // Multiply by the steps per unit where that is whole: 0.295 * 100 is
    // 29.5, which rounds to 30, while 0.295 / 0.01 is 29.499999999999996.
    const double perUnit = wholeStepsPerUnit(scale);
    return RoundToInt(perUnit > 0 ? value * perUnit : value / scale.step);
}

double PositionValue(const BoxScale& scale, int position)
{
    // Divide by the steps per unit where that is whole: 123 * 0.1 is
    // 12.300000000000001, 123 / 10 is 12.3.
    const double perUnit = wholeStepsPerUnit(scale);
    return perUnit > 0 ? position / perUnit : position * scale.step;
}
