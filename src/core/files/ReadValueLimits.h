#pragma once

#include "MotorRecord.h"
#include "Settings.h"

// What reading a configuration file does to the values it brings. Two
// rules are the file format's own: a step filter of 0 Hz is read as 1 Hz,
// and a noise filter below 100 Hz as 2000 Hz (above 15000 Hz as 15000).
// Every other number is compared only with what the program can hold
// (SettingRanges.h: what the drive image carries or a dialog admits), so
// a file written from any configuration opens with the same values; only
// what a hand-made file brings beyond that is brought into range. Names
// lose control characters and the RS-485 address is one printable
// character, so no file can make a later download, dialog or printout fail.
void LimitReadSettings(Settings& s);

// The same for a motor that a file brings for the motor database.
void LimitReadMotor(MotorRecord& m);
