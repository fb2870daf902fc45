#include "enemies/Enemy.h"
#include "audio/Mixer.h"
#include "level/campaign/LevelProgress.h"
#include "player/weapons/Kuul.h"
#include "player/Player.h"
#include "render/effects/Decals.h"
#include "render/GLState.h"
#include "render/effects/Limb.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "script/ScriptHost.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegToRad = kPi / 180.0f;
constexpr float kTinyLength = 1.1920929e-07f;
// The instant turn of the wall probes: ten degrees.
constexpr float kProbeTurn = 0.17453292f;
// Beyond this the chase is given up.
constexpr float kGiveUpDistance = 16.0f;
// A buried enemy digs out when the player is nearer than this.
constexpr float kDigDistance = 2.0f;

// The fixture a body was made with (Box2D lists the newest first).
b2Fixture* FirstFixture(b2Body* body)
{
    if (!body) return nullptr;
    b2Fixture* fixture = body->GetFixtureList();
    while (fixture && fixture->GetNext()) fixture = fixture->GetNext();
    return fixture;
}

float WrapDegrees360(float degrees)
{
    if (!std::isfinite(degrees)) return 0.0f;
    degrees = std::fmod(degrees, 360.0f);
    if (degrees < 0.0f) degrees += 360.0f;
    return degrees;
}

// (random integer −500..499) / 200: the scatter of a gib.
float GibScatter()
{
    return float(std::rand() % 1000 - 500) / 200.0f;
}

b2Vec2 UnitOrRaw(b2Vec2 v)
{
    const float length = v.Length();
    if (length < kTinyLength) return v;
    return b2Vec2(v.x / length, v.y / length);
}

bool Stunned(int32_t action)
{
    return action == kActionFall || action == kActionRise || action == kActionLay;
}

} // namespace

TEnemy::TEnemy(const std::string& name) : kindName(name)
{
    SetDepth(kEnemyDepth);
    collision = kCollisionModeSolid;
    collisionType = kEnemyCollisionType;
    shadowDist = 2.0f;
    stabbedSound = SoundNamed("luukere_m66k");
    if (world) world->enemyCounts[kindName] += 1;
    CallScriptFunction("AddToRndTable",
                       {ScriptValue::Pointer(static_cast<TGameObject*>(this)), ScriptValue::String(kindName)},
                       0, ScriptErrors::Console);
}

TEnemy::~TEnemy()
{
    if (!dead && world) {
        auto it = world->enemyCounts.find(kindName);
        if (it != world->enemyCounts.end()) it->second -= 1;
    }
}

const TSound* TEnemy::SoundNamed(const char* name)
{
    if (!name) return nullptr;
    return FindSound(name);
}

void TEnemy::BuildBody(float x, float y, float angle, float radius, float density,
                       float linearDamping, float angularDamping)
{
    body = CreateCircleBody(radius, density, false, this, linearDamping, angularDamping);
    if (body) body->SetTransform(b2Vec2(x, y), angle);
}

bool TEnemy::WallBetween(float x1, float y1, float x2, float y2)
{
    return RayCast(x1, y1, x2, y2, nullptr, nullptr, nullptr, kCollisionWall, nullptr);
}

TPlayer* TEnemy::Player() const
{
    return CurrentPlayer();
}

b2Vec2 TEnemy::BodyPosition() const
{
    return body ? body->GetPosition() : b2Vec2(0.0f, 0.0f);
}

TGameObject* TEnemy::Target()
{
    if (!target) return nullptr;
    TGameObject* object = ObjectFromHandle(target);
    if (!object) target = nullptr;
    return object;
}

void TEnemy::SetTarget(TGameObject* object)
{
    target = object;
}

void TEnemy::PlayAt(const TSound* sound, float x, float y) const
{
    if (sound) PlaySoundAt(sound, x, y);
}

void TEnemy::PlayHere(const TSound* sound) const
{
    const b2Vec2 p = BodyPosition();
    PlayAt(sound, p.x, p.y);
}

void TEnemy::PlayHere(const char* soundName) const
{
    const b2Vec2 p = BodyPosition();
    PlaySoundAt(soundName, p.x, p.y);
}

// --- the state machine ------------------------------------------------------

void TEnemy::SetAction(int32_t newAction)
{
    TActor::SetAction(newAction);
    const TEnemyAnimation& entry = animation.For(newAction);
    if (entry.first >= 0.0f) frame = entry.first;
}

void TEnemy::Update()
{
    // Gibbed during this step: the world removes it after the update walk.
    if (dead) return;
    headingErrorSum *= 0.9f;
    switch (action) {
    case kActionIdle: OnIdle(); CheckStab(); break;
    case kActionWalk: OnWalk(); CheckStab(); break;
    case kActionFall: OnFall(); break;
    case kActionRise: OnRise(); CheckStab(); break;
    case kActionPain: OnPain(); CheckStab(); break;
    case kActionLay: OnLay(); break;
    case kActionShoot: OnShoot(); CheckStab(); break;
    case kActionAim: OnAim(); CheckStab(); break;
    case kActionHide: OnHide(); break;
    case kActionDig: OnDig(); CheckStab(); break;
    case kActionSprint: OnSprint(); CheckStab(); break;
    default: break;  // "hit" and the vehicle actions have no handler
    }
    hitsThisFrame = 0;
    Animate();
    CheckDeath();
}

void TEnemy::Animate()
{
    const TEnemyAnimation entry = animation.For(action);
    if (AdvanceAnimation(entry, &frame) == AnimationStep::Finished) SetAction(entry.next);
}

void TEnemy::CheckDeath()
{
    if (health < 0.0f && action != kActionFall && action != kActionLay) {
        SetAction(kActionFall);
        PlayHere(deathSound);
    }
}

void TEnemy::CheckStab()
{
    TPlayer* player = Player();
    if (!player || player->action != kActionHit || !player->body) return;
    b2Fixture* fixture = FirstFixture(body);
    if (!fixture) return;
    const b2Vec2 point = player->body->GetWorldPoint(b2Vec2(0.5f, 0.25f));
    if (!fixture->TestPoint(point)) return;
    if (stabbedSound) PlaySound(stabbedSound, kMaxVolume);
    health -= player->stabDamage * tuning.stabVulnerability;
    const float a = player->body->GetAngle();
    Bleed(point.x, point.y, std::cos(a), std::sin(a), 5 + std::rand() % 5);
}

// --- steering ---------------------------------------------------------------

float TEnemy::HeadingError(float x, float y) const
{
    if (!body) return 0.0f;
    const b2Vec2 p = body->GetPosition();
    const float wanted = WrapDegrees360(std::atan2(y - p.y, x - p.x) / kDegToRad);
    const float current = WrapDegrees360(body->GetAngle() / kDegToRad);
    float u = wanted - current;
    if (u >= 180.0f) u -= 360.0f;
    if (u <= -180.0f) u += 360.0f;
    return u;
}

void TEnemy::SteerToward(float x, float y)
{
    if (!body || Stunned(action)) return;
    const float u = HeadingError(x, y);
    const float torque = (u - headingErrorPrev) * tuning.kD + headingErrorSum * tuning.kI + u * tuning.kP;
    body->ApplyTorque(torque, true);
    headingErrorPrev = u;
    headingErrorSum += u;
}

void TEnemy::TurnToward(float x, float y, float gain)
{
    if (!body || Stunned(action)) return;
    const float u = HeadingError(x, y);
    body->ApplyTorque(u * kDegToRad * tuning.turnRate * gain, true);
}

// --- handlers ---------------------------------------------------------------

void TEnemy::OnIdle()
{
    if (!Chance(tuning.sightChance)) return;
    TPlayer* player = Player();
    if (!player || !body) return;
    const b2Vec2 p = BodyPosition();
    const b2Vec2 q = player->GetPosition();
    if (Distance(p.x, p.y, q.x, q.y) >= tuning.sightRange) return;
    if (WallBetween(p.x, p.y, q.x, q.y)) return;
    SetTarget(player);
    SetAction(kActionWalk);
    if (alertSound) {
        PlayHere(alertSound);
        alertSound = nullptr;  // each enemy gives its alert once
    }
}

void TEnemy::WalkStep()
{
    if (stepCounter < 0.0f && stepSound) {
        PlayHere(stepSound);
        stepCounter += 30.0f;
    }

    const float a = body->GetAngle();
    const b2Vec2 p = body->GetPosition();
    const b2Vec2 velocity = body->GetLinearVelocity();
    if (velocity.LengthSquared() < tuning.maxSpeedSq)
        body->ApplyForce(tuning.moveForce * b2Vec2(std::cos(a), std::sin(a)), p, true);
    float speed = velocity.Length();
    const float cap = tuning.maxSpeedSq > 0.0f ? std::sqrt(tuning.maxSpeedSq) : 0.0f;
    if (speed > cap) speed = cap;
    frame += tuning.walkAnimFactor * speed;
    stepCounter -= speed;
}

void TEnemy::OnWalk()
{
    if (!body) return;
    WalkStep();
    const float a = body->GetAngle();
    const b2Vec2 p = body->GetPosition();

    const float d = Distance(p.x, p.y, goalX, goalY);

    // Wall ahead on the way to the goal: turn toward the first open direction.
    if (WallBetween(goalX, goalY, p.x, p.y) &&
        WallBetween(p.x, p.y, p.x + std::cos(a), p.y + std::sin(a))) {
        for (int i = 0; i < 5; ++i) {
            const float theta = 30.0f * float(i) * kDegToRad;
            const b2Vec2 left = AngleVector(theta);
            if (!WallBetween(p.x, p.y, p.x + left.x, p.y + left.y)) {
                body->SetTransform(p, a - kProbeTurn);
                break;
            }
            const b2Vec2 right = AngleVector(-theta);
            if (!WallBetween(p.x, p.y, p.x + right.x, p.y + right.y)) {
                body->SetTransform(p, a + kProbeTurn);
                break;
            }
        }
    }

    SteerToward(goalX, goalY);
    if (Chance(d >= 1.5f ? tuning.steerChance : 4.0f * tuning.steerChance)) SteerToward(goalX, goalY);

    if (tuning.hasGun && Chance(tuning.shootChance) && !WallBetween(goalX, goalY, p.x, p.y)) {
        SetAction(kActionAim);
        shotsLeft = tuning.burstSize;
    }
    firedThisFrame = 1;
    if (d > kGiveUpDistance) SetAction(kActionIdle);
    if (TGameObject* t = Target()) {
        const b2Vec2 q = t->GetPosition();
        goalX = q.x;
        goalY = q.y;
    }
}

void TEnemy::OnAim()
{
    TGameObject* t = Target();
    TPlayer* player = Player();
    if (t && player && body) {
        const b2Vec2 p = body->GetPosition();
        const b2Vec2 q = player->GetPosition();
        if (!WallBetween(p.x, p.y, q.x, q.y)) {
            const b2Vec2 g = t->GetPosition();
            goalX = g.x;
            goalY = g.y;
        }
    }
    if (Chance(tuning.steerChance)) SteerToward(goalX, goalY);
    if (int(frame) != tuning.shootFrame) firedThisFrame = 0;
    if (b2Fixture* fixture = FirstFixture(body)) fixture->SetSensor(false);
}

void TEnemy::OnShoot()
{
    if (b2Fixture* fixture = FirstFixture(body)) fixture->SetSensor(false);
    OnAim();
    if (!Target()) SetAction(kActionIdle);
    if (!body) return;
    if (int(frame) != tuning.shootFrame) {
        firedThisFrame = 0;
        return;
    }
    if (firedThisFrame) return;
    const b2Vec2 muzzle = body->GetWorldPoint(b2Vec2(0.4f, -0.2f));
    const float shotAngle = RandomRange(-tuning.aimSpread, tuning.aimSpread) - body->GetAngle();
    const float speed = RandomRange(10.0f, 30.0f);
    new TKuul(muzzle.x, muzzle.y, shotAngle, speed, 10.0f, 100.0f, 2, kBulletPlain, this);
    body->SetTransform(body->GetPosition(), -shotAngle);
    shotsLeft -= 1;
    if (shotsLeft < 1) SetAction(kActionWalk);
    firedThisFrame = 1;
    PlayAt(shootSound, muzzle.x, muzzle.y);
}

void TEnemy::OnFall()
{
    SetCollisionMode(kCollisionModeNone);
    if (!body) return;
    ApplyDrag(body, 3.0f);
    if (body->GetType() != b2_staticBody) body->SetAngularVelocity(0.0f);
}

void TEnemy::OnPain()
{
    painTimer -= 1;
    if (painTimer < 0) SetAction(kActionIdle);
}

void TEnemy::OnRise() {}

void TEnemy::OnLay()
{
    dead = 1;
    CountKill();
    LeaveCorpse();
}

void TEnemy::LeaveCorpse()
{
    const int f = DrawableFrame(sprite, frame);
    if (f < 0 || !body) return;
    const b2Vec2 p = body->GetPosition();
    PlaceDecal(sprite, f, p.x, p.y, -body->GetAngle());
}

void TEnemy::OnSprint()
{
    SetAction(kActionIdle);
}

void TEnemy::OnHide()
{
    SetCollisionMode(kCollisionModeNone);
    if (!Chance(0.01f)) return;
    TPlayer* player = Player();
    if (!player) return;
    const b2Vec2 p = BodyPosition();
    const b2Vec2 q = player->GetPosition();
    if (Distance(p.x, p.y, q.x, q.y) < kDigDistance) SetAction(kActionDig);
}

void TEnemy::OnDig()
{
    SetCollisionMode(kCollisionModeSolid);
}

// --- counting ---------------------------------------------------------------

void TEnemy::CountKill()
{
    if (world) world->killCounts[kindName] += 1;
    if (TLevelProgress* progress = CurrentProgress()) progress->score += tuning.scoreValue;
    // The scripts chose a drop when they heard of this enemy (AddToRndTable);
    // an optional hook lets them put it on the floor where it fell.
    if (ScriptFunctionExists("DropEnemyLoot")) {
        const b2Vec2 p = GetPosition();
        CallScriptFunction("DropEnemyLoot",
                           {ScriptValue::Pointer(static_cast<TGameObject*>(this)), ScriptValue::Number(p.x),
                            ScriptValue::Number(p.y)},
                           0, ScriptErrors::Console);
    }
}

// --- reactions --------------------------------------------------------------

void TEnemy::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (!other) return;
    switch (other->collisionType) {
    case kCollisionBullet: OnBulletHit(other); break;
    case kCollisionPlayer:
        if (TPlayer* player = dynamic_cast<TPlayer*>(other)) OnTouchPlayer(player);
        break;
    case kCollisionExplosion: OnExplosion(other); break;
    case kLaserCollisionType: OnLaserHit(other); break;
    default: break;
    }
}

void TEnemy::OnTouchPlayer(TPlayer* player)
{
    if (!player || !body || action != kActionWalk) return;
    if (player->action == kActionFall) return;
    const b2Vec2 q = player->GetPosition();
    if (std::fabs(HeadingError(q.x, q.y)) > 90.0f) return;
    SetAction(kActionHit);
    const b2Vec2 v = 5.0f * UnitOrRaw(body->GetPosition() - q);
    if (Chance(tuning.knockDownChance))
        player->KnockDown(v.x, v.y, tuning.touchDamage);
    else
        player->TakeHit(3.0f * v.x, 3.0f * v.y, tuning.touchDamage);
    if (attackSound) PlaySound(attackSound, kMaxVolume);
}

void TEnemy::Gib(const b2Vec2 launch[4], bool withSound)
{
    dead = 1;
    health = -1.0f;
    const b2Vec2 p = BodyPosition();
    TSprite* pieces = FindSprite("spr_zombitykid1");
    for (int i = 0; i < 4; ++i) {
        new TLimb(p.x, p.y, launch[i].x, launch[i].y, i % 5, pieces, true);
        if (withSound) PlayHere("zombi_ribadeks");
    }
}

void TEnemy::OnBulletHit(TGameObject* object)
{
    TKuul* bullet = dynamic_cast<TKuul*>(object);
    if (!bullet) return;
    const float damage = bullet->damage;
    health -= damage;
    hitsThisFrame += 1;
    const b2Vec2 v = (1.0f / kPixelsPerUnit) * bullet->velocity;

    if (tuning.canGib && ((hitsThisFrame > 4 && !dead) ||
                          (bullet->bulletType == kBulletExploding && Chance(0.5f)))) {
        b2Vec2 launch[4];
        for (b2Vec2& l : launch) {
            const float r1 = GibScatter();
            const float r2 = GibScatter();
            l.Set(r1 - 2.0f * v.x, r2 - 2.0f * v.y);
        }
        Gib(launch, true);  // no kill, no score
    }

    const b2Vec2 p = BodyPosition();
    Bleed(p.x, p.y, v.x, v.y, int(damage));
    PlayHere(hitSound);
    if (Chance(1.0f - tuning.painResist)) {
        SetAction(kActionPain);
        if (std::rand() % 3 == 0) PlayHere(painSound);
    }
    if (body) body->ApplyForce(20.0f * v, p, true);
}

void TEnemy::OnLaserHit(TGameObject* laser)
{
    float damage = 0.0f;
    if (!laser || !laser->LaserDamage(&damage)) damage = 0.0f;
    health -= damage;
    hitsThisFrame = std::rand() % 6;
    if (hitsThisFrame > 4 && tuning.canGib) {
        b2Vec2 launch[4];
        for (b2Vec2& l : launch) {
            const float r1 = GibScatter();
            const float r2 = GibScatter();
            l.Set(r1, r2);
        }
        Gib(launch, false);
    }
    const b2Vec2 p = BodyPosition();
    Bleed(p.x, p.y, 0.0f, 0.0f, int(damage));
    if (Chance(1.0f - tuning.painResist)) {
        SetAction(kActionPain);
        if (std::rand() % 3 == 0) PlayHere(painSound);
    }
}

bool TEnemy::ExplosionPower(const TGameObject* object, float* power)
{
    float strength = 0.0f;
    if (!object || !object->ExplosionStrength(&strength)) return false;
    if (power) *power = strength * kPixelsPerUnit;
    return true;
}

void TEnemy::OnExplosion(TGameObject* object)
{
    float power = 0.0f;
    if (!ExplosionPower(object, &power) || !body) return;

    const b2Vec2 p = body->GetPosition();
    const b2Vec2 centre = object->GetPosition();
    const b2Vec2 w = 2.0f * UnitOrRaw(p - centre);
    const float d = Distance(centre.x, centre.y, p.x, p.y);

    SetAction(tuning.explosionKills ? kActionFall : kActionPain);
    if (w.LengthSquared() > 0.0f) body->SetTransform(p, std::atan2(w.y, w.x));

    if (power * tuning.gibRadiusFactor <= d * 12.0f || dead) {
        Bleed(p.x, p.y, w.x, w.y, int(power * 3.0f));
        body->ApplyForce(10.0f * w, p, true);
    } else {
        dead = 1;
        PlaceDecal("spr_veri", std::rand() % 8, p.x + RandomRange(-0.2f, 0.2f),
                   p.y + RandomRange(-0.2f, 0.2f), float(std::rand() % 100));
        PlayHere("zombi_ribadeks");
        health = -1.0f;
        CountKill();
        b2Vec2 launch[4];
        for (b2Vec2& l : launch)
            l.Set(6.0f * w.x + RandomRange(-3.5f, 3.5f), 6.0f * w.y + RandomRange(-3.5f, 3.5f));
        TSprite* pieces = FindSprite("spr_zombitykid1");
        for (int i = 0; i < 4; ++i) new TLimb(p.x, p.y, launch[i].x, launch[i].y, i % 5, pieces, true);
    }
    health -= power * 3.0f;
}

// --- drawing ----------------------------------------------------------------

void TEnemy::Draw()
{
    const int f = DrawableFrame(sprite, frame);
    if (f < 0) return;
    const b2Vec2 p = BodyPosition();
    const float a = -GetAngle();
    SetBlendMode(2);
    DrawSpriteTinted(sprite, kPixelsPerUnit * p.x + shadowDist, kPixelsPerUnit * p.y + shadowDist, a, f,
                     0.0f, 0.0f, 0.0f, 0.2f);
    DrawSprite(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a, f);
}
