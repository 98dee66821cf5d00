#pragma once

#include <memory>

class AlarmHistory;
class DriveLink;
class DriveQueries;
class ExecStatus;
class FaultCommands;
class FaultWatch;
class Harmonizer;
class MainWindowServices;
class ReferenceWindows;
class SelfTest;
class ServoFault;
class TMXterm;

// Owns the one instance of every drive tool (terminal, status monitor, self
// test, smoothing wizard, faults and alarm history, reference cards) and
// registers them with the main window's Drive menu and keys. A tool is
// created on first use and lives until the program ends.
class DriveTools {
public:
    DriveTools(DriveLink& link, DriveQueries& queries, MainWindowServices& main);
    ~DriveTools();

    // The reference cards, code lists and move calculator.
    ReferenceWindows& reference();
    // The waveform-smoothing wizard, opened by the custom-motor editor.
    Harmonizer& harmonizer();
    // Drive menu: Alarm History (also the I/O dialog's "Show history..."),
    // Clear Alarm, Restore Factory Defaults. Without an open port each does
    // nothing and says nothing.
    void MenuHistory_Click();
    void MenuClearFault_Click();
    void MenuRestore_Click();

    // The windows, created on first use.
    ServoFault& servoFault();
    AlarmHistory& alarmHistory();

    // The TMX tools, created on first use.
    TMXterm& terminal();
    ExecStatus& statusMonitor();
    SelfTest& selfTest();

private:
    // A fault message's lamps, and the window shown once nothing waits.
    void ServoError152(int alarmWord);
    void showServoFault();
    void resetProgress();

    DriveLink& m_link;
    MainWindowServices& m_main;
    std::unique_ptr<ReferenceWindows> m_reference;
    Harmonizer* m_harmonizer = nullptr;      // owned by the main window
    std::unique_ptr<FaultCommands> m_faults;
    std::unique_ptr<FaultWatch> m_watch;
    ServoFault* m_servoFault = nullptr;      // owned by the main window
    AlarmHistory* m_alarmHistory = nullptr;  // owned by the main window
    std::unique_ptr<TMXterm> m_terminal;
    std::unique_ptr<ExecStatus> m_statusMonitor;
    std::unique_ptr<SelfTest> m_selfTest;
};
