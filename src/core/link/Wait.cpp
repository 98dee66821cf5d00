#include "Wait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace {

int g_waitDepth = 0;

struct DepthScope {
    DepthScope() { ++g_waitDepth; }
    ~DepthScope() { --g_waitDepth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

qint64 toMilliseconds(double seconds)
{
    if (!(seconds > 0.0))
        return 0;
    return static_cast<qint64>(std::ceil(seconds * 1000.0));
}

// Sleeps in the event loop until an event comes or the deadline passes, and
// handles what came. The timer only exists to wake the loop at the deadline.
class Sleeper {
public:
    explicit Sleeper(double seconds, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents)
        : m_deadline(toMilliseconds(seconds), Qt::PreciseTimer), m_flags(flags)
    {
        m_wake.setSingleShot(true);
        m_wake.setTimerType(Qt::PreciseTimer);
    }
    bool expired() const { return m_deadline.hasExpired(); }
    void handleEvents()
    {
        m_wake.start(static_cast<int>(qMax<qint64>(0, m_deadline.remainingTime())));
        m_loop.processEvents(m_flags | QEventLoop::WaitForMoreEvents);
    }

private:
    DepthScope m_depth;
    QDeadlineTimer m_deadline;
    QEventLoop::ProcessEventsFlags m_flags;
    QEventLoop m_loop;
    QTimer m_wake;
};

}  // namespace

int WaitDepth()
{
    return g_waitDepth;
}

void YieldToEvents()
{
    DepthScope depth;
    QEventLoop loop;
    loop.processEvents(QEventLoop::AllEvents);
}

void WaitSeconds(double seconds)
{
    Sleeper sleeper(seconds);
    do
        sleeper.handleEvents();
    while (!sleeper.expired());
}

void HoldSeconds(double seconds)
{
    {
        Sleeper sleeper(seconds, QEventLoop::ExcludeUserInputEvents);
        do
            sleeper.handleEvents();
        while (!sleeper.expired());
    }
    // The clicks and keys held back are queued without a wake-up of their
    // own: handled now, they take effect as the hold ends rather than when
    // the user next moves the mouse.
    YieldToEvents();
}

bool WaitUntil(const std::function<bool()>& done, double seconds)
{
    if (done())
        return true;
    Sleeper sleeper(seconds);
    while (!sleeper.expired()) {
        sleeper.handleEvents();
        if (done())
            return true;
    }
    // When the last pass ran long, what arrived meanwhile is still with the
    // device and not yet counted; take it in before the final test.
    YieldToEvents();
    return done();
}
