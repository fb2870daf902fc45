#pragma once
#include "world/MinimalObject.h"
#include <box2d/b2_math.h>
#include <cstdint>
#include <string>

// The stone a big zombie throws. It flies in an arc (drawn large while high,
// shrinking as it comes down), harmless to its thrower for its first updates,
// then solid. A wall breaks it into dust; the player takes a blow and bleeds.
// A stone that lands without hitting anything rolls to a stop in a trail of
// dust and is gone.
class TZombiKivi : public TMinimalObject {
public:
    // At (x, y) world units, launched by the force (fx, fy).
    TZombiKivi(float x, float y, float fx, float fy);

    // Flight, landing, the dusty roll and its end.
    void Update() override;
    // Drop shadow below, the stone above, both larger while it is high.
    void Draw() override;
    // Stones are never saved: "".
    std::string GetCreateCommand() override;
    // Walls and the player stop it.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // True while the stone is still in the air.
    bool Flying() const { return scale >= 1.0f; }

    int32_t age = 0;
    float scale = kStartScale;

    static constexpr float kStartScale = 3.0f;
    static constexpr int32_t kHarmlessUpdates = 5;
    static constexpr float kDamage = 10.0f;
};
