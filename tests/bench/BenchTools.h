#pragma once

// Times the drive tools over a pseudo-terminal against the simulated drive:
// the processor time of an open status monitor, and the time from a typed
// Enter in the terminal to the command's last byte at the drive. False when
// the pseudo-terminal could not be set up.
bool BenchDriveTools();

// Times the motor dialog with 10,000 motors in the database: its first
// opening to painted and its motor list's drop-down.
void BenchMotorDialog();

// Peak memory with every window of the program opened once, measured in a
// process of its own (this program started again). Called first in main:
// in that process it measures, prints and returns its exit code (0 or
// more); in the calling process it returns -1 when the figures were
// printed, -2 when the measurement failed.
int BenchMemory(int argc, char* argv[]);
