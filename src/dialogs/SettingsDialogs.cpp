#include "SettingsDialogs.h"

#include "Configurator.h"
#include "DriveTransfer.h"
#include "EditMotor.h"
#include "MainForm.h"
#include "MotionDialogs.h"
#include "MotorDialog.h"

SettingsDialogs::SettingsDialogs(Configurator& configurator, MainForm& main, DriveTransfer& transfer)
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

    // The download presses these before it builds the image, the editor
    // first: its OK puts the custom motor's current on the motor dialog.
    using Ok = DriveTransfer::OkDialog;
    m_transfer.setOkPress(Ok::EditMotor, [this] {
        if (m_editMotor)
            m_editMotor->pressOkIfVisible();
    });
    m_transfer.setOkPress(Ok::MotorDialog, [this] {
        if (m_motor)
            m_motor->pressOkIfVisible();
    });
}

SettingsDialogs::~SettingsDialogs() = default;

MotorDialog& SettingsDialogs::motorDialog()
{
    if (!m_motor) {
        m_motor = std::make_unique<MotorDialog>(m_cfg, m_main);
        m_motor->defineCustomMotor = [this] { editMotor().showFilled(); };
    }
    return *m_motor;
}

EditMotor& SettingsDialogs::editMotor()
{
    if (!m_editMotor)
        m_editMotor = std::make_unique<EditMotor>(m_cfg, m_main, motorDialog());
    return *m_editMotor;
}
