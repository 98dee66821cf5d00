#pragma once

#include "MotorRecord.h"
#include "Settings.h"

// Brings values that come from outside (a configuration file) into the
// ranges the dialogs and the upload keep them in: every code and list index
// within its list, every number within its dialog's limits (or, where no
// dialog limits it, within what the drive image can carry), filters above 0,
// names without control characters and the RS-485 address one printable
// character. So no file can make a later download, dialog or printout fail.
void LimitReadSettings(Settings& s);

// The same for a motor that a file brings for the motor database.
void LimitReadMotor(MotorRecord& m);
