#pragma once

#include "MotorRecord.h"

#include <QString>
#include <QStringList>

// The members of a MotorRecord by name, as SettingsFields has them for the
// settings: "current", "Torque", "inertia", "PWMmaxPct", "R", "L",
// "harmonicGain", "harmonicPhase", "TorqueUnit", "InertiaUnit",
// "leadangleDeg", "leadangleRps", and "partNumber" (text).

// A numeric member's value; NaN for a name that is not one.
double MotorFieldNumber(const MotorRecord& m, const QString& name);

// The members in which a and b differ ("name: a-value != b-value"): numbers
// by more than `relative` times a's value, the part number at all.
QStringList DifferingMotorFields(const MotorRecord& a, const MotorRecord& b, double relative = 0);
