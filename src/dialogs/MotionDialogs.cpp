#include "MotionDialogs.h"

#include "AdvancedSettings.h"
#include "DriveTransfer.h"
#include "MainForm.h"
#include "MotionMenu.h"
#include "PulseDirDialog.h"
#include "TMXdialog.h"
#include "VelocityDialog.h"

MotionDialogs::MotionDialogs(Configurator& configurator, MainForm& main, DriveTransfer& transfer)
    : m_cfg(configurator), m_main(main), m_transfer(transfer)
{
    WindowHooks& hooks = m_main.hooks();
    hooks.showMotionMenu = [this] { menu().showMenu(); };
    hooks.showPulseDirDialog = [this] { pulseDir().showFilled(); };
    hooks.showVelocityDialog = [this] { velocity().showFilled(); };
    hooks.showTMXDialog = [this](int modeToSet, const QString& caption) { tmx().open(modeToSet, caption); };
    // A dialog never opened cannot be visible: the press leaves it uncreated.
    using D = DriveTransfer::OkDialog;
    m_transfer.setOkPress(D::AdvancedSettings, [this] { if (m_advanced) m_advanced->pressOkIfVisible(); });
    m_transfer.setOkPress(D::VelocityDialog, [this] { if (m_velocity) m_velocity->pressOkIfVisible(); });
    m_transfer.setOkPress(D::PulseDirDialog, [this] { if (m_pulseDir) m_pulseDir->pressOkIfVisible(); });
}

MotionDialogs::~MotionDialogs()
{
    // Hooks that outlive the dialogs must not reach them.
    WindowHooks& hooks = m_main.hooks();
    hooks.showMotionMenu = nullptr;
    hooks.showPulseDirDialog = nullptr;
    hooks.showVelocityDialog = nullptr;
    hooks.showTMXDialog = nullptr;
    using D = DriveTransfer::OkDialog;
    for (D d : {D::AdvancedSettings, D::VelocityDialog, D::PulseDirDialog})
        m_transfer.setOkPress(d, nullptr);
}

MotionMenu& MotionDialogs::menu()
{
    if (!m_menu)
        m_menu = std::make_unique<MotionMenu>(m_cfg, m_main);
    return *m_menu;
}

PulseDirDialog& MotionDialogs::pulseDir()
{
    if (!m_pulseDir)
        m_pulseDir = std::make_unique<PulseDirDialog>(m_cfg, m_main);
    return *m_pulseDir;
}

VelocityDialog& MotionDialogs::velocity()
{
    if (!m_velocity) {
        m_velocity = std::make_unique<VelocityDialog>(m_cfg, m_main);
        m_velocity->showAdvanced = [this] { advanced().showFilled(); };
    }
    return *m_velocity;
}

AdvancedSettings& MotionDialogs::advanced()
{
    if (!m_advanced)
        m_advanced = std::make_unique<AdvancedSettings>(m_cfg, m_main, m_transfer.link(), velocity());
    return *m_advanced;
}

TMXdialog& MotionDialogs::tmx()
{
    if (!m_tmx)
        m_tmx = std::make_unique<TMXdialog>(m_cfg, m_main);
    return *m_tmx;
}
