#include "enemies/Sdur.h"
#include "player/items/Container.h"
#include "player/items/Item.h"
#include "player/items/ItemFactory.h"
#include "player/Player.h"
#include "render/Sprite.h"
#include "util/LuaQuoted.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kRadToDeg = 180.0f / kPi;
constexpr float kGiveUpDistance = 16.0f;
constexpr float kDodgeStep = 2.0f;
constexpr const char* kDefaultWeapon = "automaat";
constexpr int32_t kSoldierAmmo = 1000;

} // namespace

const TSdur::Variant TSdur::kSoldier = {
    "soldat", "spr_s6dur", "CreateSoldier", 50.0f, 14.0f, 6.0f, 0.7f, 0.2f, 6.0f, 3, 15,
};

TEnemyTuning SoldierTuning(const TSdur::Variant& variant)
{
    TEnemyTuning t;
    t.gibRadiusFactor = 0.5f;
    t.painResist = 0.1f;
    t.sightChance = 0.2f;
    t.sightRange = 10.0f;
    t.maxSpeedSq = variant.maxSpeedSq;
    t.moveForce = variant.moveForce;
    t.turnRate = 0.07f;
    t.steerChance = variant.steerChance;
    t.shootChance = 0.03f;
    t.aimSpread = variant.aimSpread;
    t.touchDamage = variant.touchDamage;
    t.knockDownChance = 0.0f;
    t.burstSize = variant.burstSize;
    t.shootFrame = 0;
    t.explosionKills = 0;
    t.hasGun = 1;
    t.canGib = 1;
    t.scoreValue = 2;
    return t;
}

TEnemyAnimationTable SoldierAnimation()
{
    TEnemyAnimationTable table;
    table.Set(kActionIdle, 0, 1, 0.1f, kActionIdle);
    table.Set(kActionWalk, 0, 5, 0.001f, kAnimLoop);
    table.Set(kActionFall, 19, 23, 0.25f, kActionLay);
    table.Set(kActionRise, 23, 19, -0.1f, kActionIdle);
    table.Set(kActionPain, 20, 21, 0.0f, kActionIdle);
    table.Set(kActionLay, 22, 23, 0.1f, kAnimLoop);
    table.Set(kActionHit, 27, 31, 0.5f, kActionIdle);
    // The weapon sets the frames while aiming and shooting.
    table.Set(kActionShoot, -1, -1, 0.5f, kActionAim);
    table.Set(kActionAim, -1, -1, 0.25f, kActionAim);
    return table;
}

std::string SoldierWeaponName(const std::string& requested)
{
    if (requested.empty() || requested == "0") return kDefaultWeapon;
    return requested;
}

TSdur::TSdur(float x, float y, const std::string& weapon) : TSdur(x, y, weapon, kSoldier) {}

TSdur::TSdur(float x, float y, const std::string& weapon, const Variant& v)
    : TEnemy(v.kindName), weaponName(SoldierWeaponName(weapon)), aimTime(v.aimTime), variant(v)
{
    tuning = SoldierTuning(v);
    animation = SoldierAnimation();
    health = v.health;
    maxHealth = v.health;
    BuildBody(x, y, float(std::rand() % 10), 0.15f, 4.0f, 3.5f, 2.0f);
    sprite = FindSprite(v.spriteName);
    painSound = SoundNamed("zombi_valu");
    stepSound = SoundNamed("s6dur_samm");
    shootSound = SoundNamed("mg-hv_lask");
    hitSound = SoundNamed("zombi_hit");
    attackSound = SoundNamed("s6dur_l88b");
    SetAction(kActionIdle);

    for (int32_t& rounds : ammo) rounds = kSoldierAmmo;
    inventory = new TContainer(1, this);
    TItem* item = CreateItemByName(x, y, weaponName);
    if (item && !inventory->Insert(item)) item->dead = 1;
    if (!Weapon()) {
        std::fprintf(stderr, "%s at (%.2f, %.2f): no weapon \"%s\", it fights unarmed\n", v.kindName,
                     double(x), double(y), weaponName.c_str());
        tuning.hasGun = 0;
    }
    shotsLeft = tuning.burstSize;
}

TItem* TSdur::Weapon() const
{
    if (!inventory) return nullptr;
    TItem* item = inventory->Slot(0);
    if (!item || item->dead) return nullptr;
    return item;
}

void TSdur::OnWalk()
{
    if (!body) return;
    WalkStep();
    const b2Vec2 p = body->GetPosition();

    if (Chance(tuning.steerChance)) SteerToward(goalX, goalY);

    TPlayer* player = Player();
    if (tuning.hasGun && player && Chance(tuning.shootChance)) {
        const b2Vec2 q = player->GetPosition();
        if (!WallBetween(q.x, q.y, p.x, p.y)) {
            SetAction(kActionAim);
            shotsLeft = tuning.burstSize;
        }
    }
    firedThisFrame = 1;
    if (Distance(p.x, p.y, goalX, goalY) > kGiveUpDistance) SetAction(kActionIdle);
    if (TGameObject* t = Target()) {
        const b2Vec2 g = t->GetPosition();
        goalX = g.x;
        goalY = g.y;
    }
    aimTimer = aimTime;
    Dodge();
}

void TSdur::Dodge()
{
    TPlayer* player = Player();
    if (!player || !body) return;
    const b2Vec2 p = body->GetPosition();
    const b2Vec2 q = player->GetPosition();
    const float toPlayer = VectorAngle(q.x - p.x, q.y - p.y);

    bool aimedAt = false;
    float side = 0.0f;
    if (player->aim.LengthSquared() > 0.0f) {
        const float reversedAim = VectorAngle(-player->aim.x, -player->aim.y);
        const float difference = AngleDifferenceDeg(toPlayer * kRadToDeg, reversedAim * kRadToDeg);
        aimedAt = std::fabs(difference) < kDodgeAngleDeg;
        side = difference;
    }
    if (aimedAt) {
        dodgeCounter = kDodgeUpdates;
    } else if (dodgeCounter > 0) {
        dodgeCounter -= 1;
    } else {
        tuning.moveForce = kChaseForce;
        goalX = q.x;
        goalY = q.y;
        return;
    }
    const float sideways = toPlayer + (side < 0.0f ? -0.5f * kPi : 0.5f * kPi);
    const b2Vec2 step = AngleVector(sideways);
    goalX = p.x + kDodgeStep * step.x;
    goalY = p.y + kDodgeStep * step.y;
    tuning.moveForce = kDodgeForce;
}

void TSdur::OnAim()
{
    TEnemy::OnAim();
    aimTimer -= 1;
    TItem* weapon = Weapon();
    if (!weapon) {
        // Lost its weapon (a medkit or bomb used up, say): back to the chase.
        SetAction(kActionWalk);
        return;
    }
    if (shotsLeft < 0) {
        SetAction(kActionWalk);
        return;
    }
    if (aimTimer >= 0) return;
    TPlayer* player = Player();
    if (!player || !body) {
        SetAction(kActionWalk);
        return;
    }
    const b2Vec2 p = body->GetPosition();
    const b2Vec2 q = player->GetPosition();
    if (RayCast(p.x, p.y, q.x, q.y, nullptr, nullptr, nullptr, kCollisionWall | kCollisionEnemy, nullptr,
                this)) {
        SetAction(kActionWalk);
        return;
    }
    if (weapon->Activate())
        shotsLeft = -1;
    else
        shotsLeft -= 1;
}

void TSdur::OnShoot()
{
    TEnemy::OnAim();
}

std::string TSdur::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char position[96];
    std::snprintf(position, sizeof position, "%f,%f,", p.x - saveOriginX, p.y - saveOriginY);
    return std::string(variant.createFunction) + "(" + position + LuaQuoted(weaponName) + ")\n";
}
