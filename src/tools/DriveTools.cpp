#include "DriveTools.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "ExecStatus.h"
#include "MainForm.h"
#include "SelfTest.h"
#include "TMXterm.h"

DriveTools::DriveTools(Configurator& configurator, DriveLink& link, DriveQueries& queries, MainForm& main)
    : m_cfg(configurator), m_link(link), m_queries(queries), m_main(main)
{
    // A tool opened from an event handled inside a running exchange's wait
    // would take that exchange's reply: such a request is ignored.
    const auto unlessBusy = [this](auto open) {
        return [this, open] {
            DriveLink::Exchange exchange(m_link);
            if (exchange)
                open();
        };
    };
    WindowHooks& hooks = m_main.hooks();
    hooks.showTerminal = unlessBusy([this] { terminal().open(); });
    hooks.showStatusMonitor = unlessBusy([this] { statusMonitor().start(); });
    hooks.showSelfTest = unlessBusy([this] { selfTest().start(); });
}

DriveTools::~DriveTools()
{
    // The hooks point here; the main window may outlive the tools.
    WindowHooks& hooks = m_main.hooks();
    hooks.showTerminal = nullptr;
    hooks.showStatusMonitor = nullptr;
    hooks.showSelfTest = nullptr;
}

TMXterm& DriveTools::terminal()
{
    if (!m_terminal)
        m_terminal = std::make_unique<TMXterm>(m_link, [this] { RunHook(m_main.hooks().showTmxCommandCard); });
    return *m_terminal;
}

ExecStatus& DriveTools::statusMonitor()
{
    if (!m_statusMonitor)
        m_statusMonitor = std::make_unique<ExecStatus>(m_link);
    return *m_statusMonitor;
}

SelfTest& DriveTools::selfTest()
{
    if (!m_selfTest)
        m_selfTest = std::make_unique<SelfTest>(m_link, &m_main);
    return *m_selfTest;
}
