#pragma once

#include <functional>

class QObject;

// Waits that keep the user interface alive: they run a local event loop, so
// the serial receive event and the user's events are handled meanwhile. They
// measure time on a monotonic clock and sleep in the event loop between
// wake-ups; they never spin.

// Waits the given time while events are handled; yields at least once.
void WaitSeconds(double seconds);

// Runs the event loop until done() is true or the time limit has passed.
// done() is tested at the start, whenever one of the given sources emits
// one of its signals (a port's data arrival, for example: pass the object and
// the signal), and after every pass of the event loop that a timer wakes.
// Returns whether done() was true at the end.
struct WakeSource {
    const QObject* sender;
    const char* signal;  // SIGNAL(...) form
};
bool WaitUntil(const std::function<bool()>& done, double seconds,
               std::initializer_list<WakeSource> wakeOn = {});
