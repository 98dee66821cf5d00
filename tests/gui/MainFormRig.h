#pragma once

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "MainForm.h"
#include "MemorySerialPort.h"
#include "ScriptedPrompt.h"

#include <QString>

// The main window with everything it is handed: a scripted prompt, the
// application object, an in-memory port and the link over it. By default
// no COM port opens, so the load step runs without any wait.
struct MainFormRig {
    static QString binDir() { return qEnvironmentVariable("KORV4_BIN"); }

    ScriptedPrompt prompt;
    Configurator cfg{prompt};
    MemorySerialPort port;
    DriveLink link{cfg, port};
    DriveQueries queries{link};
    DriveTransfer transfer{link, queries};
    MainForm main{cfg, link, queries, transfer, binDir()};

    explicit MainFormRig(bool withPorts = false)
    {
        if (!withPorts)
            port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    }

    bool openDatabase() { return cfg.openMotorDatabase(binDir() + QStringLiteral("/korv4 motors.db")); }

    // The start-up as the program runs it; the messages it showed are
    // forgotten so a test sees only its own.
    void start()
    {
        openDatabase();
        main.Form_Load();
        prompt.clear();
    }
};
