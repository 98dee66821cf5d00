#pragma once

#include "MotorRecord.h"
#include "Settings.h"

#include <QRandomGenerator>

// A random configuration: every field of the settings table drawn from its
// user range (integers whole, texts of printable characters without trailing
// blanks, never empty when the range allows a character), with the motion
// mode fields a consistent combination a user can reach.
Settings RandomSettings(QRandomGenerator& rng);

// A random database motor with values a motor database holds.
MotorRecord RandomMotor(QRandomGenerator& rng);

// Random printable text (blank..tilde) of a length in [minLength, maxLength],
// without trailing blanks.
QString RandomText(QRandomGenerator& rng, int minLength, int maxLength);
