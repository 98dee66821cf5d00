// Times the drive link over a real pseudo-terminal with the device backend,
// the simulated drive at the other end, in one process and one thread as the
// program runs.

#include "BenchTools.h"
#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "ScriptedPrompt.h"
#include "SimulatedDrive.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double processCpuSeconds()
{
    timespec ts {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

struct Timing {
    double best = 0, median = 0, worst = 0;
};

Timing timeRuns(int runs, const std::function<bool()>& run, bool* allOk)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        *allOk = run() && *allOk;
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

void print(const char* what, const Timing& t, bool ok)
{
    std::printf("%-34s best %8.3f ms  median %8.3f ms  worst %8.3f ms%s\n", what, t.best, t.median, t.worst,
                ok ? "" : "  (FAILED)");
}

}  // namespace

int main(int argc, char* argv[])
{
    // The drive tools' windows are drawn off screen unless asked otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = 20;

    SimulatedDrive drive;
    if (!drive.isPresent()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    qputenv("KORV4_COM1", drive.slavePath().toLocal8Bit());
    ScriptedPrompt prompt;
    Configurator cfg(prompt);
    DeviceSerialPort port;
    DriveLink link(cfg, port);
    DriveQueries queries(link);
    DriveTransfer transfer(link, queries);
    if (link.StartComm() != 1) {
        std::fprintf(stderr, "could not open %s\n", qPrintable(drive.slavePath()));
        return 1;
    }
    cfg.state().InertiaSet = true;

    std::printf("Drive link over %s, %d runs each\n", qPrintable(drive.slavePath()), runs);
    const struct {
        const char* what;
        std::function<bool()> run;
    } cases[] = {
        {"upload (\"u\" and 161 bytes)", [&] { return transfer.DataUpload(); }},
        {"Upload button (identify + image)", [&] { return transfer.Upload_Click(); }},
        {"download (\"d\", 161 bytes, ACK)", [&] { return transfer.DataDownload(); }},
        {"Download button (identify + image)", [&] { return transfer.Download_Click(); }},
    };
    for (const auto& c : cases) {
        bool ok = true;
        const Timing t = timeRuns(runs, c.run, &ok);
        print(c.what, t, ok);
    }
    std::printf("  (the download includes its fixed 100 ms pause after the acknowledgement)\n");

    drive.silent = true;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = processCpuSeconds();
    const bool there = queries.DriveStillThere();
    const double cpu = processCpuSeconds() - cpuBefore;
    const double wall = clock.nsecsElapsed() / 1e9;
    std::printf("DriveStillThere on a silent drive: %s after %.3f s wall, %.2f ms processor = %.3f %% of one core\n",
                there ? "true" : "false", wall, cpu * 1000, cpu / wall * 100);
    if (!prompt.messages.isEmpty())
        std::printf("messages shown: %s\n", qPrintable(prompt.titles().join(", ")));
    if (!BenchDriveTools()) {
        std::fprintf(stderr, "drive tools: no pseudo-terminal\n");
        return 1;
    }
    return 0;
}
