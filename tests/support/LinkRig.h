#pragma once

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "MemorySerialPort.h"
#include "ScriptedPrompt.h"
#include "SimulatedDrive.h"

#include <memory>

// The link as the program wires it, over an in-memory port with a simulated
// drive behind it. The port is opened on COM1 unless told otherwise.
struct LinkRig {
    explicit LinkRig(bool openPort = true)
    {
        if (openPort)
            port.open(1);
    }

    ScriptedPrompt prompt;
    Configurator cfg{prompt};
    MemorySerialPort port;
    SimulatedDrive drive{port};
    DriveLink link{cfg, port};
    DriveQueries queries{link};
    DriveTransfer transfer{link, queries};

    // Feeds bytes as the drive's, then lets the receive events run.
    void arrive(const QByteArray& bytes, int chunk = 0);
    static QByteArray bytes(std::initializer_list<int> values);
};
