// Times the drive link over a real pseudo-terminal with the device backend,
// the simulated drive at the other end, in one process and one thread as the
// program runs; then the motor database with a few and with many motors.

#include "BenchTools.h"
#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "MotorStore.h"
#include "ProcessorTime.h"
#include "ScriptedPrompt.h"
#include "SimulatedDrive.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

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

// One case against the drive that writes its replies whole and against the
// one paced like a 9600-baud line, side by side.
void printSideBySide(const char* what, const Timing& whole, bool wholeOk, const Timing& paced, bool pacedOk)
{
    std::printf("%-34s median %8.3f ms (best %8.3f, worst %8.3f)%s | median %8.3f ms (best %8.3f, worst %8.3f)%s\n",
                what, whole.median, whole.best, whole.worst, wholeOk ? "" : " FAILED", paced.median, paced.best,
                paced.worst, pacedOk ? "" : " FAILED");
}

// A motor database of the given size, filled in one transaction (the
// filling is not what is timed), the keys added in no particular order.
bool makeMotorDatabase(const QString& path, int motors)
{
    if (!MotorStore::create(path))
        return false;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench fill"));
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        QSqlQuery q(db);
        ok = ok && q.prepare(QStringLiteral("INSERT INTO \"motor params\" (\"part number\", \"PartNoX\", \"current\") "
                                            "VALUES (?, ?, ?)"));
        for (int i = 0; ok && i < motors; ++i) {
            const QString part = QStringLiteral("BM-%1").arg((i * 7919) % motors * 2, 6, 10, QLatin1Char('0'));
            q.addBindValue(part);
            q.addBindValue(part);
            q.addBindValue(1.0 + i % 50 / 10.0);
            ok = q.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench fill"));
    return ok;
}

struct MotorFigures {
    Timing add, seek, list, walk;
};

MotorFigures timeMotorStore(const QString& path, int motors, int runs)
{
    MotorFigures f;
    if (!makeMotorDatabase(path, motors)) {
        std::printf("could not build a motor database of %d motors\n", motors);
        return f;
    }
    MotorStore store;
    if (!store.open(path)) {
        std::printf("could not open the motor database of %d motors\n", motors);
        return f;
    }
    char label[96];
    bool ok = true;
    int added = 0;
    // New part numbers fall between the stored ones.
    f.add = timeRuns(runs, [&] {
        const QString part = QStringLiteral("BM-%1-%2")
                                 .arg((added * 104729) % motors * 2, 6, 10, QLatin1Char('0'))
                                 .arg(added);
        ++added;
        MotorRecord m;
        m.partNumber = part;
        m.current = 2.0;
        return store.AddMotorRecord(m) == MotorStore::AddResult::Added;
    }, &ok);
    std::snprintf(label, sizeof label, "%5d motors: add one (new)", motors);
    print(label, f.add, ok);
    ok = true;
    QRandomGenerator random(motors);
    f.seek = timeRuns(runs, [&] {
        const QString part = QStringLiteral("BM-%1").arg(random.bounded(motors) * 2, 6, 10, QLatin1Char('0'));
        return store.seek(part) && store.field(QStringLiteral("current")).isValid();
    }, &ok);
    std::snprintf(label, sizeof label, "%5d motors: seek one", motors);
    print(label, f.seek, ok);
    ok = true;
    f.list = timeRuns(runs, [&] { return store.partNumbers().size() == motors + added; }, &ok);
    std::snprintf(label, sizeof label, "%5d motors: list part numbers", motors);
    print(label, f.list, ok);
    ok = true;
    f.walk = timeRuns(runs, [&] {
        int n = 0;
        for (store.moveFirst(); !store.atEnd(); store.moveNext())
            n += store.field(QStringLiteral("part number")).toString().isEmpty() ? 0 : 1;
        return n == motors + added;
    }, &ok);
    std::snprintf(label, sizeof label, "%5d motors: walk first..end", motors);
    print(label, f.walk, ok);
    return f;
}

void benchMotorStore(int runs)
{
    QTemporaryDir dir;
    std::printf("\nMotor database (SQLite, key \"PartNoX\"), %d runs each\n", runs);
    const MotorFigures few = timeMotorStore(dir.filePath(QStringLiteral("few.db")), 10, runs);
    const MotorFigures many = timeMotorStore(dir.filePath(QStringLiteral("many.db")), 10000, runs);
    auto ratio = [](const Timing& a, const Timing& b) { return b.median > 0 ? a.median / b.median : 0.0; };
    std::printf("10,000 against 10 motors (medians): add %.2fx, seek %.2fx (goal: within 3x)\n",
                ratio(many.add, few.add), ratio(many.seek, few.seek));
    std::printf("listing 10,000 motors: %.3f ms median (goal: under 100 ms)\n", many.list.median);
}

}  // namespace

int main(int argc, char* argv[])
{
    // A greeting burst's own process (started by the drive tools' part)
    // measures only its burst.
    const bool burstChild = argc > 1 && std::strcmp(argv[1], "--greetings") == 0;
    // "--terminal": only the terminal's figures, for a quick look at them.
    const bool terminalOnly = argc > 1 && std::strcmp(argv[1], "--terminal") == 0;
    // First, before anything of this process counts: peak memory of the
    // whole program, in a process of its own.
    if (!burstChild && !terminalOnly)
        if (const int child = BenchMemory(argc, argv); child >= 0)
            return child;
    // The drive tools' windows are drawn off screen unless asked otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int childExit = 0;
    if (RunGreetingBurstIfAsked(QCoreApplication::arguments(), &childExit))
        return childExit;
    if (terminalOnly) {
        if (BenchTerminalReceiving())
            return 0;
        std::fprintf(stderr, "terminal: no pseudo-terminal\n");
        return 1;
    }
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
    std::printf("%-34s %-50s | %s\n", "", "unpaced (each reply written whole)",
                "paced (960 bytes/s, byte by byte)");
    for (const auto& c : cases) {
        bool wholeOk = true, pacedOk = true;
        drive.lineBytesPerSecond = 0;
        const Timing whole = timeRuns(runs, c.run, &wholeOk);
        drive.lineBytesPerSecond = 960;
        const Timing paced = timeRuns(runs, c.run, &pacedOk);
        printSideBySide(c.what, whole, wholeOk, paced, pacedOk);
    }
    drive.lineBytesPerSecond = 0;
    std::printf("  (the download includes its fixed 100 ms pause after the acknowledgement; the 161 image bytes "
                "alone take 168 ms on a 9600-baud line)\n");

    drive.silent = true;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ProcessCpuSeconds();
    const bool there = queries.DriveStillThere();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double wall = clock.nsecsElapsed() / 1e9;
    std::printf("DriveStillThere on a silent drive: %s after %.3f s wall, %.2f ms processor = %.3f %% of one core\n",
                there ? "true" : "false", wall, cpu * 1000, cpu / wall * 100);
    if (!prompt.messages.isEmpty())
        std::printf("messages shown: %s\n", qPrintable(prompt.titles().join(", ")));

    benchMotorStore(runs);
    BenchMotorDialog();
    if (!BenchDriveTools()) {
        std::fprintf(stderr, "drive tools: no pseudo-terminal\n");
        return 1;
    }
    return 0;
}
