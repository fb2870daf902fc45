#pragma once
#include <box2d/b2_math.h>

// Where script-created objects land: a translation and a turn applied to every
// position and angle given to an object-creating script function, so a
// module's objects can be placed anywhere at any angle. Identity at start.
class TCreationTransform {
public:
    void Set(float x, float y, float angle);
    // x, y and atan2(sine, cosine).
    void Get(float* x, float* y, float* angle) const;
    // (x·cos − y·sin + offsetX, x·sin + y·cos + offsetY).
    b2Vec2 Apply(float x, float y) const;
    // angle + the transform's angle.
    float ApplyAngle(float angle) const;
    float Angle() const;

    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float sine = 0.0f;
    float cosine = 1.0f;
};

extern TCreationTransform creationTransform;
