#pragma once

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "HiddenWindowRelease.h"

#include <QString>
#include <memory>

class DriveTools;
class MainForm;
class SettingsDialogs;
class Prompt;
class SerialPort;

// The running program: the application object, the link over the given
// port, and the main window once start() has made it.
class Program {
public:
    // programDir holds the motor database and the help folder.
    Program(Prompt& prompt, SerialPort& port, const QString& programDir);
    ~Program();

    // Opens the motor database first, so that everything after it (the
    // model change of the start-up already) can read the motor in use; then
    // shows the splash and runs the main window's load step. False, with the
    // user told why, when the database cannot be opened: nothing else has
    // run then and the program should end.
    bool start();

    static QString MotorDatabasePath(const QString& programDir);

    Configurator& configurator() { return m_cfg; }
    DriveLink& link() { return m_link; }
    DriveTransfer& transfer() { return m_transfer; }
    MainForm* mainForm() const { return m_main.get(); }
    SettingsDialogs* dialogs() const { return m_dialogs.get(); }
    DriveTools* tools() const { return m_tools.get(); }

private:
    QString m_programDir;
    Configurator m_cfg;
    DriveLink m_link;
    DriveQueries m_queries;
    DriveTransfer m_transfer;
    HiddenWindowRelease m_hiddenWindows;
    std::unique_ptr<MainForm> m_main;
    std::unique_ptr<SettingsDialogs> m_dialogs;
    std::unique_ptr<DriveTools> m_tools;
};
