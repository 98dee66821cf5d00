#include "SettingsDialogs.h"

#include "Configurator.h"
#include "DriveTransfer.h"
#include "MainForm.h"
#include "MotionDialogs.h"

SettingsDialogs::SettingsDialogs(Configurator& configurator, MainForm& main, DriveTransfer& transfer)
    : m_cfg(configurator), m_main(main), m_transfer(transfer),
      m_motion(std::make_unique<MotionDialogs>(configurator, main, transfer))
{
}

SettingsDialogs::~SettingsDialogs() = default;
