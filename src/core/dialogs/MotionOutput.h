#pragma once

#include <QStringList>

// The motion output (Y2), which the velocity and the I/O dialogs both set:
// MotionOutputMode 1 open when the motor moves, 2 closed, 3 not used, 4 to 8
// a tach of 100 << (mode - 4) pulses/rev.
constexpr int FirstTachMode = 4;
constexpr int LastTachMode = 8;

// The tach rates (modes 4 to 8), as their lists show them.
QStringList TachRateNames();

// The motion output (Y2) as the dialogs' options show it.
enum class MotionOutputChoice { Open, Closed, Off, Tach };
struct MotionOutputSelection {
    MotionOutputChoice choice = MotionOutputChoice::Off;
    int tachIndex = -1;  // the tach rate entry; -1 leaves the list as it is
};
// The loader's view of MotionOutputMode: 1 open, 2 closed, other values
// below 4 not used, 4 and up a tach (entries 0 to 4 for 4 to 8, the first
// entry for anything larger).
MotionOutputSelection MotionOutputFromMode(int mode);
// What OK stores for the options: 2 closed, 4 + entry for a tach, 1 open,
// 3 not used.
int MotionOutputModeFrom(const MotionOutputSelection& selection);
