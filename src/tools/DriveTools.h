#pragma once

#include <memory>

class Configurator;
class DriveLink;
class DriveQueries;
class MainForm;
class ReferenceWindows;

// Owns the one instance of every drive tool (terminal, status monitor, self
// test, smoothing wizard, faults and alarm history, reference cards) and
// registers them with the main window's Drive menu and keys. A tool is
// created on first use and lives until the program ends.
class DriveTools {
public:
    DriveTools(Configurator& configurator, DriveLink& link, DriveQueries& queries, MainForm& main);
    ~DriveTools();

    // The reference cards, code lists and move calculator.
    ReferenceWindows& reference();

private:
    Configurator& m_cfg;
    DriveLink& m_link;
    DriveQueries& m_queries;
    MainForm& m_main;
    std::unique_ptr<ReferenceWindows> m_reference;
};
