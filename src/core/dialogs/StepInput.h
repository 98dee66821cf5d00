#pragma once

#include "BoxRule.h"

struct Settings;

// The step-input settings of stand-alone step positioning and of the
// serial modes' power-up step mode: what their boxes admit and how the
// dialogs move them between the settings and their controls.

// Steps per revolution: 200 to 51200, rounded down to a multiple of the
// given step (4 for stand-alone step input, 2 in the serial modes).
BoxRule StepsPerRevRule(int multiple);

// The step smoothing filter in Hz. The image keeps it in tenths of a hertz
// in 16 bits, so 6553 Hz is the most the drive can be sent.
constexpr int StepFilterMaxHz = 6553;
constexpr int SerialStepFilterMaxHz = 2500;
BoxRule StepFilterRule(int maxHz);

// The input noise filter can only be 15 kHz divided by a whole number N
// (1 to 150): a typed value in kHz is clamped into 0.1 to 15 and snapped to
// the nearest such value, rounded to whole hertz (2 -> 1.875, 0.7 -> 0.714).
double SnapNoiseFilterKHz(double kHz);
BoxRule NoiseFilterRule();
// The box's kHz as the setting's whole hertz.
int NoiseFilterHzFromKHz(double kHz);

// What the step-input controls show and what their OK takes.
struct StepInputValues {
    int pulseType = 0;        // 0 pulse & direction, 1 CW/CCW pulse, 2 quadrature
    bool dirBLeadsA = false;  // direction option "B leads A"
    double stepsPerRev = 0;
    double stepFilterHz = 0;
    double noiseFilterKHz = 0;
};

// The settings as the controls show them; an unknown pulse type shows as
// pulse & direction.
StepInputValues StepInputFromSettings(const Settings& s);
// The step-input part of an OK: the five settings, numbers rounded to whole
// units (halves to even). The operating and control modes are the caller's.
void StoreStepInput(const StepInputValues& v, Settings& s);

// What the step-input dialog's OK does: the step input, then stand-alone
// step positioning.
void StorePulseDir(const StepInputValues& v, Settings& s);
