#include "enemies/Turret.h"
#include "audio/Mixer.h"
#include "enemies/Laser.h"
#include "player/weapons/Kuul.h"
#include "player/Player.h"
#include "render/effects/Decals.h"
#include "render/GLState.h"
#include "render/effects/Limb.h"
#include "render/effects/ParticleSystem.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kDegToRad = kPi / 180.0f;
constexpr float kRadius = 0.25f;
constexpr float kHeadDensity = 9.0f;

float WrapDegrees180(float degrees)
{
    if (!std::isfinite(degrees)) return 0.0f;
    degrees = std::fmod(degrees, 360.0f);
    if (degrees > 180.0f) degrees -= 360.0f;
    if (degrees <= -180.0f) degrees += 360.0f;
    return degrees;
}

} // namespace

TEnemyTuning TurretTuning()
{
    TEnemyTuning t;
    t.sightRange = 10.0f;
    t.maxSpeedSq = 0.0f;
    t.moveForce = 0.0f;
    t.turnRate = 7.7f;
    t.scoreValue = 3;
    return t;
}

TTurret::TTurret(float x, float y, float bodyAngle) : TEnemy("sentry_gun")
{
    tuning = TurretTuning();
    health = 100.0f;
    maxHealth = 100.0f;
    sprite = FindSprite("spr_turret");
    frame = float(kTurretFrameIdle);
    shadowDist = 2.0f;
    hitSound = nullptr;

    body = CreateCircleBody(kRadius, 0.0f, true, this, 2.0f, 2.0f);
    head = CreateCircleBody(kRadius, kHeadDensity, false, this, 2.0f, 25.0f);
    if (!body || !head || !world || !world->physics) return;
    body->SetTransform(b2Vec2(x, y), bodyAngle);
    head->SetTransform(b2Vec2(x, y), bodyAngle);

    b2RevoluteJointDef joint;
    joint.Initialize(body, head, b2Vec2(x, y));
    joint.enableLimit = true;
    joint.lowerAngle = -1.5707964f;
    joint.upperAngle = 1.5707964f;
    world->physics->CreateJoint(&joint);
}

TTurret::~TTurret()
{
    drone.Halt();
    // Box2D takes the joint with the head.
    if (head && world && world->physics) world->physics->DestroyBody(head);
    head = nullptr;
}

std::string TTurret::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateTurret(%f,%f,%f)\n", p.x - saveOriginX,
                  p.y - saveOriginY, -GetAngle());
    return line;
}

float TTurret::AimError(b2Vec2 q) const
{
    if (!head) return 0.0f;
    const b2Vec2 p = head->GetPosition();
    const float away = std::atan2(p.y - q.y, p.x - q.x);
    return WrapDegrees180((head->GetAngle() - away) / kDegToRad);
}

void TTurret::Update()
{
    if (dead) return;
    TPlayer* player = Player();
    const b2Vec2 p = BodyPosition();
    const b2Vec2 q = player ? player->GetPosition() : b2Vec2(0.0f, 0.0f);
    const float d = player ? Distance(p.x, p.y, q.x, q.y) : 1e30f;

    bool awake = true;
    if (!(Chance(kTurretLookChance) && d < tuning.sightRange)) {
        frame = float(kTurretFrameIdle);
        awake = active != 0;
    } else if (!active) {
        if (!WallBetween(p.x, p.y, q.x, q.y)) active = 1;
        awake = active != 0;
    }

    if (awake && player && head) {
        if (d < tuning.sightRange) {
            if (drone.Channel() == -1 || !drone.Playing()) {
                PlayHere("turret_h22l");
                drone.Restart(FindSound("turret_drone"), kMaxVolume);
                drone.SetVolume(0);
            } else {
                const float toGoal = Distance(p.x, p.y, goalX, goalY);
                const float volume = std::fabs(head->GetAngularVelocity()) * 80.0f /
                                     std::max(2.0f, 0.5f * toGoal);
                drone.SetVolume(std::min(100, int(volume)));
            }
            SetTarget(player);
            goalX = q.x;
            goalY = q.y;
            Aim(q);
        } else {
            active = 0;
            drone.SetVolume(0);
        }
    }

    if (health < 0.0f) Die();
    else if (!Target()) SetAction(kActionIdle);
}

void TTurret::Aim(b2Vec2 q)
{
    const float e = AimError(q);
    const float inverseInertia = head->GetInertia() > 0.0f ? 1.0f / head->GetInertia() : 0.0f;
    float spin = head->GetAngularVelocity() + 12.8f * e * kDegToRad * inverseInertia;
    spin = std::clamp(spin, -kTurretMaxSpin, kTurretMaxSpin);
    head->SetAngularVelocity(spin);

    if (fireCooldown < 0 && e - 180.0f > -20.0f && e - 180.0f < 20.0f) {
        const b2Vec2 p = BodyPosition();
        new TKuul(p.x, p.y, -head->GetAngle(), 10.0f + float(std::rand() % 20), 10.0f, 100.0f, 2,
                  kBulletPlain, nullptr);
        head->SetAngularVelocity(head->GetAngularVelocity() +
                                 RandomRange(-0.03f, 0.03f) * inverseInertia);
        PlayHere("turret_lask");
        frame = float(kTurretFrameFiring);
        fireCooldown = 3;
    }
    fireCooldown -= 1;
}

void TTurret::Die()
{
    dead = 1;
    drone.Halt();
    CountKill();
    LeaveCorpse();
}

void TTurret::LeaveCorpse()
{
    const b2Vec2 p = BodyPosition();
    if (world && world->debris)
        for (int i = 0; i < 3; ++i)
            world->debris->EmitSmoke(p.x * kPixelsPerUnit, p.y * kPixelsPerUnit,
                                     RandomRange(0.5f, 1.2f));
    PlayHere("turret_h22l");
    const float distance = Distance(p.x, p.y, ListenerX(), ListenerY());
    PlaySound(FindSound("explosion"), PositionalVolume(distance) / 2);
    const float headAngle = head ? head->GetAngle() : GetAngle();
    TMinimalObject::Create(p.x, p.y, headAngle, "deadturret", nullptr);
    PlaceDecal(sprite, kTurretFrameWreck, p.x, p.y, -GetAngle());
}

void TTurret::Bleed(float x, float y, float, float, int amount)
{
    if (world && world->particles) {
        const int sparks = std::min(amount / 2, 5);
        for (int i = 0; i < sparks; ++i)
            world->particles->EmitSpark(x * kPixelsPerUnit, y * kPixelsPerUnit,
                                        RandomRange(-10.0f, 10.0f), RandomRange(-10.0f, 10.0f));
    }
    if (std::rand() % 3 == 0)
        new TLimb(x, y, RandomRange(-2.0f, 2.0f), RandomRange(-2.0f, 2.0f), std::rand() % 3,
                  FindSprite("spr_turretparts"), false);
}

void TTurret::OnTouchPlayer(TPlayer*) {}

void TTurret::OnExplosion(TGameObject* object)
{
    float power = 0.0f;
    if (!ExplosionPower(object, &power)) return;
    // The same scale as every other enemy (three health per pixel of the
    // blast), so explosives are an answer to a turret.
    health -= power * 3.0f;
}

void TTurret::OnBulletHit(TGameObject* object)
{
    TKuul* bullet = dynamic_cast<TKuul*>(object);
    if (!bullet) return;
    health -= bullet->damage;
    const b2Vec2 p = BodyPosition();
    if (world && world->particles) {
        const b2Vec2 v = bullet->velocity;
        for (int i = 0; i < 4; ++i)
            world->particles->EmitSpark(p.x * kPixelsPerUnit, p.y * kPixelsPerUnit,
                                        0.3f * v.x + RandomRange(-2.0f, 2.0f),
                                        0.3f * v.y + RandomRange(-2.0f, 2.0f));
    }
    PlayHere("kuul_tabab_raudseina");
}

void TTurret::OnLaserHit(TGameObject* object)
{
    if (const TLaser* laser = dynamic_cast<TLaser*>(object)) health -= laser->damage;
}

void TTurret::Draw()
{
    const b2Vec2 p = BodyPosition();
    const float px = kPixelsPerUnit * p.x, py = kPixelsPerUnit * p.y;
    const float baseAngle = -GetAngle();
    const float headAngle = head ? -head->GetAngle() : baseAngle;
    const int headFrame = DrawableFrame(sprite, frame);
    SetBlendMode(2);
    DrawSpriteTinted(sprite, px + shadowDist, py + shadowDist, baseAngle, kTurretFrameBase, 0.0f,
                     0.0f, 0.0f, 0.2f);
    DrawSprite(sprite, px, py, baseAngle, kTurretFrameBase);
    if (headFrame < 0) return;
    DrawSpriteTinted(sprite, px + shadowDist, py + shadowDist, headAngle, headFrame, 0.0f, 0.0f,
                     0.0f, 0.2f);
    DrawSprite(sprite, px, py, headAngle, headFrame);
}
