#include "enemies/Skeleton.h"
#include "player/weapons/Kuul.h"
#include "render/effects/Limb.h"
#include "render/effects/ParticleSystem.h"
#include "render/Sprite.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <algorithm>
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float kTinyLength = 1.1920929e-07f;
constexpr int kMostDust = 20;
constexpr int kDustPerPiece = 4;

b2Vec2 UnitOrRaw(b2Vec2 v)
{
    const float length = v.Length();
    if (length < kTinyLength) return v;
    return b2Vec2(v.x / length, v.y / length);
}

// Up to 20 particles for a hit of `damage`; none below 1.
int DustCount(float damage)
{
    if (!(damage >= 1.0f)) return 0;
    return std::min(int(damage), kMostDust);
}

} // namespace

TEnemyTuning SkeletonTuning()
{
    TEnemyTuning t;
    t.gibRadiusFactor = 0.15f;
    t.painResist = 0.2f;
    t.sightChance = 0.2f;
    t.sightRange = 10.0f;
    t.maxSpeedSq = 14.0f;
    t.moveForce = 6.0f;
    t.turnRate = 2.7f;
    t.steerChance = 0.5f;
    t.shootChance = 0.0f;
    t.touchDamage = 15.0f;
    t.knockDownChance = 0.0f;
    t.explosionKills = 0;
    t.hasGun = 0;
    t.canGib = 1;
    t.scoreValue = 2;
    t.kP = 0.0168f;
    t.kI = 0.00112f;
    t.kD = 0.063f;
    return t;
}

TEnemyAnimationTable SkeletonAnimation()
{
    TEnemyAnimationTable table;
    table.Set(kActionIdle, 0, 1, 0.1f, kActionIdle);
    table.Set(kActionWalk, 0, 4, 0.001f, kAnimLoop);
    table.Set(kActionFall, 8, 11, 0.25f, kActionLay);
    table.Set(kActionRise, 0, 0, 0.0f, kActionIdle);
    table.Set(kActionPain, 12, 16, 0.0f, kActionIdle);
    table.Set(kActionLay, 10, 11, 0.0f, kAnimLoop);
    table.Set(kActionHit, 4, 7, 0.25f, kActionIdle);
    return table;
}

TSkeleton::TSkeleton(float x, float y) : TEnemy("skeleton")
{
    tuning = SkeletonTuning();
    animation = SkeletonAnimation();
    health = 250.0f;
    maxHealth = 250.0f;
    BuildBody(x, y, float(std::rand() % 10), 0.35f, 2.0f, 3.5f, 10.0f);
    sprite = FindSprite(kSpriteName);
    stepSound = SoundNamed("luukere_samm");
    shootSound = SoundNamed("szombi_viskab");
    hitSound = SoundNamed("luukere_pihtas");
    attackSound = SoundNamed("luukere_m66k");
    SetAction(kActionIdle);
}

void TSkeleton::OnWalk()
{
    TEnemy::OnWalk();
    if (std::rand() % 200 == 0) PlayHere("luukere_nois");
}

void TSkeleton::OnExplosion(TGameObject* object)
{
    float power = 0.0f;
    if (!ExplosionPower(object, &power) || !body) return;

    const b2Vec2 p = body->GetPosition();
    const b2Vec2 centre = object->GetPosition();
    const b2Vec2 w = 2.0f * UnitOrRaw(p - centre);
    const float d = Distance(centre.x, centre.y, p.x, p.y);
    TParticleSystem* particles = world ? world->particles : nullptr;

    SetAction(kActionFall);
    if (power * tuning.gibRadiusFactor <= d * 12.0f) {
        if (particles) particles->BoneDustBurst(p.x, p.y, w.x, w.y, int(power * 3.0f));
        body->ApplyForce(10.0f * w, p, true);
    } else if (!dead) {
        dead = 1;
        TSprite* bones = FindSprite("spr_luukeretykid");
        for (int i = 0; i < kBonePieces; ++i) {
            const float vx = 3.0f * w.x + RandomRange(-3.5f, 3.5f);
            const float vy = 3.0f * w.y + RandomRange(-3.5f, 3.5f);
            new TLimb(p.x, p.y, vx, vy, i % 5, bones, false);
            if (particles) particles->BoneDustBurst(p.x, p.y, -vx, -vy, kDustPerPiece);
        }
    }
    health -= power * 3.0f + 10.0f;
}

void TSkeleton::OnBulletHit(TGameObject* object)
{
    TKuul* bullet = dynamic_cast<TKuul*>(object);
    if (!bullet) return;
    const b2Vec2 p = BodyPosition();
    const b2Vec2 velocity = bullet->velocity;
    if (body) body->ApplyForce((1.0f / 3.0f) * velocity, p, true);
    PlayHere(hitSound);
    health -= bullet->damage;

    TParticleSystem* particles = world ? world->particles : nullptr;
    if (!particles) return;
    // The dust flies on with the bullet, scattered.
    const b2Vec2 base = (5.0f / 7.0f / kPixelsPerUnit) * velocity;
    float x = kPixelsPerUnit * p.x;
    float y = kPixelsPerUnit * p.y;
    const int n = DustCount(bullet->damage);
    for (int i = 0; i < n; ++i) {
        x += float(std::rand() % 5 - 2);
        y += float(std::rand() % 5 - 2);
        particles->EmitBoneDust(x, y, base.x + RandomRange(-5.0f, 5.0f), base.y + RandomRange(-5.0f, 5.0f));
    }
    if (std::rand() % 3 == 0)
        particles->EmitSpark(x, y, base.x + RandomRange(-1.0f, 1.0f), base.y + RandomRange(-1.0f, 1.0f));
}

void TSkeleton::OnLaserHit(TGameObject* laser)
{
    float damage = 0.0f;
    if (!laser || !laser->LaserDamage(&damage)) damage = 0.0f;
    health -= damage;
    TParticleSystem* particles = world ? world->particles : nullptr;
    if (!particles) return;
    const b2Vec2 p = BodyPosition();
    float x = kPixelsPerUnit * p.x;
    float y = kPixelsPerUnit * p.y;
    const int n = DustCount(damage);
    for (int i = 0; i < n; ++i) {
        x += float(std::rand() % 3 - 1);
        y += float(std::rand() % 3 - 1);
        particles->EmitBoneDust(x, y, RandomRange(-5.0f, 5.0f), RandomRange(-5.0f, 5.0f));
        particles->EmitSpark(x, y, RandomRange(-1.0f, 1.0f), RandomRange(-1.0f, 1.0f));
    }
}

std::string TSkeleton::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateMSkeleton(%f,%f)\n", p.x - saveOriginX, p.y - saveOriginY);
    return line;
}
