#pragma once

namespace sfxgen {

// A value that moves from `from` to `to` over the life of a layer, either
// in a straight line or geometrically (equal ratios per step: what a pitch
// or cutoff sweep should sound like).
struct Ramp {
    enum class Curve { Linear, Exponential };

    double from = 0.0;
    double to = 0.0;
    Curve curve = Curve::Exponential;

    static Ramp constant(double value) { return Ramp{value, value, Curve::Linear}; }

    // t runs from 0 (start) to 1 (end); values outside are clamped.
    double at(double t) const;
};

} // namespace sfxgen
