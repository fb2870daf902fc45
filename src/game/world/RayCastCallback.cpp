#include "world/RayCastCallback.h"
#include "world/GameObject.h"
#include "world/Physics.h"
#include <box2d/b2_fixture.h>

bool TRayCastCallback::Rejects(b2Fixture* fixture, TGameObject* owner) const
{
    if (fixture->IsSensor()) return true;
    if (!owner || owner->collision != kCollisionModeSolid) return true;
    return (uint32_t(owner->collisionType) & mask) == 0;
}

float TRayCastCallback::Accept(TGameObject* owner, const b2Vec2& p, const b2Vec2& n, float f)
{
    point = p;
    normal = n;
    object = owner;
    hit = 1;
    fraction = f;
    // A hit right at the start cannot be beaten: stop there.
    if (f < 0.0001f) return 0.0f;
    return f;
}

float TRayCastCallback::ReportFixture(b2Fixture* fixture, const b2Vec2& p, const b2Vec2& n,
                                      float f)
{
    TGameObject* owner = ObjectOfFixture(fixture);
    if (Rejects(fixture, owner)) return -1.0f;
    return Accept(owner, p, n, f);
}
