#include "SettingsDialogs.h"

#include "Configurator.h"
#include "DriveTransfer.h"
#include "EditMotor.h"
#include "EncoderDialog.h"
#include "FirstUse.h"
#include "IOdialog.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "MotionDialogs.h"
#include "MotorDialog.h"
#include "RegenDialog.h"

SettingsDialogs::SettingsDialogs(Configurator& configurator, MainWindowServices& main, DriveTransfer& transfer)
    : m_cfg(configurator), m_main(main), m_transfer(transfer),
      m_motion(std::make_unique<MotionDialogs>(configurator, main, transfer))
{
    WindowHooks& hooks = m_main.hooks();
    hooks.loadMotorDialog = [this] { motorDialog().ensureLoaded(); };
    hooks.showMotorDialog = [this] { motorDialog().showFilled(); };
    hooks.motorRunCurrentText = [this] { return motorDialog().runCurrentText(); };
    hooks.smoothingTuned = [this](std::optional<int> gain, std::optional<int> phase) {
        editMotor().setGainAndPhase(gain, phase);
    };
    hooks.showEncoderDialog = [this] { encoderDialog().showFilled(); };
    hooks.showIODialog = [this] { ioDialog().showFilled(); };
    hooks.showRegenDialog = [this] { regenDialog().showFilled(); };
    hooks.loadIODialog = [this] { ioDialog().LoadLimitList(); };

    // The download presses these before it builds the image, the editor
    // before the motor dialog: its OK puts the custom motor's current on the
    // motor dialog.
    using Ok = DriveTransfer::OkDialog;
    m_transfer.setOkPress(Ok::EditMotor, PressOkIfMade(m_editMotor));
    m_transfer.setOkPress(Ok::MotorDialog, PressOkIfMade(m_motor));
    m_transfer.setOkPress(Ok::EncoderDialog, PressOkIfMade(m_encoder));
    m_transfer.setOkPress(Ok::RegenDialog, PressOkIfMade(m_regen));
}

SettingsDialogs::~SettingsDialogs()
{
    // The main window and the download may outlive the dialogs: their hooks
    // and presses must not reach them.
    WindowHooks& hooks = m_main.hooks();
    hooks.loadMotorDialog = nullptr;
    hooks.showMotorDialog = nullptr;
    hooks.motorRunCurrentText = nullptr;
    hooks.smoothingTuned = nullptr;
    hooks.showEncoderDialog = nullptr;
    hooks.showIODialog = nullptr;
    hooks.showRegenDialog = nullptr;
    hooks.loadIODialog = nullptr;
    using Ok = DriveTransfer::OkDialog;
    for (Ok d : {Ok::EditMotor, Ok::MotorDialog, Ok::EncoderDialog, Ok::RegenDialog})
        m_transfer.setOkPress(d, {});
}

MotorDialog& SettingsDialogs::motorDialog()
{
    if (!m_motor)
        OnFirstUse(m_motor, m_cfg, m_main).defineCustomMotor = [this] { editMotor().showFilled(); };
    return *m_motor;
}

EditMotor& SettingsDialogs::editMotor()
{
    if (!m_editMotor)
        OnFirstUse(m_editMotor, m_cfg, m_main, motorDialog());
    return *m_editMotor;
}

EncoderDialog& SettingsDialogs::encoderDialog() { return OnFirstUse(m_encoder, m_cfg, m_main); }
IOdialog& SettingsDialogs::ioDialog() { return OnFirstUse(m_io, m_cfg, m_main); }
RegenDialog& SettingsDialogs::regenDialog() { return OnFirstUse(m_regen, m_cfg, m_main); }
