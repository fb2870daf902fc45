#pragma once

#include "Random.h"

namespace sfxgen {

enum class Wave { Sine, Square, Saw, Triangle, Noise };

// Phase-accumulating oscillator. Noise holds each random value for one
// period of the given frequency, so a low frequency gives a rough, pitched
// crackle and a frequency at the sample rate gives plain white noise.
class Oscillator {
public:
    Oscillator(Wave wave, double sampleRate, std::uint64_t seed);

    // Returns the next sample in [-1, 1].
    double next(double frequency, double duty = 0.5);

private:
    Wave wave_;
    double sampleRate_;
    double phase_ = 0.0;
    double held_ = 0.0;
    Random random_;
};

} // namespace sfxgen
