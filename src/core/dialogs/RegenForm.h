#pragma once

#include "BoxRule.h"
#include "Settings.h"

#include <QString>

// The regen dialog's controls as values. The three numbers are stored
// whichever resistor is chosen: with the internal one they are the last
// external values, which the drive image then ignores.
struct RegenForm {
    bool external = false;
    double watts = 50;
    double ohms = 40;
    double secs = 0.3125;   // how long the resistor takes its peak

    static BoxRule WattsRule() { return {50, 1000, {}, {}}; }
    static BoxRule OhmsRule() { return {5, 1000, {}, {}}; }
    static BoxRule SecsRule() { return {0.01, 8, {}, {}}; }

    // The internal resistor's fixed values, as the dialog shows them.
    static QString InternalWatts() { return QStringLiteral("50"); }
    static QString InternalOhms() { return QStringLiteral("40"); }
    static QString InternalSecs() { return QStringLiteral(".3125"); }

    static RegenForm FromSettings(const Settings& s);
    void writeTo(Settings& s) const;
};
