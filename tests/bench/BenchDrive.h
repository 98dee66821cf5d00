#pragma once

#include "SimulatedDrive.h"
#include "SimulatedTmx.h"

#include <QObject>
#include <QThread>

#include <ctime>
#include <pthread.h>

// The simulated drive with its TMX side on a thread of its own, as a real
// drive is apart from the PC: the processor time the program spends can be
// told from the time the stand-in drive spends. Everything done to the drive
// goes through call(), which runs on the drive's thread and waits for it.
class BenchDrive {
public:
    BenchDrive()
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        call([this](SimulatedDrive*, SimulatedTmx*) {
            m_drive = new SimulatedDrive;
            if (m_drive->isPresent())
                m_tmx = new SimulatedTmx(*m_drive);
            ::pthread_getcpuclockid(::pthread_self(), &m_clock);
        });
    }
    ~BenchDrive()
    {
        call([this](SimulatedDrive*, SimulatedTmx*) {
            delete m_tmx;
            delete m_drive;
        });
        m_thread.quit();
        m_thread.wait();
    }
    BenchDrive(const BenchDrive&) = delete;
    BenchDrive& operator=(const BenchDrive&) = delete;

    bool isPresent() const { return m_tmx != nullptr; }
    // Read once set up; the drive only reads it afterwards.
    QString slavePath() const { return m_drive->slavePath(); }
    // For connecting to the drive's signals (they arrive queued).
    SimulatedDrive* signalSource() const { return m_drive; }

    template <typename F>
    void call(F f)
    {
        QMetaObject::invokeMethod(
            &m_context, [&] { f(m_drive, m_tmx); }, Qt::BlockingQueuedConnection);
    }

    // The processor time the drive's thread has used, in seconds.
    double cpuSeconds() const
    {
        timespec ts{};
        ::clock_gettime(m_clock, &ts);
        return ts.tv_sec + ts.tv_nsec / 1e9;
    }

private:
    QThread m_thread;
    QObject m_context;
    SimulatedDrive* m_drive = nullptr;
    SimulatedTmx* m_tmx = nullptr;
    clockid_t m_clock{};
};

// The processor time the calling thread has used, in seconds.
inline double ThreadCpuSeconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}
