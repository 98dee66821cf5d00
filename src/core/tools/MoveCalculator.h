#pragma once

#include <QString>
#include <QStringList>

// The move calculator: the shortest distance, in steps, over which a move at
// a velocity (rev/s) can stop at a deceleration (rev/s/s) with a motor
// resolution (steps/rev), v^2 / 2a revolutions rounded to the nearest step.
// This is the least distance a feed-to-sensor move needs.

// The resolutions offered, in list order, and the one chosen at first.
QStringList ResolutionChoices();
constexpr int DefaultResolutionRow = 8;  // "20000"
// The texts the velocity and deceleration boxes start with.
inline QString DefaultVelocityText() { return QStringLiteral("1"); }
inline QString DefaultDecelText() { return QStringLiteral("25"); }

// What the result shows for the typed texts (each counts as the number it
// begins with, 0 when none): a whole number of steps, at least 1, in plain
// digits up to 15 of them and in exponent form beyond (1E+15), or "N/A"
// when no distance follows (a deceleration of 0 or below, or a result too
// large to be a number).
QString MinimumDistanceText(const QString& velocity, const QString& decel, const QString& resolution);
