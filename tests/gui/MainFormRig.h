#pragma once

#include "DeviceSerialPort.h"
#include "LinkStack.h"
#include "MainForm.h"
#include "MemorySerialPort.h"
#include "SummaryGrid.h"

#include <QString>

// The main window with everything main() hands it: a scripted prompt, the
// application object, a serial port of the given kind and the link over it.
template <typename Port>
struct BasicMainFormRig : LinkStack<Port> {
    static QString binDir() { return qEnvironmentVariable("KORV4_BIN"); }

    using LinkStack<Port>::prompt;
    using LinkStack<Port>::cfg;
    using LinkStack<Port>::port;
    using LinkStack<Port>::link;
    using LinkStack<Port>::queries;
    using LinkStack<Port>::transfer;
    MainForm main{cfg, link, queries, transfer, binDir()};

    // Opens the motor database beside the program, as main() does before
    // the load step; its messages (if any) are forgotten.
    bool openDatabase()
    {
        const bool opened = cfg.openMotorDatabase(binDir() + QStringLiteral("/korv4 motors.db"));
        prompt.clear();
        return opened;
    }
};

// Over an in-memory port. By default no COM port opens, so the load step
// runs without any wait.
struct MainFormRig : BasicMainFormRig<MemorySerialPort> {
    explicit MainFormRig(bool withPorts = false)
    {
        if (!withPorts)
            port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    }

    // The start-up as the program runs it; the messages it showed are
    // forgotten so a test sees only its own.
    void start()
    {
        openDatabase();
        main.Form_Load();
        prompt.clear();
    }
};

// The program's windows over an in-memory port with a drive behind it.
struct PortedRig : MainFormRig {
    PortedRig() : MainFormRig(true) {}
};

// Over the device backend: real serial devices and pseudo-terminals.
using DeviceRig = BasicMainFormRig<DeviceSerialPort>;
