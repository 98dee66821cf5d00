#pragma once

// Times the drive tools over a pseudo-terminal against the simulated drive:
// the processor time of an open status monitor, and the time from a typed
// Enter in the terminal to the command's last byte at the drive. False when
// the pseudo-terminal could not be set up.
bool BenchDriveTools();

// Times the motor dialog with 10,000 motors in the database: its first
// opening to painted and its motor list's drop-down.
void BenchMotorDialog();
