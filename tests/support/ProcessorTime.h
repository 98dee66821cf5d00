#pragma once

#include <ctime>

// The processor time this process has used so far, in seconds: tells a
// wait that sleeps from one that spins.
inline double ProcessCpuSeconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}
