#pragma once

#include <QString>
#include <cstdint>

// The version of the program that wrote a configuration file, from the
// file's first line. Items added to the format later are read only from
// files of a version that has them.
struct FileVersion {
    std::int16_t major = 0;
    std::int16_t minor = 0;
    std::int16_t revision = 0;

    // "0.0.N or later": every 1.x or 0.1 file counts as newer than any 0.0.N.
    bool atLeast0_0(int n) const { return major >= 1 || minor >= 1 || revision >= n; }
};

// "1" -> 1.0.0, "1.0" -> 1.0.0, "0.0.43" -> 0.0.43. Each part is a number
// rounded to a 16-bit integer; false (and an explanation) when a part is not
// a number or does not fit.
bool ParseVersion(const QString& text, FileVersion* version, QString* error = nullptr);
