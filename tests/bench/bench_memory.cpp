// Peak memory of the program with every one of its windows opened once, the
// file and print dialogs included. It is measured in a process of its own
// (this benchmark started again with KORV4_BENCH_MEMORY set), so that the
// other parts of the benchmark do not count: the program is started as
// main() starts it, over a pseudo-terminal with the simulated drive behind
// it, then each window is shown; the peak resident size (VmHWM) is read
// from /proc/self/status before and after the file and print dialogs.

#include "BenchTools.h"

#include "AlarmHistory.h"
#include "Calculator.h"
#include "DriveTools.h"
#include "ExecStatus.h"
#include "Harmonizer.h"
#include "MainForm.h"
#include "MotorDialog.h"
#include "Program.h"
#include "ReferenceCards.h"
#include "ReferenceWindows.h"
#include "ScriptedPrompt.h"
#include "DeviceSerialPort.h"
#include "SelfTest.h"
#include "ServoFault.h"
#include "SettingsDialogs.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "TMXterm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QMenu>

#include <cstdio>

namespace {

constexpr char ChildVariable[] = "KORV4_BENCH_MEMORY";

// A "Vm..." line of /proc/self/status, in kilobytes; -1 when missing.
long StatusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(QString::fromLatin1(status.readAll()));
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// Runs something that shows a window modally; the window is closed once it
// is up, as a user would close it.
void CloseWhenUp(const std::function<void()>& open)
{
    QTimer closer;
    closer.setInterval(50);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            Settle();
            modal->close();
        }
    });
    closer.start();
    open();
    Settle();
}

QPushButton* Button(QWidget& window, const char* name)
{
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// The measuring process: the program and all its windows.
int MeasureChild(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    SimulatedDrive drive;
    if (!drive.isPresent()) {
        std::fprintf(stderr, "memory: no pseudo-terminal\n");
        return 1;
    }
    SimulatedTmx tmx(drive);
    qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
    const QString programDir = qEnvironmentVariableIsSet("KORV4_BIN")
                                   ? qEnvironmentVariable("KORV4_BIN")
                                   : QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();

    ScriptedPrompt prompt;
    DeviceSerialPort port;
    Program program(prompt, port, programDir);
    if (!program.start()) {
        std::fprintf(stderr, "memory: no motor database in %s\n", qPrintable(programDir));
        return 1;
    }
    const long started = StatusKilobytes("VmHWM");
    MainForm& main = *program.mainForm();
    WindowHooks& hooks = main.hooks();
    SettingsDialogs& dialogs = *program.dialogs();
    DriveTools& tools = *program.tools();

    // The settings dialogs, the motion-mode menu and its dialogs, each
    // opened, drawn and closed again as a user goes through them.
    const auto closeOthers = [&main] {
        Settle();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w->isVisible() && !qobject_cast<QMenu*>(w))
                w->hide();
        Settle();
    };
    RunHook(hooks.showMotorDialog);
    Settle();
    if (auto* custom = dialogs.motorDialog().findChild<QRadioButton*>(QStringLiteral("optCustom")))
        custom->click();
    if (QPushButton* define = Button(dialogs.motorDialog(), "DefineNewMotor"))
        define->click();
    closeOthers();
    for (const auto& hook : {hooks.showMotionMenu, hooks.showEncoderDialog, hooks.showIODialog, hooks.showRegenDialog,
                             hooks.showPulseDirDialog}) {
        RunHook(hook);
        closeOthers();
    }
    // Analog input, so that the advanced settings can be opened from it.
    program.configurator().settings().VelAnalog = true;
    RunHook(hooks.showVelocityDialog);
    Settle();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QPushButton* advanced = w->isVisible() ? Button(*w, "Advanced") : nullptr)
            advanced->click();
    closeOthers();
    RunHook(hooks.showTMXDialog, 2, QStringLiteral("TMX Configuration"));
    closeOthers();

    // The drive tools.
    RunHook(hooks.showTerminal);
    Settle();
    tools.terminal().Quit_Click();
    tools.statusMonitor().start();
    Settle();
    tools.statusMonitor().OK_Click();
    tools.selfTest().start();
    Settle();
    tools.selfTest().StopSelfTest_Click();
    tools.harmonizer().showWizard();
    Settle();
    tools.harmonizer().reject();
    tools.servoFault().ShowRedBoxes(1);
    tools.servoFault().show();
    closeOthers();
    CloseWhenUp([&] { tools.MenuHistory_Click(); });

    // The reference cards, every code list, the calculator, the help viewer
    // and the About box.
    ReferenceWindows& ref = tools.reference();
    ref.showSummary();
    ref.showZepHelp();
    ref.showCalculator();
    for (const CodeListPage& page : CodeListPages())
        ref.showCodeList(page.list);
    closeOthers();
    main.OpenHelpPage(QStringLiteral("index.html"));
    closeOthers();
    CloseWhenUp([&] { main.MenuAbout_Click(); });
    const long windows = StatusKilobytes("VmHWM");

    // The file and print dialogs, each closed without a choice.
    CloseWhenUp([&] { main.menuOpen()->trigger(); });
    CloseWhenUp([&] { main.menuSaveAs()->trigger(); });
    CloseWhenUp([&] { main.menuPrint()->trigger(); });
    const long all = StatusKilobytes("VmHWM");

    std::printf("started %.1f MB, every window %.1f MB, with file and print dialogs %.1f MB (now %.1f MB resident)\n",
                started / 1024.0, windows / 1024.0, all / 1024.0, StatusKilobytes("VmRSS") / 1024.0);
    return all > 0 ? 0 : 1;
}

}  // namespace

int BenchMemory(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet(ChildVariable))
        return MeasureChild(argc, argv);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ChildVariable), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QString::fromLocal8Bit(argv[0]), {});
    if (!child.waitForFinished(120000)) {
        std::fprintf(stderr, "memory: the measuring process did not finish\n");
        return -1;
    }
    std::printf("Peak memory (VmHWM), every window of the program opened once, in a process of its own:\n  %s",
                child.readAllStandardOutput().constData());
    std::fflush(stdout);
    return child.exitCode() == 0 ? -1 : -2;
}
