#pragma once

#include "DeviceSerialPort.h"
#include "LinkStack.h"
#include "SimulatedDrive.h"

// The link as the program wires it, on a real pseudo-terminal with the
// simulated drive at its far end: COM1 stands for the terminal, and the
// link is started (`opened` holds the port StartComm opened).
template <typename PromptKind = ScriptedPrompt>
struct BasicPtyLinkRig : LinkStack<DeviceSerialPort, PromptKind> {
    using LinkStack<DeviceSerialPort, PromptKind>::link;
    BasicPtyLinkRig()
    {
        qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
        opened = link.StartComm();
    }
    SimulatedDrive drive;
    int opened = 0;
};
using PtyLinkRig = BasicPtyLinkRig<>;
