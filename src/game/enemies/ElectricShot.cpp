#include "enemies/ElectricShot.h"
#include "audio/Mixer.h"
#include "enemies/Electric.h"
#include "enemies/Enemy.h"
#include "player/Actor.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>

namespace {

constexpr float kDegToRad = 3.14159265f / 180.0f;
// What the fan looks for.
constexpr uint32_t kElectricMask = kCollisionWall | kCollisionEnemy;
// Where the arc leaves the gun, in the holder's body frame.
const b2Vec2 kGunPoint(0.4f, 0.0f);

} // namespace

TElectricShot::TElectricShot(TActor* holder) : owner(holder)
{
    alwaysDraw = 1;
    fireSound = FindSound("elektripyss_lask");
    hitSound = FindSound("elektripyss_hit");
    channel.Switch(fireSound, kMaxVolume);
    b2Vec2 p(0.0f, 0.0f);
    if (holder) {
        holder->electricBeam = this;
        p = holder->GetPosition();
    }
    arc = new TElectric(p.x, p.y, p.x, p.y);
}

TElectricShot::~TElectricShot()
{
    Release();
}

TActor* TElectricShot::Owner() const
{
    TActor* actor = ObjectFromHandleAs<TActor>(owner);
    if (!actor || actor->electricBeam != this) return nullptr;
    return actor;
}

TElectric* TElectricShot::Arc() const
{
    return ObjectFromHandleAs<TElectric>(arc);
}

void TElectricShot::Release()
{
    channel.Halt();
    if (TElectric* a = Arc()) a->dead = 1;
    arc = nullptr;
    if (TActor* actor = Owner()) actor->electricBeam = nullptr;
    owner = nullptr;
}

void TElectricShot::Update()
{
    target = nullptr;
    if (dead) return;
    onScreen = 1;
    lifetime -= 1;
    TActor* actor = Owner();
    TElectric* a = Arc();
    if (lifetime < 0 || !actor || !actor->body || !a) {
        dead = 1;
        Release();
        return;
    }

    const b2Body* holderBody = actor->body;
    const b2Vec2 from = holderBody->GetPosition();
    const float facing = -holderBody->GetAngle();  // game angle

    // The fan: enemies first, then the nearest.
    bool found = false, foundEnemy = false;
    float bestFraction = 2.0f;
    b2Vec2 bestPoint(0.0f, 0.0f);
    TGameObject* bestObject = nullptr;
    for (int i = -5; i <= 5; ++i) {
        const b2Vec2 dir = AngleVector(facing + float(5 * i) * kDegToRad);
        const b2Vec2 to = from + kElectricReach * dir;
        b2Vec2 point;
        TGameObject* object = nullptr;
        float fraction = 1.0f;
        if (!RayCast(from.x, from.y, to.x, to.y, &point, nullptr, &object, kElectricMask, &fraction,
                     actor))
            continue;
        const bool isEnemy = object && object->collisionType == kEnemyCollisionType;
        if (found && foundEnemy && !isEnemy) continue;
        if (found && isEnemy == foundEnemy && fraction >= bestFraction) continue;
        found = true;
        foundEnemy = isEnemy;
        bestFraction = fraction;
        bestPoint = point;
        bestObject = object;
    }

    const b2Vec2 gun = holderBody->GetWorldPoint(kGunPoint);
    TActor* victim = foundEnemy ? dynamic_cast<TActor*>(bestObject) : nullptr;
    b2Vec2 tip;
    if (victim) {
        tip = victim->GetPosition();
        a->attached = 1;
        victim->health -= kElectricBurn;
        target = victim;
        channel.Switch(hitSound, kMaxVolume);
    } else {
        tip = found ? bestPoint : from + kElectricFizzle * AngleVector(facing);
        a->attached = 0;
        channel.Switch(fireSound, kMaxVolume);
    }

    a->SetEnds(gun, tip);
    const float p = a->phase[0];
    const float reach = (tip - gun).Length() / (1.5f + 0.55f * std::sin(6.0f * p));
    const float bend = 0.2f * std::sin(0.2f * p) - holderBody->GetAngle();  // game angle
    a->control = from + reach * AngleVector(bend);
}

void TElectricShot::Draw() {}

void KeepElectricShot(TActor* holder)
{
    if (!holder) return;
    TElectricShot* shot = ObjectFromHandleAs<TElectricShot>(holder->electricBeam);
    if (shot && !shot->dead && shot->Owner() == holder) {
        shot->lifetime = 2;
        return;
    }
    holder->electricBeam = nullptr;  // stale: the shot went without telling us
    new TElectricShot(holder);
}
