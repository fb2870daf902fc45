#pragma once
#include "world/GameObject.h"
#include <cstdint>

class TSprite;

// A score pick-up: a glowing "spr_dot" that spins in place where it was made
// and is worth one point to the player who touches it.
class TScoreDot : public TGameObject {
public:
    // At (x, y) world units; a small sensor circle with a random spin-up.
    TScoreDot(float x, float y);

    // Pulses, and keeps the dot on its spot.
    void Update() override;
    // Pulsing white at scale 1 or below, opaque white when scaled up.
    void Draw() override;
    // The player collects it: gone, and the run's score goes up by one.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    TSprite* sprite = nullptr;
    int32_t phase = 0;
    float anchorX = 0.0f, anchorY = 0.0f;  // world units
    float scale = 1.0f;

private:
    void BackToAnchor();
};
