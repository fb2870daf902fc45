#pragma once
#include <cmath>
#include <numbers>

// Eases from a (t = 0) to b (t = 1) along half a cosine wave: slow at both
// ends. Used for sliding pages and the map view.
inline float CosineInterpolate(float a, float b, float t)
{
    const float s = (1.0f - std::cos(std::numbers::pi_v<float> * t)) * 0.5f;
    return (1.0f - s) * a + s * b;
}
