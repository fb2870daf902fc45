#pragma once

namespace sfxgen {

// Attack-decay-sustain-release over a layer of known length. The release
// is placed so that it ends exactly at the end of the layer; if the layer
// is too short for both, the attack gets up to half of it and the release
// is shortened to fit the rest.
struct Envelope {
    double attack = 0.005;
    double decay = 0.0;
    double sustain = 1.0;
    double release = 0.01;

    // Level at `time` seconds into a layer lasting `length` seconds.
    double level(double time, double length) const;

private:
    double held(double time) const;
};

} // namespace sfxgen
