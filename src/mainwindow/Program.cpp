#include "Program.h"

#include "MainForm.h"
#include "StartForm.h"

Program::Program(Prompt& prompt, SerialPort& port, const QString& programDir)
    : m_programDir(programDir),
      m_cfg(prompt),
      m_link(m_cfg, port),
      m_queries(m_link),
      m_transfer(m_link, m_queries)
{
}

Program::~Program() = default;

QString Program::MotorDatabasePath(const QString& programDir)
{
    return programDir + QStringLiteral("/korv4 motors.db");
}

bool Program::start()
{
    if (!m_cfg.openMotorDatabase(MotorDatabasePath(m_programDir)))
        return false;
    m_main = std::make_unique<MainForm>(m_cfg, m_link, m_queries, m_transfer, m_programDir);
    StartForm splash;
    splash.run(*m_main);
    return true;
}
