#pragma once

#include <functional>

// Waits that keep the user interface alive: they run a local event loop, so
// the serial receive event and the user's events are handled meanwhile. Time
// is measured on a monotonic clock (a wait ends on time across midnight or a
// change of the wall clock), and between events the loop sleeps until the
// next event or the deadline; it never spins.

// Waits the given time while events are handled; yields at least once.
void WaitSeconds(double seconds);

// A fixed wait in which the program does not react to the user: the port
// still takes in what arrives (and timers run), but the user's clicks and
// keys wait until it ends, and are handled as it ends.
void HoldSeconds(double seconds);

// Handles the events that are waiting, once, without sleeping.
void YieldToEvents();

// Handles events until done() is true or the time limit has passed. done()
// is tested first, then after every event the loop handled (any event wakes
// it: a port's arrival, a posted call, a timer). Returns done()'s last value;
// it is tested once more at the deadline, after the arrivals waiting by
// then were taken in, so a condition met in the same pass as the time-out
// counts as met.
bool WaitUntil(const std::function<bool()>& done, double seconds);

// How many of the waits above are running now, nested. Code that must not
// be started from the user's events while a drive exchange waits compares
// this with the depth it found when the exchange began.
int WaitDepth();
