#pragma once

#include "MotorRecord.h"
#include "Settings.h"

// The range of every number a configuration holds, in one table beside the
// drive image: all that the image carries for it, as the upload reads it
// (its field's span over its scale), which takes in all that its dialog
// admits (the step filter also takes what older files hold); settings the
// image does not carry take what the upload works out or their dialog
// admits. Whatever the program holds after an upload, a dialog's OK or an
// open lies within these ranges, so a file saved from it opens with the
// same values.
//
// Brings every number of the record into its range: what only a hand-made
// file can bring (a value beyond any field or box, a code past a list's
// end) gets the nearer end, so no later download, dialog or printout meets
// a value the program could not have held. Texts and codes that are not a
// range (the RS-485 address, the power-up mode) are the reader's to check.
void HoldInRanges(Settings& s);
void HoldInRanges(MotorRecord& m);
