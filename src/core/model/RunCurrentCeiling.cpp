#include "RunCurrentCeiling.h"

#include <cmath>

double RunCurrentCeiling(float maxRunCurrent)
{
    if (!(maxRunCurrent > 0))
        return 0;
    double hundredths = std::nearbyint(static_cast<double>(maxRunCurrent) * 100);
    // Rounded up past the limit: one hundredth less.
    if (static_cast<float>(hundredths / 100) > maxRunCurrent)
        hundredths -= 1;
    return hundredths / 100;
}
