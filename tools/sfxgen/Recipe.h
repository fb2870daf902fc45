#pragma once

#include "Envelope.h"
#include "Filter.h"
#include "Oscillator.h"
#include "Ramp.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sfxgen {

// One voice of a sound: an oscillator with its pitch sweep, envelope and
// filters, placed somewhere in the sound's timeline.
struct Layer {
    Wave wave = Wave::Sine;
    Ramp frequency = Ramp::constant(440.0);
    bool frequencyGiven = false;
    Ramp duty = Ramp::constant(0.5);
    double vibratoRate = 0.0;  // Hz
    double vibratoDepth = 0.0; // semitones
    Envelope envelope;
    std::vector<FilterSpec> filters;
    double gain = 1.0;
    double start = 0.0;                 // seconds into the sound
    std::optional<double> length;       // default: to the end of the sound
};

struct Recipe {
    double length = 0.0; // seconds
    double volume = 1.0;
    int variants = 1;
    double pitchSpread = 0.0; // variants 2.. get a random pitch factor within +-spread
    std::uint64_t seed = 1;
    std::vector<Layer> layers;
};

} // namespace sfxgen
