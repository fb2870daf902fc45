#pragma once
#include "world/GameObject.h"

class TSprite;

// An explosion: a flash of "spr_plahvatus" and the physical carrier of blast
// damage. Its body is a static sensor circle whose radius is the power (world
// units) in the collision category "explosion"; every object touching it
// during its few updates gets it as a contact and reacts in its own OnContact
// (actors through their explosion hit, with the strength below).
//
// The explosion only makes the blast: the sound, the crater and stronger
// camera shake belong to what exploded (bomb, rocket, charge).
class TPlahvatus : public TGameObject {
public:
    // At (x, y) world units; the power is kept within the limits below. Wakes every sleeping body inside the radius (a
    // sleeping body never reports contacts), kicks the camera and pushes a
    // radial ripple into the screen distortion.
    TPlahvatus(float x, float y, float power);

    // Lifetime down by one (dead below 0) and one smoke puff on the debris
    // system, scattered round the centre by the power.
    void Update() override;
    // Additive flash at 0.35 × power, alpha lifetime × (3 − lifetime).
    void Draw() override;

    float Strength() const { return power; }
    // The power, for whatever the blast touches.
    bool ExplosionStrength(float* strength) const override;

    int lifetime = 3;
    TSprite* sprite = nullptr;
    float power = 0.0f;
};

// Explosion powers (radii, world units) an explosion is kept within.
constexpr float kMinExplosionPower = 0.01f;
constexpr float kMaxExplosionPower = 100.0f;
