#pragma once

#include "Rounding.h"

// The window layouts are given in twips (1/1440 inch): 15 twips to a pixel
// on a normal-density screen.
constexpr int TwipsPerPixel = 15;

inline int Twips(int twips)
{
    return RoundToInt(static_cast<double>(twips) / TwipsPerPixel);
}
