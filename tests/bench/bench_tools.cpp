#include "BenchTools.h"

#include "BenchDrive.h"
#include "Configurator.h"
#include "DeviceSerialPort.h"
#include "DriveLink.h"
#include "ExecStatus.h"
#include "HistoryBox.h"
#include "ProcessorTime.h"
#include "ScriptedPrompt.h"
#include "SelfTest.h"
#include "SimulatedDrive.h"
#include "SimulatedTmx.h"
#include "SmoothingWizard.h"
#include "TMXterm.h"
#include "TerminalSession.h"
#include "Wait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double MonitorSeconds = 10.0;
constexpr int EnterRuns = 50;
constexpr double BitsPerByte = 10.0;  // start, 8 data, stop
constexpr double BitsPerSecond = 9600.0;
constexpr int LineRate = 960;          // bytes a second at 9600 baud
constexpr int TerminalSeconds = 10;
constexpr int Greetings = 20000;
constexpr double IdleGoalSeconds = 5.0;
constexpr double WatchAfterBurstSeconds = 20.0;
constexpr int BacklogBytes = 64;
constexpr int ChildSeconds = 180;

// The two drives every figure is taken against: one that writes each reply
// whole, as the pseudo-terminal passes it on at once, and one paced like a
// real line, a byte at a time.
struct Line {
    const char* name;
    int bytesPerSecond;
};
const Line kLines[] = {
    {"unpaced", 0},
    {"paced", LineRate},
};

// The program's side, as main() wires it, on the drive's pseudo-terminal.
struct Program {
    explicit Program(const QString& device)
    {
        qputenv("KORV4_COM1", device.toLocal8Bit());
        opened = link.StartComm() == 1;
    }
    ScriptedPrompt prompt;
    Configurator cfg{prompt};
    DeviceSerialPort port;
    DriveLink link{cfg, port};
    bool opened = false;
};

// The terminal shown and active on the program's link.
struct ActiveTerminal {
    explicit ActiveTerminal(DriveLink& link) : term(link, {})
    {
        term.show();
        term.session().activate();
    }
    TMXterm term;
};

void Key(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Processor time of the program's thread, of the drive's, and of the whole
// process, over a stretch of wall time.
class CpuClock {
public:
    explicit CpuClock(const BenchDrive& drive)
        : m_drive(drive), m_program(ThreadCpuSeconds()), m_driveStart(drive.cpuSeconds()),
          m_process(ProcessCpuSeconds())
    {
        m_wall.start();
    }
    double wall() const { return m_wall.nsecsElapsed() / 1e9; }
    double programPercent() const { return (ThreadCpuSeconds() - m_program) / wall() * 100; }
    double drivePercent() const { return (m_drive.cpuSeconds() - m_driveStart) / wall() * 100; }
    double processPercent() const { return (ProcessCpuSeconds() - m_process) / wall() * 100; }

private:
    const BenchDrive& m_drive;
    QElapsedTimer m_wall;
    double m_program;
    double m_driveStart;
    double m_process;
};

// The program's share of one core, or -1 when it could not run.
double benchMonitor(const Line& line)
{
    BenchDrive drive;
    drive.call([&](SimulatedDrive* d, SimulatedTmx* t) {
        t->modelNumber = 43;  // both input columns and all outputs: the longest cycle
        d->lineBytesPerSecond = line.bytesPerSecond;
    });
    Program program(drive.slavePath());
    if (!program.opened)
        return -1;
    ExecStatus monitor(program.link);
    monitor.start();
    const int cyclesBefore = monitor.poll().cyclesRun();
    const CpuClock cpu(drive);
    WaitSeconds(MonitorSeconds);
    const int cycles = monitor.poll().cyclesRun() - cyclesBefore;
    const double wall = cpu.wall();
    std::printf("  %-8s %5.1f s, %3d cycles (%.1f a second): program %5.2f %% of one core, simulated drive %5.2f %%, "
                "whole process %5.2f %%\n",
                line.name, wall, cycles, cycles / wall, cpu.programPercent(), cpu.drivePercent(),
                cpu.processPercent());
    monitor.OK_Click();
    return cpu.programPercent();
}

QByteArray TerminalText(bool lineEnds, int length)
{
    QByteArray text;
    text.reserve(length);
    if (lineEnds) {
        while (text.size() < length)
            text += "IS=10111111\rAL=0000\rIV=2.47\r";
    } else {
        QRandomGenerator rng(5);
        while (text.size() < length)
            text.append(static_cast<char>(rng.bounded(33, 127)));
    }
    text.truncate(length);
    return text;
}

QString BoxLines(QString log)
{
    log.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    log.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return log;
}

// The terminal taking in TerminalSeconds of text at the line rate: the
// paced drive sends it a byte at a time, the unpaced one in a block every
// 100 ms.
double benchTerminalReceiving(const Line& line, bool lineEnds)
{
    BenchDrive drive;
    Program program(drive.slavePath());
    if (!program.opened)
        return -1;
    ActiveTerminal active(program.link);
    TMXterm& term = active.term;
    WaitSeconds(0.2);

    const QByteArray text = TerminalText(lineEnds, TerminalSeconds * LineRate);
    qint64 handled = 0;
    QObject::connect(&term.session(), &TerminalSession::appended, [&] { ++handled; });
    QObject::connect(&term.session(), &TerminalSession::replaced, [&] { ++handled; });
    // One catch-up of the box changes its text a few times over (a long
    // line is broken into rows); all of them in one turn of the event loop.
    int boxUpdates = 0;
    bool counted = false;
    QObject::connect(term.history(), &QPlainTextEdit::textChanged, [&] {
        if (counted)
            return;
        counted = true;
        ++boxUpdates;
        QTimer::singleShot(0, [&] { counted = false; });
    });
    // A received CR adds its line end; every other byte here is one append.
    const qint64 total = text.size();

    const CpuClock cpu(drive);
    drive.call([&](SimulatedDrive* d, SimulatedTmx*) {
        d->lineBytesPerSecond = line.bytesPerSecond;
        if (line.bytesPerSecond > 0)
            d->send(text);
        else
            d->sendPaced(text, LineRate / 10, 100);
    });
    qint64 mostBehind = 0;
    qint64 sent = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        drive.call([&](SimulatedDrive* d, SimulatedTmx*) { sent = total - d->lineBacklog() - d->pacedBacklog(); });
        mostBehind = std::max(mostBehind, sent - handled);
    });
    sampler.start(50);
    WaitUntil([&] { return sent == total; }, TerminalSeconds * 3);
    const double sendWall = cpu.wall();
    WaitUntil([&] { return handled == total; }, 5.0);
    sampler.stop();
    const double program_ = cpu.programPercent();
    const double driveCpu = cpu.drivePercent();
    const double process = cpu.processPercent();
    const qint64 atEnd = handled;
    WaitSeconds(0.1);
    const bool upToDate = term.history()->shownText() == BoxLines(term.session().log());
    std::printf("  %-8s %-18s %5.1f s: program %5.2f %% of one core (simulated drive %5.2f %%, whole process "
                "%5.2f %%); shown %lld of %lld bytes sent, at most %lld behind the line; %d box updates "
                "(%.0f a second); box %s\n",
                line.name, lineEnds ? "with line ends" : "without line ends", sendWall, program_, driveCpu, process,
                static_cast<long long>(atEnd), static_cast<long long>(total), static_cast<long long>(mostBehind),
                boxUpdates, boxUpdates / sendWall, upToDate ? "matches the log" : "DOES NOT MATCH the log");
    term.session().deactivate();
    return program_;
}

// Enter typed in the terminal until the command's last byte is at the drive
// (a drive on the program's own thread, as this was always timed).
void benchTerminalEnter()
{
    SimulatedDrive drive;
    if (!drive.isPresent())
        return;
    SimulatedTmx tmx(drive);
    Program program(drive.slavePath());
    if (!program.opened)
        return;
    ActiveTerminal active(program.link);
    TMXterm& term = active.term;
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

const char* const kBurstTools[] = {"terminal", "monitor", "selftest", "wizard"};

// Non-overlapping occurrences: the terminal's answers "00" follow each
// other with nothing between.
qsizetype CountOf(const QByteArray& haystack, const QByteArray& needle)
{
    qsizetype n = 0;
    for (qsizetype at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + needle.size()))
        ++n;
    return n;
}

// One tool open, 20,000 greetings: whether it lives, how deep the waits
// nest, and how long after the burst's last byte it is idle again (no more
// greetings answered, no more than a reply's worth of bytes waiting).
int greetingBurst(const QString& tool, int bytesPerSecond)
{
    BenchDrive drive;
    if (!drive.isPresent())
        return 2;
    Program program(drive.slavePath());
    if (!program.opened)
        return 2;

    std::unique_ptr<TMXterm> term;
    std::unique_ptr<ExecStatus> monitor;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<SelfTest> selfTest;
    std::unique_ptr<SmoothingWizard> wizard;
    // Outside terminal mode (the self test) the receive path answers "QT".
    QByteArray answer = "00";
    if (tool == QLatin1String("terminal")) {
        term = std::make_unique<TMXterm>(program.link, std::function<void()>{});
        term->show();
        term->session().activate();
    } else if (tool == QLatin1String("monitor")) {
        monitor = std::make_unique<ExecStatus>(program.link);
        monitor->start();
    } else if (tool == QLatin1String("selftest")) {
        mainWindow = std::make_unique<QWidget>();
        selfTest = std::make_unique<SelfTest>(program.link, mainWindow.get());
        selfTest->start();
        answer = "QT";
    } else if (tool == QLatin1String("wizard")) {
        wizard = std::make_unique<SmoothingWizard>(program.link);
        wizard->Activate();
    } else {
        return 2;
    }
    WaitSeconds(0.5);

    QByteArray burst;
    burst.reserve(Greetings * 3);
    for (int i = 0; i < Greetings; ++i) {
        const int firmware = i == Greetings - 1 ? 99 : 50;
        const int model = i == Greetings - 1 ? 45 : 41 + i % 6;
        burst.append(static_cast<char>(255));
        burst.append(static_cast<char>(firmware));
        burst.append(static_cast<char>(model));
    }

    QElapsedTimer clock;
    clock.start();
    int deepest = 0;
    qint64 answersBefore = 0, answers = 0;
    drive.call([&](SimulatedDrive* d, SimulatedTmx*) { answersBefore = CountOf(d->received, answer); });
    qint64 burstEnd = -1, lastBusy = 0;
    bool lineBusy = true;
    QTimer depthProbe;
    QObject::connect(&depthProbe, &QTimer::timeout, [&] { deepest = std::max(deepest, WaitDepth()); });
    depthProbe.start(5);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        qint64 nowAnswers = 0;
        drive.call([&](SimulatedDrive* d, SimulatedTmx*) {
            nowAnswers = CountOf(d->received, answer);
            lineBusy = d->lineBacklog() > 0 || d->pacedBacklog() > 0;
        });
        // More waiting than a poll's reply: still working through the burst.
        const bool taking = program.link.unreadBytes().size() + program.port.InBufferCount() > BacklogBytes;
        // The line itself stays busy with a polling tool's own replies.
        if (nowAnswers != answers || taking || burstEnd < 0)
            lastBusy = clock.elapsed();
        answers = nowAnswers;
        if (!lineBusy && burstEnd < 0)
            burstEnd = clock.elapsed();
    });
    watch.start(20);

    drive.call([&](SimulatedDrive* d, SimulatedTmx*) {
        d->lineBytesPerSecond = bytesPerSecond;
        if (bytesPerSecond > 0)
            d->send(burst);
        else
            d->sendPaced(burst, 600, 5);
    });
    // Until the line is done, then until idle for longer than the goal or
    // the watch runs out.
    WaitUntil(
        [&] {
            if (burstEnd < 0)
                return false;
            const qint64 now = clock.elapsed();
            return now - lastBusy > IdleGoalSeconds * 1000 + 500
                   || now - burstEnd > WatchAfterBurstSeconds * 1000;
        },
        Greetings * 3.0 / LineRate * 2 + WatchAfterBurstSeconds + 10);
    const double idleAfter = (lastBusy - burstEnd) / 1000.0;
    const bool stillBusy = clock.elapsed() - lastBusy <= IdleGoalSeconds * 1000;
    std::printf("  %-8s %-8s no crash; %6lld greetings answered; deepest wait nesting %d; ", qPrintable(tool),
                bytesPerSecond > 0 ? "paced" : "unpaced", static_cast<long long>(answers - answersBefore), deepest);
    if (burstEnd < 0)
        std::printf("the burst never finished\n");
    else if (stillBusy)
        std::printf("STILL BUSY %.1f s after the burst's last byte (goal: idle within %.0f s)\n",
                    (clock.elapsed() - burstEnd) / 1000.0, IdleGoalSeconds);
    else
        std::printf("idle %.2f s after the burst's last byte (goal: within %.0f s)%s\n", std::max(0.0, idleAfter),
                    IdleGoalSeconds, idleAfter <= IdleGoalSeconds ? "" : "  (MISSED)");
    std::fflush(stdout);
    if (monitor)
        monitor->OK_Click();
    if (selfTest)
        selfTest->StopSelfTest_Click();
    if (wizard)
        wizard->Cancel();
    // The tools may still wait for replies; nothing more is measured.
    std::_Exit(0);
}

void benchGreetingBursts()
{
    struct Child {
        QString label;
        std::unique_ptr<QProcess> process;
    };
    std::vector<Child> children;
    // Each tool's unpaced and paced figures one under the other.
    for (const char* tool : kBurstTools) {
        for (const Line& line : kLines) {
            Child child{QStringLiteral("%1 %2").arg(QLatin1String(tool), QLatin1String(line.name)),
                        std::make_unique<QProcess>()};
            child.process->setProcessChannelMode(QProcess::MergedChannels);
            child.process->start(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--greetings"), QLatin1String(tool),
                                  QString::number(line.bytesPerSecond)});
            children.push_back(std::move(child));
        }
    }
    for (Child& child : children) {
        QProcess& p = *child.process;
        const bool finished = p.waitForFinished(ChildSeconds * 1000);
        QByteArray out = p.readAll();
        // Only the figures line; a dying child's own messages follow it.
        if (!finished) {
            p.kill();
            p.waitForFinished();
            std::printf("  %-17s HUNG: neither idle nor done %d s after it started (killed)\n", qPrintable(child.label),
                        ChildSeconds);
        } else if (p.exitStatus() == QProcess::CrashExit) {
            std::printf("  %-17s CRASHED: %s\n", qPrintable(child.label), qPrintable(p.errorString()));
        } else if (p.exitCode() != 0) {
            std::printf("  %-17s could not run (exit %d)\n", qPrintable(child.label), p.exitCode());
        }
        for (const QByteArray& l : out.split('\n'))
            if (l.startsWith("  "))
                std::printf("%s\n", l.constData());
    }
}

void terminalFigures(double* bare, double* ended)
{
    std::printf("terminal taking in %d bytes of text at %d bytes a second (goal: under 10 %% of one core on the "
                "paced line, never behind it)\n",
                TerminalSeconds * LineRate, LineRate);
    for (int i = 0; i < 2; ++i) {
        bare[i] = benchTerminalReceiving(kLines[i], false);
        ended[i] = benchTerminalReceiving(kLines[i], true);
    }
}

void printHeading()
{
    std::printf("program's share of one core              unpaced |   paced  (goal on the paced line)\n");
}

void printRow(const char* what, const double* f, const char* goal)
{
    std::printf("  %-38s %6.2f %% | %6.2f %%  (%s)\n", what, f[0], f[1], goal);
}

}  // namespace

bool BenchTerminalReceiving()
{
    {
        BenchDrive probe;
        if (!probe.isPresent())
            return false;
    }
    double bare[2];
    double ended[2];
    terminalFigures(bare, ended);
    printHeading();
    printRow("terminal, text without line ends", bare, "under 10 %");
    printRow("terminal, text with line ends", ended, "under 10 %");
    return true;
}

bool RunGreetingBurstIfAsked(const QStringList& arguments, int* exitCode)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--greetings"));
    if (at < 0 || at + 2 >= arguments.size())
        return false;
    *exitCode = greetingBurst(arguments.at(at + 1), arguments.at(at + 2).toInt());
    return true;
}

bool BenchDriveTools()
{
    {
        BenchDrive probe;
        if (!probe.isPresent())
            return false;
    }
    std::printf("\nDrive tools over pseudo-terminals; the simulated drive runs on its own thread. Unpaced: it "
                "writes each reply whole; paced: it sends a byte at a time at %d bytes a second (9600 baud)\n",
                LineRate);

    std::printf("status monitor polling (goal: program under 2 %% of one core on the paced line)\n");
    double monitor[2];
    for (int i = 0; i < 2; ++i)
        monitor[i] = benchMonitor(kLines[i]);

    double bare[2];
    double ended[2];
    terminalFigures(bare, ended);
    // The same figures side by side.
    printHeading();
    printRow("status monitor polling", monitor, "under 2 %");
    printRow("terminal, text without line ends", bare, "under 10 %");
    printRow("terminal, text with line ends", ended, "under 10 %");

    benchTerminalEnter();

    std::printf("%d power-up greetings in a burst to each tool (unpaced: 600 bytes every 5 ms; paced: %.1f s on "
                "the line), each in a process of its own\n",
                Greetings, Greetings * 3.0 / LineRate);
    benchGreetingBursts();
    return true;
}
