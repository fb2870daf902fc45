#pragma once
#include "world/GameObject.h"
#include <cstdint>

class TSprite;

// A gib: a piece of a body (or of a turret) thrown off by a blast or a burst of
// fire. It flies and spins, bleeds while it is fast if it is flesh, and once
// it comes to rest it turns into a floor decal of its own frame (with a blood
// splash under it when it bleeds).
class TLimb : public TGameObject {
public:
    // At (x, y) world units. (vx, vy) is the push the piece came from, world
    // units: it is launched with the impulse −0.25 × (vx, vy). Limbs never
    // touch each other (group −3).
    TLimb(float x, float y, float vx, float vy, int frame, TSprite* sprite, bool bleeds);
    // A limb that came to rest leaves its decal here.
    ~TLimb() override;

    // Below 0.1 units/s the limb is done; while it flies faster than 2 and
    // bleeds, it trails blood.
    void Update() override;
    void Draw() override;

    int frame = 0;
    TSprite* sprite = nullptr;
    uint8_t bleeds = 0;
};

// At rest below this speed (world units per second).
constexpr float kLimbRestSpeed = 0.1f;
