#include "core/FrameTimer.h"
#include <time.h>

FrameTimer::FrameTimer() : frequency(1000000000ull)
{
    startCount = stopCount = Now();
}

uint64_t FrameTimer::Now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

void FrameTimer::start()
{
    stopped = false;
    startCount = Now();
}

void FrameTimer::stop()
{
    stopped = true;
    stopCount = Now();
}

double FrameTimer::ElapsedMicroseconds() const
{
    uint64_t end = stopped ? stopCount : Now();
    return static_cast<double>(end - startCount) * 1000000.0 / static_cast<double>(frequency);
}
