#pragma once
#include "enemies/Enemy.h"
#include <string>

// The big zombie: a slow, heavy brute that shrugs off most hits, roars once
// when it first sees the player, and from time to time stops to hurl a stone
// (TZombiKivi) instead of firing.
class TBigZombi : public TEnemy {
public:
    // At (x, y) world units (already through the creation transform).
    TBigZombi(float x, float y);

    // At the shoot frame one stone leaves its hand toward where it faces,
    // then it walks on.
    void OnShoot() override;
    // "CreateBigZombie(x,y)\n".
    std::string GetCreateCommand() override;

    static constexpr const char* kSpriteName = "spr_szombi";
};

// The big zombie's tuning and animation table.
TEnemyTuning BigZombieTuning();
TEnemyAnimationTable BigZombieAnimation();

// The force a thrown stone leaves the hand with.
constexpr float kStoneThrowForce = 20.0f;
