#pragma once

#include "DeviceSerialPort.h"
#include "LinkRig.h"
#include "LinkStack.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"

// The link with a drive behind it that speaks TMX text: in memory, or over
// a real pseudo-terminal opened as COM1 with the device backend.
struct MemoryTmxRig : LinkRig {
    SimulatedTmx tmx{drive};
    bool ready() const { return port.isOpen(); }
};

struct PtyTmxRig : LinkStack<DeviceSerialPort> {
    PtyTmxRig()
    {
        qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
        opened = link.StartComm();
    }
    SimulatedDrive drive;
    SimulatedTmx tmx{drive};
    int opened = 0;
    bool ready() const { return drive.isPresent() && opened == 1; }
};
