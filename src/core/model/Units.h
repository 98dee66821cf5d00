#pragma once

#include <QString>

// Torque and inertia units in which motors are described, their conversions
// to SI units, and the small number helpers the dialogs share.

// Torque unit codes: 0 "oz in", 1 "lb in", 2 "g cm", 3 "kg cm", any other "N m".
QString TorqueUnitName(int code);
double TorqueToNm(double value, int code);

// Inertia unit codes: 0 "oz in sec2", 1 "g cm2", 2 "kg cm2", any other "kg m2".
QString InertiaUnitName(int code);
double InertiaToKgm2(double value, int code);
double InertiaFromKgm2(double value, int code);

// A number formatted with a pattern chosen by its size (12.34 -> "12.3",
// 0.5 -> ".5", 0.0070616 -> ".007062").
QString FormatSig(double x);

// The leading number of a typed text ("12abc" -> 12, "" -> 0), clamped into
// [min, max]. "." is the decimal point whatever the user's locale.
double LimitVal(const QString& text, double min, double max);
// The same clamp for a number that is already a number.
double LimitVal(double value, double min, double max);

// The leading number of a text, blanks ignored, 0 when it has none.
double LeadingNumber(const QString& text);
