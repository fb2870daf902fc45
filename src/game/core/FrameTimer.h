#pragma once
#include <cstdint>

// A stopwatch on the high-resolution counter.
class FrameTimer {
public:
    FrameTimer();
    void start();
    void stop();
    double ElapsedMicroseconds() const;
    double ElapsedMilliseconds() const { return ElapsedMicroseconds() * 0.001; }

private:
    static uint64_t Now();
    uint64_t frequency = 1;
    uint64_t startCount = 0;
    uint64_t stopCount = 0;
    bool stopped = false;
};
