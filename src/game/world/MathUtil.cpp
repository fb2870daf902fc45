#include "world/MathUtil.h"
#include <box2d/b2_body.h>
#include <cmath>
#include <cstdlib>

float RandomRange(float lo, float hi)
{
    // The classic 15-bit generator range keeps the spread of values the same
    // on every platform, whatever RAND_MAX is.
    const int r = std::rand() % 32768;
    return lo + (hi - lo) * float(r) / 32767.0f;
}

bool Chance(float p)
{
    // A draw from [0, 1): RandomRange(0, 1) reaches 1.0, so Chance(1.0) could fail.
    return float(std::rand() % 32768) / 32768.0f < p;
}

float Distance(float x1, float y1, float x2, float y2)
{
    return std::sqrt(DistanceSquared(x1, y1, x2, y2));
}

float DistanceSquared(float x1, float y1, float x2, float y2)
{
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    return dx * dx + dy * dy;
}

float AngleBetween(float x1, float y1, float x2, float y2)
{
    return std::atan2(y2 - y1, x1 - x2);
}

float VectorAngle(float x, float y)
{
    return std::atan2(-y, x);
}

b2Vec2 AngleVector(float a)
{
    return b2Vec2(std::cos(a), -std::sin(a));
}

float AngleDifferenceDeg(float a, float b)
{
    // Bring both into [0, 360) without looping forever on huge values.
    a = std::fmod(a, 360.0f);
    if (a < 0.0f) a += 360.0f;
    b = std::fmod(b, 360.0f);
    if (b < 0.0f) b += 360.0f;
    const float d = b - a;
    if (d >= 180.0f) return d - 360.0f;
    if (d <= -180.0f) return d + 360.0f;
    return d;
}

b2Vec2 TransformPoint(float x, float y, float tx, float ty, float s, float c)
{
    return b2Vec2(x * c - y * s + tx, x * s + y * c + ty);
}

b2Vec2 InverseTransformPoint(float x, float y, float tx, float ty, float s, float c)
{
    const float dx = x - tx;
    const float dy = y - ty;
    return b2Vec2(dx * c + dy * s, dy * c - dx * s);
}

b2Vec2 RotateVector(float x, float y, float a)
{
    const float c = std::cos(a);
    const float s = std::sin(a);
    return b2Vec2(x * c - y * s, x * s + y * c);
}

b2Vec2 QuadraticBezier(float x0, float y0, float x2, float y2, float kx, float ky, float t)
{
    const float u = 1.0f - t;
    return b2Vec2(u * u * x0 + 2.0f * t * u * kx + t * t * x2,
                  u * u * y0 + 2.0f * t * u * ky + t * t * y2);
}

b2Vec2 QuadraticBezierNormal(float x0, float y0, float x2, float y2, float kx, float ky, float t)
{
    const float u = 1.0f - t;
    const float q0x = u * x0 + t * kx, q0y = u * y0 + t * ky;
    const float q1x = u * kx + t * x2, q1y = u * ky + t * y2;
    return b2Vec2(q1y - q0y, q0x - q1x);
}

bool SegmentsIntersect(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                       float y4)
{
    const float d = (y4 - y3) * (x2 - x1) - (x4 - x3) * (y2 - y1);
    if (d == 0.0f) return false;
    const float ua = ((x4 - x3) * (y1 - y3) - (y4 - y3) * (x1 - x3)) / d;
    const float ub = ((x2 - x1) * (y1 - y3) - (y2 - y1) * (x1 - x3)) / d;
    return ua >= 0.0f && ua <= 1.0f && ub >= 0.0f && ub <= 1.0f;
}

void ApplyDrag(b2Body* body, float k)
{
    if (!body || body->GetType() != b2_dynamicBody) return;
    body->SetAwake(true);
    const b2Vec2 v = body->GetLinearVelocity();
    body->ApplyForce(b2Vec2(-k * v.x, -k * v.y), body->GetPosition(), true);
}

float Noise2(int32_t x, int32_t y)
{
    // 32-bit wrap-around arithmetic, done unsigned so overflow is defined.
    uint32_t n = uint32_t(x) + 57u * uint32_t(y);
    n = (n << 13) ^ n;
    const uint32_t m = (n * (n * n * 15731u + 789221u) + 1376312589u) & 0x7FFFFFFFu;
    return 1.0f - float(m) / 1073741824.0f;
}

float SmoothNoise(float x, float y)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int32_t ix = int32_t(fx);
    const int32_t iy = int32_t(fy);
    const float tx = x - fx;
    const float ty = y - fy;
    const float top = CosineInterpolate(Noise2(ix, iy), Noise2(ix + 1, iy), tx);
    const float bottom = CosineInterpolate(Noise2(ix, iy + 1), Noise2(ix + 1, iy + 1), tx);
    return CosineInterpolate(top, bottom, ty);
}

float FractalNoise(float x, float y)
{
    float sum = 0.0f;
    float frequency = 1.0f;
    float weight = 1.0f;
    for (int i = 0; i < 6; ++i) {
        sum += SmoothNoise(frequency * x, frequency * y) * weight;
        frequency *= 2.0f;
        weight *= 0.5f;
    }
    return 0.5f * sum;
}
