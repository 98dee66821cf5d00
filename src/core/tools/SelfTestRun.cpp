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
    m_timer.setInterval(FirstStepMs);
    connect(&m_timer, &QTimer::timeout, this, &SelfTestRun::step);
}

void SelfTestRun::start()
{
    if (m_running)
        return;
    m_running = true;
    for (const char* command : kSetUp)
        m_link.WriteText(TmxCommand(command));
    m_forward = true;
    m_timer.setInterval(FirstStepMs);
    m_timer.start();
}

void SelfTestRun::step()
{
    if (!m_running)
        return;
    m_link.WriteText(TmxCommand(m_forward ? kForward : kBackward));
    m_link.WriteText(TmxCommand("FL"));
    m_forward = !m_forward;
    m_timer.setInterval(StepMs);
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
    m_timer.setInterval(FirstStepMs);
}
