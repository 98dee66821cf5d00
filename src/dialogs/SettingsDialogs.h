#pragma once

#include <memory>

class Configurator;
class DriveTransfer;
class EditMotor;
class EncoderDialog;
class IOdialog;
class MainWindowServices;
class MotionDialogs;
class MotorDialog;
class RegenDialog;

// Owns the one instance of every settings dialog and registers them with
// the main window (its buttons, the summary grid's blocks, the start-up
// loads) and with the download (the OK presses). A dialog is created on
// first use and lives until the program ends.
class SettingsDialogs {
public:
    SettingsDialogs(Configurator& configurator, MainWindowServices& main, DriveTransfer& transfer);
    ~SettingsDialogs();

    MotorDialog& motorDialog();
    EditMotor& editMotor();
    EncoderDialog& encoderDialog();
    IOdialog& ioDialog();
    RegenDialog& regenDialog();

private:
    Configurator& m_cfg;
    MainWindowServices& m_main;
    DriveTransfer& m_transfer;
    // The motion-mode menu and its dialogs register themselves.
    std::unique_ptr<MotionDialogs> m_motion;
    std::unique_ptr<MotorDialog> m_motor;
    std::unique_ptr<EditMotor> m_editMotor;
    std::unique_ptr<EncoderDialog> m_encoder;
    std::unique_ptr<IOdialog> m_io;
    std::unique_ptr<RegenDialog> m_regen;
};
