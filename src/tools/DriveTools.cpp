#include "DriveTools.h"

#include "AlarmHistory.h"
#include "DriveLink.h"
#include "ExecStatus.h"
#include "FaultCommands.h"
#include "FaultWatch.h"
#include "FirstUse.h"
#include "Harmonizer.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "ReferenceWindows.h"
#include "SelfTest.h"
#include "ServoFault.h"
#include "TMXterm.h"

#include <QProgressBar>

DriveTools::DriveTools(DriveLink& link, DriveQueries& queries, MainWindowServices& main)
    : m_link(link), m_main(main),
      m_faults(std::make_unique<FaultCommands>(link, queries)), m_watch(std::make_unique<FaultWatch>(link))
{
    WindowHooks& hooks = m_main.hooks();
    hooks.showTmxCommandCard = [this] { reference().showSummary(); };
    hooks.showAlarmHistory = [this] { MenuHistory_Click(); };
    hooks.clearAlarm = [this] { MenuClearFault_Click(); };
    hooks.restoreFactoryDefaults = [this] { MenuRestore_Click(); };

    QObject::connect(m_faults.get(), &FaultCommands::progressReset, &m_main.mainWindow(), [this] { resetProgress(); });
    QObject::connect(m_watch.get(), &FaultWatch::lampsChanged, &m_main.mainWindow(), [this](int word) { ServoError152(word); });
    QObject::connect(m_watch.get(), &FaultWatch::showRequested, &m_main.mainWindow(), [this] { showServoFault(); });

    // A tool opened from an event handled inside a running exchange's wait
    // would take that exchange's reply: such a request is ignored.
    const auto unlessBusy = [this](auto open) {
        return [this, open] {
            DriveLink::Exchange exchange(m_link);
            if (exchange)
                open();
        };
    };
    hooks.showTerminal = unlessBusy([this] { terminal().open(); });
    hooks.showStatusMonitor = unlessBusy([this] { statusMonitor().start(); });
    hooks.showSelfTest = unlessBusy([this] { selfTest().start(); });
    hooks.showSmoothingWizard = unlessBusy([this] { harmonizer().showWizard(); });
}

DriveTools::~DriveTools()
{
    // The hooks point here; the main window may outlive the tools.
    WindowHooks& hooks = m_main.hooks();
    hooks.showTerminal = nullptr;
    hooks.showStatusMonitor = nullptr;
    hooks.showSelfTest = nullptr;
    hooks.showAlarmHistory = nullptr;
    hooks.clearAlarm = nullptr;
    hooks.restoreFactoryDefaults = nullptr;
    hooks.showTmxCommandCard = nullptr;
    hooks.showSmoothingWizard = nullptr;
}

TMXterm& DriveTools::terminal()
{
    return OnFirstUse(m_terminal, m_link, [this] { RunHook(m_main.hooks().showTmxCommandCard); });
}

ExecStatus& DriveTools::statusMonitor()
{
    return OnFirstUse(m_statusMonitor, m_link);
}

SelfTest& DriveTools::selfTest()
{
    return OnFirstUse(m_selfTest, m_link, &m_main.mainWindow());
}

ReferenceWindows& DriveTools::reference()
{
    return OnFirstUse(m_reference);
}

Harmonizer& DriveTools::harmonizer()
{
    if (!m_harmonizer) {
        m_harmonizer = new Harmonizer(m_link, &m_main.mainWindow());
        // The motor dialog's running current drives the jog; the tuned
        // values go to the custom-motor editor's sliders.
        m_harmonizer->runningCurrentText = [this] {
            const WindowHooks& hooks = m_main.hooks();
            return hooks.motorRunCurrentText ? hooks.motorRunCurrentText() : QString();
        };
        m_harmonizer->tunedReady = [this](const SmoothingWizard::Tuned& tuned) {
            RunHook(m_main.hooks().smoothingTuned, tuned.gain, tuned.phase);
        };
    }
    return *m_harmonizer;
}

ServoFault& DriveTools::servoFault()
{
    if (!m_servoFault)
        m_servoFault = new ServoFault(*m_faults, &m_main.mainWindow());
    return *m_servoFault;
}

AlarmHistory& DriveTools::alarmHistory()
{
    if (!m_alarmHistory)
        m_alarmHistory = new AlarmHistory(*m_faults, &m_main.mainWindow());
    return *m_alarmHistory;
}

void DriveTools::resetProgress()
{
    QProgressBar& bar = m_main.progressBar();
    m_main.setProgress(0);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Highlight, QColor(0x00, 0xC0, 0x00));
    bar.setPalette(palette);
}

void DriveTools::ServoError152(int alarmWord)
{
    servoFault().ShowRedBoxes(alarmWord);
}

void DriveTools::showServoFault()
{
    // A window already up only takes the new lamps: showing it modally
    // again would start a second event loop under the first.
    ServoFault& window = servoFault();
    if (window.isVisible())
        return;
    window.exec();
}

void DriveTools::MenuHistory_Click()
{
    if (!m_faults->portOpen())
        return;
    AlarmHistory& window = alarmHistory();
    if (window.isVisible())
        return;
    QByteArray reply;
    if (!m_faults->GetAlarmHistory(reply))
        return;
    window.DispAlarmHistory(reply);
    window.exec();
}

void DriveTools::MenuClearFault_Click()
{
    m_faults->ClearAlarm();
}

void DriveTools::MenuRestore_Click()
{
    m_faults->RestoreFactoryDefaults();
}
