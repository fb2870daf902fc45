#include "world/ContactFilter.h"
#include "world/GameObject.h"
#include "world/Physics.h"
#include <box2d/b2_fixture.h>

bool TContactFilter::ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB)
{
    const TGameObject* a = ObjectOfFixture(fixtureA);
    const TGameObject* b = ObjectOfFixture(fixtureB);
    if ((a && a->collision == kCollisionModeNone) || (b && b->collision == kCollisionModeNone))
        return false;
    const int16 groupA = fixtureA->GetFilterData().groupIndex;
    const int16 groupB = fixtureB->GetFilterData().groupIndex;
    if (groupA != groupB) return true;
    return groupA >= 0;
}
