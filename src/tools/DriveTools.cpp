#include "DriveTools.h"

#include "AlarmHistory.h"
#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "FaultCommands.h"
#include "FaultWatch.h"
#include "Harmonizer.h"
#include "MainForm.h"
#include "ReferenceWindows.h"
#include "ServoFault.h"

#include <QProgressBar>

DriveTools::DriveTools(Configurator& configurator, DriveLink& link, DriveQueries& queries, MainForm& main)
    : m_cfg(configurator), m_link(link), m_queries(queries), m_main(main),
      m_faults(std::make_unique<FaultCommands>(link, queries)), m_watch(std::make_unique<FaultWatch>(link))
{
    WindowHooks& hooks = m_main.hooks();
    hooks.showTmxCommandCard = [this] { reference().showSummary(); };
    hooks.showSmoothingWizard = [this] { harmonizer().showWizard(); };
    hooks.showAlarmHistory = [this] { MenuHistory_Click(); };
    hooks.clearAlarm = [this] { MenuClearFault_Click(); };
    hooks.restoreFactoryDefaults = [this] { MenuRestore_Click(); };

    QObject::connect(m_faults.get(), &FaultCommands::progressReset, &m_main, [this] { resetProgress(); });
    QObject::connect(m_watch.get(), &FaultWatch::lampsChanged, &m_main, [this](int word) { ServoError152(word); });
    QObject::connect(m_watch.get(), &FaultWatch::showRequested, &m_main, [this] { showServoFault(); });
}

DriveTools::~DriveTools() = default;

ReferenceWindows& DriveTools::reference()
{
    if (!m_reference)
        m_reference = std::make_unique<ReferenceWindows>();
    return *m_reference;
}

Harmonizer& DriveTools::harmonizer()
{
    if (!m_harmonizer) {
        m_harmonizer = new Harmonizer(m_link, &m_main);
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
        m_servoFault = new ServoFault(*m_faults, &m_main);
    return *m_servoFault;
}

AlarmHistory& DriveTools::alarmHistory()
{
    if (!m_alarmHistory)
        m_alarmHistory = new AlarmHistory(*m_faults, &m_main);
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
