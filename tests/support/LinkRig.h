#pragma once

#include "LinkStack.h"
#include "MemorySerialPort.h"
#include "SimulatedDrive.h"

#include <memory>

// The link as the program wires it, over an in-memory port with a simulated
// drive behind it. The port is opened on COM1 unless told otherwise.
struct LinkRig : LinkStack<MemorySerialPort> {
    explicit LinkRig(bool openPort = true)
    {
        if (openPort)
            port.open(1);
    }

    SimulatedDrive drive{port};

    // Feeds bytes as the drive's, then lets the receive events run.
    void arrive(const QByteArray& bytes, int chunk = 0);
    static QByteArray bytes(std::initializer_list<int> values);
};
