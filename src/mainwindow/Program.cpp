#include "Program.h"

#include "DriveTools.h"
#include "MainForm.h"
#include "SettingsDialogs.h"
#include "StartForm.h"

#include <QCoreApplication>

Program::Program(Prompt& prompt, SerialPort& port, const QString& programDir)
    : m_programDir(programDir),
      m_cfg(prompt),
      m_link(m_cfg, port),
      m_queries(m_link),
      m_transfer(m_link, m_queries)
{
}

Program::~Program()
{
    // The windows go before the main window they point to.
    m_tools.reset();
    m_dialogs.reset();
}

QString Program::MotorDatabasePath(const QString& programDir)
{
    return programDir + QStringLiteral("/korv4 motors.db");
}

bool Program::start()
{
    if (!m_cfg.openMotorDatabase(MotorDatabasePath(m_programDir)))
        return false;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(&m_hiddenWindows);
    m_main = std::make_unique<MainForm>(m_cfg, m_link, m_queries, m_transfer, m_programDir);
    // The dialogs and tools register with the main window before its load
    // step, which loads some of them.
    m_dialogs = std::make_unique<SettingsDialogs>(m_cfg, *m_main, m_transfer);
    m_tools = std::make_unique<DriveTools>(m_link, m_queries, *m_main);
    StartForm splash;
    splash.run(*m_main);
    return true;
}
