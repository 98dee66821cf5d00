#pragma once

#include <QString>

// The one number format of configuration files and printouts: "." as the
// decimal point whatever the user's locale, no point for a whole value, and
// an exponent form (1.65E-05, 1E+15) for values too small or too large to
// show in plain digits within the precision.

// A double, with at most 15 significant digits.
QString GeneralNumber(double x);
// A single-precision value, with at most 7 significant digits.
QString GeneralSingle(float x);
// The printed form of a number: a blank (or "-" when negative), the number
// in general format and a trailing blank ("50" -> " 50 ", -2.5 -> "-2.5 ").
QString PrintedNumber(double x);

// The inverse: reads a whole text as a number. Accepted: an optional "-",
// digits with an optional "." (digits before it may be missing: ".3125"),
// and an optional exponent part ("E-05", "e+3"). Anything else, and values
// beyond the range of a double, give false.
bool ReadGeneralNumber(QStringView text, double* value);
