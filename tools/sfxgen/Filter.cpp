#include "Filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sfxgen {

double Filter::process(double input, double t)
{
    double cutoff = std::clamp(spec_.cutoff.at(t), 10.0, sampleRate_ * 0.49);
    double g = std::tan(std::numbers::pi * cutoff / sampleRate_);
    double k = 1.0 / std::max(0.05, spec_.q);
    double a1 = 1.0 / (1.0 + g * (g + k));
    double a2 = g * a1;
    double a3 = g * a2;
    double v3 = input - ic2_;
    double v1 = a1 * ic1_ + a2 * v3;
    double v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    switch (spec_.mode) {
    case FilterMode::LowPass:
        return v2;
    case FilterMode::HighPass:
        return input - k * v1 - v2;
    case FilterMode::BandPass:
        return v1;
    }
    return v2;
}

} // namespace sfxgen
