#pragma once
#include "world/Sein.h"

// A breakable wooden block ("spr_puustuks"): every bullet knocks splinters off
// it and a quarter of its health away; it breaks on the twelfth hit. It shows
// frames 0..3 as it wears down and casts no field-of-view shadow.
class TPuuSein : public TSein {
public:
    // `value` is kept as the block's value and `storedValue` only for saving.
    TPuuSein(float x, float y, float angle, float value, int storedValue);

    // Frame 3 − (int)health while health is left, no outline.
    void Draw() override;
    // A CreateBlock line of type 6 with the stored value.
    std::string GetCreateCommand() override;
    // Bullets: splinters and −0.25 health, dead at exactly 0.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // The frame the block shows now; −1 once it is broken.
    int CurrentFrame() const;

    float health = 3.0f;
    int32_t storedValue = 0;
};
