#pragma once

#include <memory>

class Configurator;
class DriveLink;
class DriveQueries;
class ExecStatus;
class MainForm;
class SelfTest;
class TMXterm;

// Owns the one instance of every drive tool (terminal, status monitor, self
// test, smoothing wizard, faults and alarm history, reference cards) and
// registers them with the main window's Drive menu and keys. A tool is
// created on first use and lives until the program ends.
class DriveTools {
public:
    DriveTools(Configurator& configurator, DriveLink& link, DriveQueries& queries, MainForm& main);
    ~DriveTools();

    // Each tool, created on first use.
    TMXterm& terminal();
    ExecStatus& statusMonitor();
    SelfTest& selfTest();

private:
    Configurator& m_cfg;
    DriveLink& m_link;
    DriveQueries& m_queries;
    MainForm& m_main;
    std::unique_ptr<TMXterm> m_terminal;
    std::unique_ptr<ExecStatus> m_statusMonitor;
    std::unique_ptr<SelfTest> m_selfTest;
};
