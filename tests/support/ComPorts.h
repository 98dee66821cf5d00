#pragma once

#include <QString>

// Where the program finds its COM ports in tests: COM1 is the given device
// (a simulated drive's pseudo-terminal, or a path that does not exist) and
// COM2 to COM8 do not exist.
void PointComPortsAt(const QString& com1);
// Back to the program's own devices for COM1 to COM8.
void ForgetComPorts();
