#pragma once
#include "enemies/Enemy.h"
#include <string>

// The big soldier: a hulking green brute with a machine gun in its fist (a
// small second fixture ahead of its right shoulder). It walks like the big
// zombie and hoses the player with bursts of twenty.
class TRohelineZombi : public TEnemy {
public:
    // At (x, y) world units (already through the creation transform).
    TRohelineZombi(float x, float y);

    // "CreateBigSoldier(x,y)\n".
    std::string GetCreateCommand() override;

    static constexpr const char* kSpriteName = "spr_srzombi";
};

// The big soldier's tuning and animation table.
TEnemyTuning BigSoldierTuning();
TEnemyAnimationTable BigSoldierAnimation();

// The gun fixture of the big soldier and the red robot: a circle of this
// radius at this body-frame point.
constexpr float kGunFixtureRadius = 0.05f;
constexpr float kGunFixtureX = 0.4f;
constexpr float kGunFixtureY = -0.2f;
