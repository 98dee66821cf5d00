#pragma once

#include "BoxRule.h"
#include "Settings.h"

#include <QStringList>

// The I/O dialog's controls as values. The option groups hold the code of
// the selected option (the codes the settings use); no option, box or list
// enables or hides another.
struct IOForm {
    // The motion output's options; a tach takes its rate from tachRow.
    enum Motion { MotionOpen = 1, MotionClosed = 2, MotionOff = 3, MotionTach = 4 };

    int enableOption = 1;        // 1 open to enable, 2 closed to enable, 3 automatically
    bool alarmInput = false;     // the AlarmReset input clears a fault by closing
    int alarmOutput = 1;         // 1 close on fault, 2 open on fault, 3 neither
    bool brake = false;          // the brake output is used
    bool brakeOpen = false;      // it releases by opening (else by closing)
    double brakeReleaseMs = 200;
    double brakeEngageMs = 200;
    int motion = MotionOff;
    int tachRow = 0;             // 100, 200, 400, 800, 1600 pulses/rev
    int limitRow = 0;            // limit inputs at the end of travel: closed, open, not used
    double maxDecel = 5000;      // rev/s/s, at limits and faults

    static BoxRule BrakeDelayRule() { return {0, 32000, {}, {}}; }
    // Whole numbers only.
    static BoxRule MaxDecelRule();

    static QStringList TachRows();
    static QStringList LimitRows();

    // The opener. A brake that is not used leaves the brake options as they
    // were, and a motion output that is no tach leaves the tach row, as the
    // controls kept them from the last opening.
    void fill(const Settings& s);
    // OK: the delays rounded to whole numbers, halves to even. A reset mode
    // of 2 (open to reset), which only a file or a drive brings, is not
    // offered: it is stored as 3.
    void writeTo(Settings& s) const;
};
