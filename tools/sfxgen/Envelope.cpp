#include "Envelope.h"

#include <algorithm>

namespace sfxgen {

double Envelope::held(double time) const
{
    if (time < attack)
        return time / attack;
    if (time < attack + decay)
        return 1.0 - (1.0 - sustain) * (time - attack) / decay;
    return sustain;
}

double Envelope::level(double time, double length) const
{
    if (time < 0.0 || time >= length)
        return 0.0;
    // A layer shorter than attack + release lets the attack run to halfway
    // (or to its end, if sooner) and squeezes the release into the rest.
    double releaseStart = std::max(length - release, std::min(attack, length * 0.5));
    if (time < releaseStart || release <= 0.0)
        return held(time);
    double fromLevel = held(releaseStart);
    return fromLevel * (1.0 - (time - releaseStart) / (length - releaseStart));
}

} // namespace sfxgen
