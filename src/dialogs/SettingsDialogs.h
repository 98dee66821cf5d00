#pragma once

#include <memory>

class Configurator;
class DriveTransfer;
class EditMotor;
class MainForm;
class MotionDialogs;
class MotorDialog;

// Owns the one instance of every settings dialog and registers them with
// the main window (its buttons, the summary grid's blocks, the start-up
// loads) and with the download (the OK presses). A dialog is created on
// first use and lives until the program ends.
class SettingsDialogs {
public:
    SettingsDialogs(Configurator& configurator, MainForm& main, DriveTransfer& transfer);
    ~SettingsDialogs();

    MotorDialog& motorDialog();
    EditMotor& editMotor();

private:
    Configurator& m_cfg;
    MainForm& m_main;
    DriveTransfer& m_transfer;
    std::unique_ptr<MotionDialogs> m_motion;
    std::unique_ptr<MotorDialog> m_motor;
    std::unique_ptr<EditMotor> m_editMotor;
};
