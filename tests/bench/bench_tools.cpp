#include "BenchTools.h"

#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveLink.h"
#include "ExecStatus.h"
#include "ScriptedPrompt.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "TMXterm.h"
#include "Wait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr double MonitorSeconds = 10.0;
constexpr int EnterRuns = 50;
constexpr double BitsPerByte = 10.0;  // start, 8 data, stop
constexpr double BitsPerSecond = 9600.0;

double CpuSeconds()
{
    timespec ts {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void Key(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

}  // namespace

bool BenchDriveTools()
{
    SimulatedDrive drive;
    if (!drive.isPresent())
        return false;
    SimulatedTmx tmx(drive);
    tmx.modelNumber = 43;  // both input columns and all outputs: the longest cycle
    qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
    ScriptedPrompt prompt;
    Configurator cfg(prompt);
    DeviceSerialPort port;
    DriveLink link(cfg, port);
    if (link.StartComm() != 1)
        return false;

    std::printf("\nDrive tools over %s\n", qPrintable(drive.slavePath()));

    // An open status monitor polling the drive.
    {
        ExecStatus monitor(link);
        monitor.start();
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = CpuSeconds();
        const int cyclesBefore = monitor.poll().cyclesRun();
        WaitSeconds(MonitorSeconds);
        const double cpu = CpuSeconds() - cpuBefore;
        const double wall = clock.nsecsElapsed() / 1e9;
        const int cycles = monitor.poll().cyclesRun() - cyclesBefore;
        monitor.OK_Click();
        std::printf("status monitor polling for %.1f s: %d cycles (%.1f a second), %.1f ms processor = %.2f %% of "
                    "one core (goal: under 5 %%; includes the simulated drive)\n",
                    wall, cycles, cycles / wall, cpu * 1000, cpu / wall * 100);
    }

    // Enter typed in the terminal until the command's last byte is at the drive.
    {
        TMXterm term(link, {});
        term.show();
        term.session().activate();
        QPlainTextEdit* box = term.commandText();
        const QString command = QStringLiteral("DI-12500");
        std::vector<double> ms;
        bool allArrived = true;
        for (int i = 0; i < EnterRuns; ++i) {
            box->setPlainText(command);
            WaitSeconds(0.005);
            drive.received.clear();
            QElapsedTimer clock;
            clock.start();
            Key(box, Qt::Key_Return, QStringLiteral("\r"));
            const bool arrived = WaitUntil([&] { return drive.received.endsWith("\r\n"); }, 1.0);
            ms.push_back(clock.nsecsElapsed() / 1e6);
            allArrived = allArrived && arrived;
        }
        term.session().deactivate();
        std::sort(ms.begin(), ms.end());
        const double wireMs = (command.size() + 2) * BitsPerByte / BitsPerSecond * 1000;
        std::printf("typed Enter to last byte at the drive (%d runs): best %.3f ms  median %.3f ms  worst %.3f ms%s\n",
                    EnterRuns, ms.front(), ms[ms.size() / 2], ms.back(), allArrived ? "" : "  (FAILED)");
        std::printf("  (a pseudo-terminal does not pace bytes: this is the time beyond the wire time, which is "
                    "%.1f ms for these %lld bytes at 9600 bit/s; goal: under 5 ms)\n",
                    wireMs, static_cast<long long>(command.size() + 2));
    }
    return true;
}
