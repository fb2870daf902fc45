#include "enemies/PunaneRobot.h"
#include "enemies/RohelineZombi.h"
#include "render/Camera.h"
#include "render/Sprite.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The body fixture (Box2D lists the newest first; the gun comes after it).
b2Fixture* FirstFixture(b2Body* body)
{
    if (!body) return nullptr;
    b2Fixture* fixture = body->GetFixtureList();
    while (fixture && fixture->GetNext()) fixture = fixture->GetNext();
    return fixture;
}

constexpr float kChargeStartChance = 0.1f;
constexpr float kChargeTurnGain = 0.3f;
constexpr float kChargeShake = 2.0f;
constexpr float kChargeSpeedFactor = 1.4f;
constexpr float kChargeForceFactor = 6.0f;

} // namespace

TEnemyTuning RedRobotTuning()
{
    TEnemyTuning t;
    t.gibRadiusFactor = 0.0f;
    t.painResist = 1.0f;
    t.sightChance = 0.7f;
    t.sightRange = 12.0f;
    t.maxSpeedSq = 5.0f;
    t.moveForce = 27.0f;
    t.turnRate = 2.7f;
    t.steerChance = 0.7f;
    t.shootChance = 0.01f;
    t.aimSpread = 0.15f;
    t.touchDamage = 15.0f;
    t.knockDownChance = 0.0f;
    t.burstSize = 20;
    t.shootFrame = 14;
    t.explosionKills = 0;
    t.hasGun = 1;
    t.canGib = 0;
    t.scoreValue = 6;
    t.kP = 0.0168f;
    t.kI = 0.00112f;
    t.kD = 0.063f;
    return t;
}

TEnemyAnimationTable RedRobotAnimation()
{
    TEnemyAnimationTable table;
    table.Set(kActionIdle, 1, 2, 0.1f, kActionIdle);
    table.Set(kActionWalk, 1, 5, 0.001f, kAnimLoop);
    table.Set(kActionFall, 18, 22, 0.25f, kActionLay);
    table.Set(kActionPain, 15, 17, 0.1f, kActionIdle);
    table.Set(kActionLay, 22, 23, 0.0f, kAnimLoop);
    table.Set(kActionHit, 8, 9, 0.25f, kActionIdle);
    table.Set(kActionShoot, 13, 15, 0.5f, kActionShoot);
    table.Set(kActionAim, 9, 13, 0.25f, kActionShoot);
    table.Set(kActionSprint, 5, 9, 0.001f, kActionSprint);
    return table;
}

TPunaneRobot::TPunaneRobot(float x, float y) : TEnemy("red_commander")
{
    tuning = RedRobotTuning();
    animation = RedRobotAnimation();
    health = 600.0f;
    maxHealth = 600.0f;
    BuildBody(x, y, float(std::rand() % 10), 0.25f, 12.0f, 2.0f, 5.0f);
    AddCircleFixture(kGunFixtureX, kGunFixtureY, kGunFixtureRadius, 0.0f, false, body);
    sprite = FindSprite(kSpriteName);
    painSound = SoundNamed("punase_tondi_valu");
    stepSound = SoundNamed("punase_tondi_samm");
    alertSound = SoundNamed("punase_tondi_m8ire");
    shootSound = SoundNamed("mg-hv_lask");
    hitSound = SoundNamed("punane_tont_pihtas");
    attackSound = SoundNamed("zombi_l88b");
    SetAction(kActionIdle);
}

void TPunaneRobot::OnWalk()
{
    if (b2Fixture* fixture = FirstFixture(body)) fixture->SetSensor(true);
    TEnemy::OnWalk();
    if (Chance(kChargeStartChance) && chargeCooldown < 0) {
        const b2Vec2 p = BodyPosition();
        if (Distance(p.x, p.y, goalX, goalY) < kChargeRange) {
            SetAction(kActionSprint);
            PlayHere("punase_tondi_m8ire");
        }
    }
    chargeCooldown -= 1;
}

void TPunaneRobot::OnSprint()
{
    if (!body) return;
    const b2Vec2 p = body->GetPosition();
    if (Distance(p.x, p.y, goalX, goalY) > kChargeRange) SetAction(kActionWalk);
    TurnToward(goalX, goalY, kChargeTurnGain);
    cameraShake += kChargeShake;
    const float speed = body->GetLinearVelocity().Length();
    if (speed < kChargeSpeedFactor * tuning.maxSpeedSq) {
        const float a = body->GetAngle();
        body->ApplyForce(kChargeForceFactor * tuning.moveForce * b2Vec2(std::cos(a), std::sin(a)), p, true);
        frame += 0.25f * speed;
    }
    chargeCooldown = kChargeCooldown;
}

void TPunaneRobot::OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity)
{
    TEnemy::OnContact(other, point, normal, relativeVelocity);
    if (other && other->collisionType == kCollisionWall && action == kActionSprint) {
        SetAction(kActionIdle);
        PlayHere("punane_jookseb_seina");
    }
}

void TPunaneRobot::LeaveCorpse()
{
    TEnemy::LeaveCorpse();
    PlayHere("punase_tondi_surm");
}

std::string TPunaneRobot::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateRedRobot(%f,%f)\n", p.x - saveOriginX, p.y - saveOriginY);
    return line;
}
