#pragma once
#include "ui/Easing.h"  // CosineInterpolate
#include <box2d/b2_math.h>
#include <cstdint>

class b2Body;

// Shared geometry, random and noise functions. Angles in radians unless the
// name says otherwise. Game directions: θ points along (cos θ, −sin θ).

// lo + (hi − lo)·rand()/32767 (rand() is seeded once at start-up).
float RandomRange(float lo, float hi);
// True with probability p: always for p >= 1, never for p <= 0.
bool Chance(float p);

float Distance(float x1, float y1, float x2, float y2);
float DistanceSquared(float x1, float y1, float x2, float y2);
// atan2(y2 − y1, x1 − x2).
float AngleBetween(float x1, float y1, float x2, float y2);
// atan2(−y, x).
float VectorAngle(float x, float y);
// (cos a, −sin a).
b2Vec2 AngleVector(float a);
// The signed turn from a to b in degrees, in (−180, 180).
float AngleDifferenceDeg(float a, float b);

// (x·c − y·s + tx, x·s + y·c + ty).
b2Vec2 TransformPoint(float x, float y, float tx, float ty, float s, float c);
// The inverse of TransformPoint with the same tx, ty, s, c.
b2Vec2 InverseTransformPoint(float x, float y, float tx, float ty, float s, float c);
b2Vec2 RotateVector(float x, float y, float a);

b2Vec2 QuadraticBezier(float x0, float y0, float x2, float y2, float kx, float ky, float t);
b2Vec2 QuadraticBezierNormal(float x0, float y0, float x2, float y2, float kx, float ky, float t);
// True when segments P1P2 and P3P4 cross (parallel segments never do).
bool SegmentsIntersect(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                       float y4);

// On a dynamic body: wakes it and applies the force −k × velocity at its origin.
void ApplyDrag(b2Body* body, float k);

// Integer lattice noise in [−1, 1], the same for the same arguments.
float Noise2(int32_t x, int32_t y);
// Noise2 cosine-interpolated between the four lattice corners around (x, y).
float SmoothNoise(float x, float y);
// Six octaves of SmoothNoise, halving in weight.
float FractalNoise(float x, float y);
