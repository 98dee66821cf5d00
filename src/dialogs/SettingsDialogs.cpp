#include "SettingsDialogs.h"

#include "Configurator.h"
#include "DriveTransfer.h"
#include "MainForm.h"

SettingsDialogs::SettingsDialogs(Configurator& configurator, MainForm& main, DriveTransfer& transfer)
    : m_cfg(configurator), m_main(main), m_transfer(transfer)
{
}

SettingsDialogs::~SettingsDialogs() = default;
