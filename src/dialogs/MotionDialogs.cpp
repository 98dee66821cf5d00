#include "MotionDialogs.h"

#include "AdvancedSettings.h"
#include "DriveTransfer.h"
#include "FirstUse.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "MotionMenu.h"
#include "PulseDirDialog.h"
#include "TMXdialog.h"
#include "VelocityDialog.h"

MotionDialogs::MotionDialogs(Configurator& configurator, MainWindowServices& main, DriveTransfer& transfer)
    : m_cfg(configurator), m_main(main), m_transfer(transfer)
{
    WindowHooks& hooks = m_main.hooks();
    hooks.showMotionMenu = [this] { menu().showMenu(); };
    hooks.showPulseDirDialog = [this] { pulseDir().showFilled(); };
    hooks.showVelocityDialog = [this] { velocity().showFilled(); };
    hooks.showTMXDialog = [this](int modeToSet, const QString& caption) { tmx().open(modeToSet, caption); };
    using D = DriveTransfer::OkDialog;
    m_transfer.setOkPress(D::AdvancedSettings, PressOkIfMade(m_advanced));
    m_transfer.setOkPress(D::VelocityDialog, PressOkIfMade(m_velocity));
    m_transfer.setOkPress(D::PulseDirDialog, PressOkIfMade(m_pulseDir));
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

MotionMenu& MotionDialogs::menu() { return OnFirstUse(m_menu, m_cfg, m_main); }
PulseDirDialog& MotionDialogs::pulseDir() { return OnFirstUse(m_pulseDir, m_cfg, m_main); }
TMXdialog& MotionDialogs::tmx() { return OnFirstUse(m_tmx, m_cfg, m_main); }

VelocityDialog& MotionDialogs::velocity()
{
    if (!m_velocity)
        OnFirstUse(m_velocity, m_cfg, m_main).showAdvanced = [this] { advanced().showFilled(); };
    return *m_velocity;
}

AdvancedSettings& MotionDialogs::advanced()
{
    if (!m_advanced)
        OnFirstUse(m_advanced, m_cfg, m_main, m_transfer.link(), velocity());
    return *m_advanced;
}
