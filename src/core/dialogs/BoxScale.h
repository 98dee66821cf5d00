#pragma once

#include "BoxRule.h"

#include <QString>

// One number box of a settings dialog and, when it has one, the slider
// beside it. The slider holds the number in fixed steps: position x stands
// for x * step. Leaving the box clamps the text into [min, max].
struct BoxScale {
    // How the box writes a number.
    enum Text { Plain = -1, Whole = 0, TwoDecimals = 2 };

    const char* name;  // control name of the box
    double min;
    double max;
    int text;          // Plain, Whole (rounded, halves to even) or fixed decimals
    // The slider; step 0 for a box without one.
    double step = 0;
    int sliderMin = 0;
    int sliderMax = 0;
    int largeStep = 0;
    int smallStep = 0;
    int tickEvery = 0;

    bool hasSlider() const { return step > 0; }
};

// The rule a box of this scale applies when it is left.
BoxRule ScaleRule(const BoxScale& scale);
// A number as the box shows it.
QString ScaleText(const BoxScale& scale, double value);
// The slider position that holds a number (rounded, not clamped), and the
// number a position stands for.
int ScalePosition(const BoxScale& scale, double value);
double PositionValue(const BoxScale& scale, int position);
