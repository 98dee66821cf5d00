#pragma once

#include "MotorRecord.h"

#include <QString>

// A plausible database motor for tests: 118 oz in, 300 g cm2, 94.1 % PWM,
// lead angle 120 degrees at 25 rev/s, smoothing gain 200 and phase -6,
// windings 1.5 ohm / 2.5 mH.
MotorRecord SampleMotor(const QString& partNumber, double current = 2.0);
