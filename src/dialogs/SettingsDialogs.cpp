#include "SettingsDialogs.h"

#include "Configurator.h"
#include "DriveTransfer.h"
#include "EncoderDialog.h"
#include "IOdialog.h"
#include "MainForm.h"
#include "RegenDialog.h"

SettingsDialogs::SettingsDialogs(Configurator& configurator, MainForm& main, DriveTransfer& transfer)
    : m_cfg(configurator), m_main(main), m_transfer(transfer)
{
    WindowHooks& hooks = m_main.hooks();
    hooks.showEncoderDialog = [this] { encoderDialog().showFilled(); };
    hooks.showIODialog = [this] { ioDialog().showFilled(); };
    hooks.showRegenDialog = [this] { regenDialog().showFilled(); };
    hooks.loadIODialog = [this] { ioDialog().LoadLimitList(); };
    // A dialog never shown has nothing to press.
    using Ok = DriveTransfer::OkDialog;
    m_transfer.setOkPress(Ok::EncoderDialog, [this] { if (m_encoder) m_encoder->pressOkIfVisible(); });
    m_transfer.setOkPress(Ok::RegenDialog, [this] { if (m_regen) m_regen->pressOkIfVisible(); });
}

SettingsDialogs::~SettingsDialogs()
{
    // The download may outlive the dialogs.
    m_transfer.setOkPress(DriveTransfer::OkDialog::EncoderDialog, {});
    m_transfer.setOkPress(DriveTransfer::OkDialog::RegenDialog, {});
}

template <typename Dialog>
Dialog& SettingsDialogs::instance(std::unique_ptr<Dialog>& slot)
{
    if (!slot)
        slot = std::make_unique<Dialog>(m_cfg, m_main);
    return *slot;
}

EncoderDialog& SettingsDialogs::encoderDialog() { return instance(m_encoder); }
IOdialog& SettingsDialogs::ioDialog() { return instance(m_io); }
RegenDialog& SettingsDialogs::regenDialog() { return instance(m_regen); }
