#include "MoveCalculator.h"

#include "NumberText.h"
#include "Units.h"

#include <cmath>

QStringList ResolutionChoices()
{
    return {"200", "400", "1000", "2000", "5000", "10000", "12800", "18000",
            "20000", "21600", "25000", "25400", "25600", "36000", "50000", "50800"};
}

QString MinimumDistanceText(const QString& velocity, const QString& decel, const QString& resolution)
{
    const QString notAvailable = QStringLiteral("N/A");
    const double ve = LeadingNumber(velocity);
    const double de = LeadingNumber(decel);
    const double r = LeadingNumber(resolution);
    // A move never stops without deceleration; a negative one would give a
    // negative distance that the minimum of one step would hide.
    if (!(de > 0.0))
        return notAvailable;
    double d = std::floor(ve * ve / 2.0 / de * r + 0.5);
    if (!std::isfinite(d))
        return notAvailable;
    if (d < 1.0)
        d = 1.0;
    // A double holds about 15 digits: a distance beyond them shows in the
    // program's number form (4E+302), not as hundreds of digits of noise.
    return GeneralNumber(d);
}
