#pragma once

#include "BoxRule.h"
#include "Settings.h"

#include <QString>

// The encoder dialog's controls as values: what its opener puts in them and
// what its OK takes out. Stall prevention and stall detection are never both
// ticked: ticking one unticks the other (unticking one leaves the other).
struct EncoderForm {
    double counts = 8000;        // counts per turn
    double maxTorquePct = 100;   // torque utilisation at which prevention acts
    double hardStopMs = 20;      // stall time before a hard-stop fault
    bool cw = false;             // channel A leads B when the shaft turns cw
    bool singleEnded = false;
    bool stallPrevent = false;
    bool hardStopFault = false;
    bool stallDetect = false;

    // The boxes' clamps.
    static BoxRule CountsRule() { return {100, 65535, {}, {}}; }
    static BoxRule MaxTorqueRule() { return {10, 100, {}, {}}; }
    static BoxRule HardStopRule() { return {1, 32000, {}, {}}; }

    void tickStallPrevent(bool on);
    void tickStallDetect(bool on);

    // The opener: the controls set in the dialog's order, each running its
    // tick rule, so settings with both stall switches on open with only
    // detection ticked; the hard-stop fault shows ticked only together with
    // stall prevention in the settings.
    static EncoderForm FromSettings(const Settings& s);
    // OK: the boxes' numbers rounded to whole numbers, halves to even.
    void writeTo(Settings& s) const;
};

// The caption beside the counts: "counts/turn (1000 lines)", a line being
// four counts (a count that is not a multiple of 4 gives a fraction).
QString EncoderLinesCaption(double counts);
