#pragma once

#include <cmath>
#include <cstdint>

// Every conversion of a number to an integer in this program rounds to the
// nearest integer, halves to even (2.5 -> 2, 3.5 -> 4), as the drive expects.
inline std::int64_t RoundHalfEven(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 9.2e18)
        return INT64_MAX;
    if (x <= -9.2e18)
        return INT64_MIN;
    return static_cast<std::int64_t>(std::nearbyint(x));  // default FE_TONEAREST
}

// RoundHalfEven, saturated into the range of a 32-bit integer.
inline int RoundToInt(double x)
{
    const std::int64_t r = RoundHalfEven(x);
    if (r > INT32_MAX)
        return INT32_MAX;
    if (r < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(r);
}
