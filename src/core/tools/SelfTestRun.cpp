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
    // Each step is due at its place counted from the start, so the time a
    // step's own sending takes never adds up from one step to the next.
    const qint64 due = FirstStepMs + qint64(m_steps) * StepMs;
    m_timer.start(static_cast<int>(qMax<qint64>(0, due - m_clock.elapsed())));
}

void SelfTestRun::start()
{
    if (m_running)
        return;
    m_running = true;
    for (const char* command : kSetUp)
        m_link.WriteText(TmxCommand(command));
    m_forward = true;
    m_steps = 0;
    m_period = FirstStepMs;
    m_clock.start();
    scheduleNext();
}

void SelfTestRun::step()
{
    if (!m_running)
        return;
    m_link.WriteText(TmxCommand(m_forward ? kForward : kBackward));
    m_link.WriteText(TmxCommand("FL"));
    m_forward = !m_forward;
    ++m_steps;
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
