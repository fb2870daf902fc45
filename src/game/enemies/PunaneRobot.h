#pragma once
#include "enemies/Enemy.h"
#include <cstdint>
#include <string>

// The red robot (the red commander): a heavy machine that feels no pain and
// spots the player from far off. It fires long bursts, and when the player
// comes close it charges — a sprint that shakes the screen and ends when it
// runs into a wall or the player gets away. After a charge it needs 100
// updates before the next.
class TPunaneRobot : public TEnemy {
public:
    // At (x, y) world units (already through the creation transform).
    TPunaneRobot(float x, float y);

    // The base chase; close to its goal it may start a charge.
    void OnWalk() override;
    // The charge: a hard push along its facing, turning toward the goal.
    void OnSprint() override;
    // The base reactions; a wall ends a charge with a crash.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;
    // The wreck on the floor, and its dying sound.
    void LeaveCorpse() override;
    // "CreateRedRobot(x,y)\n".
    std::string GetCreateCommand() override;

    int32_t chargeCooldown = 0;

    static constexpr const char* kSpriteName = "spr_punanerobot";
};

// The red robot's tuning and animation table.
TEnemyTuning RedRobotTuning();
TEnemyAnimationTable RedRobotAnimation();

// A charge starts only when the goal is nearer than this, and stops when it
// gets farther.
constexpr float kChargeRange = 3.0f;
// Updates between the end of one charge and the chance of the next.
constexpr int32_t kChargeCooldown = 100;
