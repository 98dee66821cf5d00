#pragma once

#include <memory>

class AdvancedSettings;
class Configurator;
class DriveTransfer;
class MainWindowServices;
class MotionMenu;
class PulseDirDialog;
class TMXdialog;
class VelocityDialog;

// The motion-mode menu and its dialogs (step input, velocity with its
// advanced analog settings, TMX and J serial mode): one instance each,
// created on first use, shown through the main window's hooks and pressed
// by the download.
class MotionDialogs {
public:
    MotionDialogs(Configurator& configurator, MainWindowServices& main, DriveTransfer& transfer);
    ~MotionDialogs();

    MotionMenu& menu();
    PulseDirDialog& pulseDir();
    VelocityDialog& velocity();
    AdvancedSettings& advanced();
    TMXdialog& tmx();

private:
    Configurator& m_cfg;
    MainWindowServices& m_main;
    DriveTransfer& m_transfer;
    std::unique_ptr<MotionMenu> m_menu;
    std::unique_ptr<PulseDirDialog> m_pulseDir;
    std::unique_ptr<VelocityDialog> m_velocity;
    std::unique_ptr<AdvancedSettings> m_advanced;
    std::unique_ptr<TMXdialog> m_tmx;
};
