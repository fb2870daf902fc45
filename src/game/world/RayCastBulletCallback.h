#pragma once
#include "world/RayCastCallback.h"

// A ray cast that also passes through one object (the shooter).
class TRayCastBulletCallback : public TRayCastCallback {
public:
    float ReportFixture(b2Fixture* fixture, const b2Vec2& point, const b2Vec2& normal,
                        float fraction) override;

    TGameObject* ignore = nullptr;
};
