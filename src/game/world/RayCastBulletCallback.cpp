#include "world/RayCastBulletCallback.h"
#include "world/Physics.h"
#include <box2d/b2_fixture.h>

float TRayCastBulletCallback::ReportFixture(b2Fixture* fixture, const b2Vec2& p, const b2Vec2& n,
                                            float f)
{
    TGameObject* owner = ObjectOfFixture(fixture);
    if (fixture->IsSensor() || owner == ignore) return -1.0f;
    if (Rejects(fixture, owner)) return -1.0f;
    return Accept(owner, p, n, f);
}
