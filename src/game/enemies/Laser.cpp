#include "enemies/Laser.h"
#include "audio/Mixer.h"
#include "enemies/Enemy.h"
#include "player/Actor.h"
#include "player/weapons/Tulirelv.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/ScreenDistortion.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// What a beam stops at: walls, the player and enemies.
constexpr uint32_t kLaserMask = kCollisionWall | kCollisionPlayer | kCollisionEnemy;

} // namespace

TLaser::TLaser(TActor* holder, float beamDamage, TSprite* beamSprite)
    : damage(beamDamage), sprite(beamSprite), owner(holder)
{
    collisionType = kLaserCollisionType;
    collision = kCollisionModeNone;
    alwaysDraw = 1;
    SetDepth(kBeamDepth);
    fireSound = FindSound("laser_lask");
    hitSound = FindSound("laser_hit");
    channel.Switch(fireSound, kMaxVolume);
    if (holder) {
        holder->laserBeam = this;
        start = end = MuzzlePoint(holder);
    }
}

TLaser::~TLaser()
{
    Release();
}

TActor* TLaser::Owner() const
{
    TActor* actor = ObjectFromHandleAs<TActor>(owner);
    if (!actor || actor->laserBeam != this) return nullptr;
    return actor;
}

bool TLaser::LaserDamage(float* damageOut) const
{
    if (!damageOut) return false;
    *damageOut = damage;
    return true;
}

void TLaser::Release()
{
    channel.Halt();
    if (TActor* actor = Owner()) actor->laserBeam = nullptr;
    owner = nullptr;
}

void TLaser::Update()
{
    hit = 0;
    hitObject = nullptr;
    if (dead) return;
    lifetime -= 1;
    TActor* actor = Owner();
    if (lifetime < 0 || !actor || !actor->body) {
        dead = 1;
        Release();
        return;
    }

    start = MuzzlePoint(actor);
    const float a = actor->body->GetAngle();
    const b2Vec2 far = start + kLaserReach * b2Vec2(std::cos(a), std::sin(a));
    b2Vec2 point = far, normal(0.0f, 0.0f);
    TGameObject* object = nullptr;
    hit = RayCast(start.x, start.y, far.x, far.y, &point, &normal, &object, kLaserMask, nullptr,
                  actor) ? 1 : 0;
    end = hit ? point : far;
    if (!hit || !object) {
        channel.Switch(fireSound, kMaxVolume);
        return;
    }

    hitObject = object;
    if (world && world->particles) {
        for (int i = 0; i < 2; ++i)
            world->particles->EmitSpark(end.x * kPixelsPerUnit, end.y * kPixelsPerUnit,
                                        normal.x * 3.0f + RandomRange(-2.0f, 2.0f),
                                        normal.y * 3.0f + RandomRange(-2.0f, 2.0f));
    }
    object->OnContact(this, end, normal, b2Vec2(0.0f, 0.0f));
    channel.Switch(object->collisionType == kEnemyCollisionType ? hitSound : fireSound,
                   kMaxVolume);
}

void TLaser::Draw()
{
    if (dead) return;
    const float x1 = start.x * kPixelsPerUnit, y1 = start.y * kPixelsPerUnit;
    const float x2 = end.x * kPixelsPerUnit, y2 = end.y * kPixelsPerUnit;
    SetBlendMode(1);
    const float flicker = 0.75f + 0.25f * float(std::rand() % 100) / 100.0f;
    DrawThickLine(x1, y1, x2, y2, 1.0f, 0.2f, 0.15f, 0.35f * flicker, 3.0f);
    SetColor(1.0f, 1.0f, 1.0f, flicker);
    if (sprite) DrawSpriteStretched(sprite, x1, y1, x2, y2, kLaserFrame, 1.0f, 1.0f);
    else DrawThickLine(x1, y1, x2, y2, 1.0f, 0.85f, 0.8f, flicker, 1.0f);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    if (screenDistortion) {
        const float dx = x2 - x1, dy = y2 - y1;
        const float length = std::sqrt(dx * dx + dy * dy);
        // A few shimmering streaks along the beam, not one per pixel.
        if (length > 1.0f) {
            const int n = std::min(8, int(length / 40.0f) + 1);
            for (int i = 0; i < n; ++i) {
                const float t = (float(i) + 0.5f) / float(n);
                screenDistortion->AddStreak(x1 + t * dx, y1 + t * dy, 2.0f * dx / length,
                                            2.0f * dy / length, 3.0f, std::rand() % 3);
            }
        }
        if (hit) screenDistortion->AddRadial(x2, y2, 0.5f, 0);
    }
}

void KeepLaserBeam(TActor* holder, float damage)
{
    if (!holder) return;
    TLaser* beam = ObjectFromHandleAs<TLaser>(holder->laserBeam);
    if (beam && !beam->dead && beam->Owner() == holder) {
        beam->lifetime = 2;
        return;
    }
    holder->laserBeam = nullptr;  // stale: the beam went without telling us
    new TLaser(holder, damage, FindSprite("spr_kuul"));
}
