#pragma once
#include <box2d/b2_math.h>
#include <box2d/b2_world_callbacks.h>
#include <cstdint>

class TGameObject;

// Keeps the closest accepted hit of a ray cast (see RayCast in Physics.h).
class TRayCastCallback : public b2RayCastCallback {
public:
    float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal,
                        float fraction) override;

    uint32_t mask = 0;
    b2Vec2 point{0.0f, 0.0f};
    b2Vec2 normal{0.0f, 0.0f};
    TGameObject* object = nullptr;
    uint8_t hit = 0;
    float fraction = 1.0f;

protected:
    // Sensors, non-solid objects and types outside the mask.
    bool Rejects(b2Fixture* fixture, TGameObject* owner) const;
    float Accept(TGameObject* owner, const b2Vec2& p, const b2Vec2& n, float f);
};
