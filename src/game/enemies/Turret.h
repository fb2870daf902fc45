#pragma once
#include "enemies/Enemy.h"
#include "enemies/LoopingChannel.h"
#include <cstdint>
#include <string>

class b2Body;
class b2RevoluteJoint;

// The sentry gun: a static base and a heavy head on a revolute joint that
// swings up to a quarter turn either way. It wakes when it gets a clear look
// at the player within sight range, swings its head round to face the player
// and fires every fourth update while the head points within 20 degrees of
// him; it keeps shooting (through walls too) until the player leaves its
// range. While awake it drones: a looping channel whose volume follows how
// fast the head swings. The drone stops when the player leaves, when the
// turret dies and when the turret is removed with the level.
//
// Both bodies carry the turret as user data, so bullets striking the head
// reach it. The head body (and with it the joint) is destroyed by the turret's
// destructor; nothing else holds the joint.
class TTurret : public TEnemy {
public:
    // At (x, y) world units; both bodies get the body angle `bodyAngle`.
    TTurret(float x, float y, float bodyAngle);
    ~TTurret() override;

    // Sight, drone, aiming, firing and death (no state machine).
    void Update() override;
    // Base, then head, each with its shadow.
    void Draw() override;
    // "CreateTurret(x,y,angle)\n".
    std::string GetCreateCommand() override;

    // Smoke, sounds, the "deadturret" wreck and the scorched base decal.
    void LeaveCorpse() override;
    // Sparks and now and then a flying turret part instead of blood.
    void Bleed(float x, float y, float dx, float dy, int amount) override;
    void OnTouchPlayer(TPlayer* player) override;
    void OnExplosion(TGameObject* explosion) override;
    void OnBulletHit(TGameObject* bullet) override;
    void OnLaserHit(TGameObject* laser) override;

    // The head's angle minus the angle of the line from the player through
    // the turret, degrees in (−180, 180]: ±180 when the head faces the player.
    float AimError(b2Vec2 playerPosition) const;

    int32_t fireCooldown = 0;
    uint8_t active = 0;
    b2Body* head = nullptr;
    TLoopingChannel drone;

private:
    void Aim(b2Vec2 playerPosition);
    void Die();
};

TEnemyTuning TurretTuning();

constexpr int kTurretFrameBase = 0;
constexpr int kTurretFrameWreck = 1;
constexpr int kTurretFrameIdle = 2;
constexpr int kTurretFrameFiring = 3;
constexpr float kTurretLookChance = 0.1f;
constexpr float kTurretMaxSpin = 10.0f;  // radians per second
