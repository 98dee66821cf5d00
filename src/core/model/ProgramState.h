#pragma once

#include <QString>
#include <cstdint>

// Link and program state that several parts of the program share. These are
// not settings: InitVars does not touch them and no file stores them.
struct ProgramState {
    bool SettingsChanged = false;  // changes neither saved nor downloaded
    bool InertiaSet = false;       // the load inertia has been given
    float FirmwareVersion = 0.0f;  // 1 + code / 100
    QString MinorRev;              // firmware minor-revision letter
    std::int16_t DriveModelCode = 0;  // 41..46 for this family's six models
    std::int16_t CommPortNumber = 1;  // 1..8
    bool ClearingFault = false;
    bool TerminalMode = false;
    QString CurrentFile;           // last opened or saved configuration file
    QString ProgramVersion;        // major.minor[.revision]
    QString HelpPath;              // the help folder, ending in a separator
    bool UpdatingControls = false; // motor dialog: skip the slider clamp once opened

    // While the motor dialog is the active window its option buttons decide
    // which motor is "in use" for the current limit.
    bool MotorDialogActive = false;
    bool MotorDialogCustomChosen = false;
};
