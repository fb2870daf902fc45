#include "world/CreationTransform.h"
#include <cmath>

TCreationTransform creationTransform;

void TCreationTransform::Set(float x, float y, float angle)
{
    offsetX = x;
    offsetY = y;
    sine = std::sin(angle);
    cosine = std::cos(angle);
}

void TCreationTransform::Get(float* x, float* y, float* angle) const
{
    *x = offsetX;
    *y = offsetY;
    *angle = Angle();
}

float TCreationTransform::Angle() const
{
    return std::atan2(sine, cosine);
}

b2Vec2 TCreationTransform::Apply(float x, float y) const
{
    return b2Vec2(x * cosine - y * sine + offsetX, x * sine + y * cosine + offsetY);
}

float TCreationTransform::ApplyAngle(float angle) const
{
    return angle + Angle();
}
