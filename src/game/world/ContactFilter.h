#pragma once
#include <box2d/b2_world_callbacks.h>

// Decides which fixture pairs touch: objects with collision mode 0 touch
// nothing; otherwise different group indices touch, a shared group touches
// when it is 0 or positive. Category and mask bits are not used.
class TContactFilter : public b2ContactFilter {
public:
    bool ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB) override;
};
