#include "Oscillator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sfxgen {

Oscillator::Oscillator(Wave wave, double sampleRate, std::uint64_t seed)
    : wave_(wave), sampleRate_(sampleRate), random_(seed)
{
    held_ = random_.bipolar();
}

double Oscillator::next(double frequency, double duty)
{
    double p = phase_;
    double value = 0.0;
    switch (wave_) {
    case Wave::Sine:
        value = std::sin(2.0 * std::numbers::pi * p);
        break;
    case Wave::Square:
        value = p < std::clamp(duty, 0.01, 0.99) ? 1.0 : -1.0;
        break;
    case Wave::Saw:
        value = 2.0 * p - 1.0;
        break;
    case Wave::Triangle:
        value = p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
        break;
    case Wave::Noise:
        value = held_;
        break;
    }
    phase_ += std::max(0.0, frequency) / sampleRate_;
    if (phase_ >= 1.0) {
        phase_ -= std::floor(phase_);
        if (wave_ == Wave::Noise)
            held_ = random_.bipolar();
    }
    return value;
}

} // namespace sfxgen
