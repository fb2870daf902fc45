#pragma once

#include "Ramp.h"

namespace sfxgen {

enum class FilterMode { LowPass, HighPass, BandPass };

struct FilterSpec {
    FilterMode mode = FilterMode::LowPass;
    Ramp cutoff = Ramp::constant(1000.0); // Hz, swept over the layer
    double q = 0.707;
};

// State-variable filter (trapezoidal form): stays stable while the cutoff
// sweeps, at any cutoff below Nyquist.
class Filter {
public:
    Filter(FilterSpec spec, double sampleRate) : spec_(spec), sampleRate_(sampleRate) {}

    // `t` is the position in the layer, 0..1, for the cutoff sweep.
    double process(double input, double t);

private:
    FilterSpec spec_;
    double sampleRate_;
    double ic1_ = 0.0;
    double ic2_ = 0.0;
};

} // namespace sfxgen
