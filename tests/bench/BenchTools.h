#pragma once

#include <QStringList>

// Times the drive tools over a pseudo-terminal against the simulated drive,
// once with a drive that writes each reply whole and once with one that
// sends a byte at a time at the rate of a 9600-baud line: the processor time
// of an open status monitor and of the terminal taking in text, the time
// from a typed Enter in the terminal to the command's last byte at the
// drive, and a burst of 20,000 power-up greetings to each tool that talks
// to the drive (each burst in a process of its own, so that a crash is
// reported rather than ending the benchmark). False when the pseudo-terminal
// could not be set up.
bool BenchDriveTools();

// Only the terminal taking in text, paced and unpaced (scripts/bench
// --terminal): false when the pseudo-terminal could not be set up.
bool BenchTerminalReceiving();

// Times the motor dialog with 10,000 motors in the database: its first
// opening to painted and its motor list's drop-down.
void BenchMotorDialog();

// Peak memory with every window of the program opened once, measured in a
// process of its own (this program started again). Called first in main:
// in that process it measures, prints and returns its exit code (0 or
// more); in the calling process it returns -1 when the figures were
// printed, -2 when the measurement failed.
int BenchMemory(int argc, char* argv[]);

// The benchmark's own child process for one greeting burst: true when the
// arguments asked for one (it then ran and printed its figures).
bool RunGreetingBurstIfAsked(const QStringList& arguments, int* exitCode);
