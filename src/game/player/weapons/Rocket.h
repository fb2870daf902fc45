#pragma once
#include "world/MinimalObject.h"
#include <string>

class TObjectDefinition;
class TRocketSmoke;

// A rocket: the objectlist kind "rocket" pushed along its facing every frame
// with no damping, weaving a little, streaking the screen distortion and
// feeding three smoke trails. It explodes on the first wall or enemy it
// touches.
class TRocket : public TMinimalObject {
public:
    // A rocket at (x, y) world units facing body angle `angle`, with its three
    // trails. Null when objectlist has no usable "rocket" entry; `error` (may
    // be null) then holds the script error text.
    static TRocket* Create(float x, float y, float angle, std::string* error);

    TRocket(float x, float y, float angle, const TObjectDefinition& definition);

    // Weave, thrust, distortion streak and six smoke points.
    void Update() override;
    // Shadow and sprite turned to the flight direction, then a flickering glow.
    void Draw() override;
    // A wall or an enemy: an explosion of 1.5 and "explosion"; gone.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;
    // Not saved with a level.
    std::string GetCreateCommand() override;

    // The unit facing (cos a, sin a) of body angle a.
    b2Vec2 Facing() const;
    // The trail, or null once it has gone.
    TRocketSmoke* Trail(int index) const;

    float wobblePhase = 0.0f;
    TRocketSmoke* trails[3] = {nullptr, nullptr, nullptr};  // left, centre, right
};

constexpr float kRocketThrust = 1.0f;
constexpr float kRocketPower = 1.5f;
constexpr int kRocketTrailLeft = 0;
constexpr int kRocketTrailCentre = 1;
constexpr int kRocketTrailRight = 2;
