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
void handleEventsUntil(QEventLoop& loop, QTimer& wake, const QDeadlineTimer& deadline)
{
    wake.start(static_cast<int>(qMax<qint64>(0, deadline.remainingTime())));
    loop.processEvents(QEventLoop::WaitForMoreEvents);
}

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
    DepthScope depth;
    const QDeadlineTimer deadline(toMilliseconds(seconds), Qt::PreciseTimer);
    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    do
        handleEventsUntil(loop, wake, deadline);
    while (!deadline.hasExpired());
}

bool WaitUntil(const std::function<bool()>& done, double seconds)
{
    if (done())
        return true;
    DepthScope depth;
    const QDeadlineTimer deadline(toMilliseconds(seconds), Qt::PreciseTimer);
    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        handleEventsUntil(loop, wake, deadline);
        if (done())
            return true;
    }
    return done();
}
