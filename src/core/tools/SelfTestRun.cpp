#include "SelfTestRun.h"

#include "DriveLink.h"
#include "TmxText.h"
#include "Wait.h"

namespace {

// Step positioning at 16 microsteps, a quarter revolution per second; a
// move of 12500 steps is half a revolution.
const char* const kSetUp[] = {"HR", "SK", "CM21", "DI25000", "MR16", "VE.25"};
const QByteArray kForward = "DI12500";
const QByteArray kBackward = "DI-12500";

}  // namespace

SelfTestRun::SelfTestRun(DriveLink& link, QObject* parent) : QObject(parent), m_link(link)
{
    // The user watches the motor's rhythm: a coarse timer would let a step
    // come a tenth of a second early or late.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SelfTestRun::step);
}

void SelfTestRun::scheduleNext()
{
    m_timer.start(static_cast<int>(qMax<qint64>(0, m_due - m_clock.elapsed())));
}

void SelfTestRun::start()
{
    if (m_running)
        return;
    m_running = true;
    for (const char* command : kSetUp)
        m_link.WriteText(TmxCommand(command));
    m_forward = true;
    m_period = FirstStepMs;
    m_clock.start();
    m_due = FirstStepMs;
    scheduleNext();
}

void SelfTestRun::step()
{
    if (!m_running)
        return;
    // Each move is due StepMs after the time the one before was due, so the
    // time a move's own sending takes never adds up from one to the next.
    // A move that comes late (the thread was held) is not made up for: the
    // moves it missed are skipped and the beat starts again from it, so the
    // motor always gets its full StepMs for each half turn.
    const qint64 now = m_clock.elapsed();
    if (now - m_due > LateMs)
        m_due = now;
    m_due += StepMs;
    m_link.WriteText(TmxCommand(m_forward ? kForward : kBackward));
    m_link.WriteText(TmxCommand("FL"));
    m_forward = !m_forward;
    m_period = StepMs;
    scheduleNext();
}

void SelfTestRun::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_timer.stop();
    m_link.WriteText(TmxCommand("SK"));
    WaitSeconds(0.1);
    m_link.WriteText(TmxCommand("QT"));
    m_period = FirstStepMs;
}
