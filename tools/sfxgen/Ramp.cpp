#include "Ramp.h"

#include <algorithm>
#include <cmath>

namespace sfxgen {

double Ramp::at(double t) const
{
    t = std::clamp(t, 0.0, 1.0);
    if (curve == Curve::Exponential && from > 0.0 && to > 0.0)
        return from * std::pow(to / from, t);
    return from + (to - from) * t;
}

} // namespace sfxgen
