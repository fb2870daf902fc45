#pragma once
#include "world/MinimalObject.h"
#include <box2d/b2_math.h>
#include <cstdint>

class TContainer;
class TItem;

// Action numbers, the values of the script table `actions`.
enum ActorAction : int32_t {
    kActionIdle = 0,
    kActionWalk = 1,
    kActionFall = 2,
    kActionRise = 3,
    kActionPain = 4,
    kActionLay = 5,
    kActionHit = 6,  // the stab
    kActionShoot = 7,
    kActionAim = 8,
    kActionVehib1 = 9,
    kActionVehib2 = 10,
    kActionHide = 11,
    kActionDig = 12,
    kActionSprint = 13,
};

// Ammunition types an actor carries rounds of.
constexpr int kActorAmmoTypes = 10;

// Everything that walks, fights and carries things: the player and every
// enemy. Adds health, armor, an inventory, an ammunition store and an action
// number to a world object with a body.
//
// Damage: the entry points below are what bullets, explosions, blades and
// enemies call. The base versions only change health (and armor for bullets);
// the player and the enemies add blood, pushes, sounds and falling over.
class TActor : public TMinimalObject {
public:
    TActor();
    // Deletes the inventory (its items are marked dead and leave with the world).
    ~TActor() override;

    // Stores the action number.
    virtual void SetAction(int32_t newAction);
    // The item the actor uses: the first item of the inventory, null without one.
    virtual TItem* GetCurrentItem();
    // A particle burst of `amount` (at most 20) blood particles at (x, y) world
    // units heading (dx, dy), and one blood decal there.
    virtual void Bleed(float x, float y, float dx, float dy, int amount);

    // A bullet of `damage` with `piercing` percent armor piercing, pushing by
    // (vx, vy) world units. Base: ApplyArmoredDamage.
    virtual void HitByBullet(float vx, float vy, float damage, float piercing);
    // Unarmored damage (claws, explosions, falling debris). Base: health −= damage.
    virtual void TakeHit(float vx, float vy, float damage);
    // Unarmored damage that throws the actor to the floor. Base: TakeHit.
    virtual void KnockDown(float vx, float vy, float damage);
    // An explosion of `strength` centred at (x, y) world units. Base: TakeHit of
    // 3 × strength pushing away from the centre by 4 × strength.
    virtual void HitByExplosion(float x, float y, float strength);
    // A stab of `damage` pushing by (vx, vy). Base: TakeHit.
    virtual void Stabbed(float vx, float vy, float damage);
    // What the actor just took, for the player's HUD ("+24 pistol rounds").
    virtual void NotePickup(const std::string&) {}
    // A material went into the inventory (the player's HUD then says how to combine).
    virtual void TookMaterial() {}

    // Damage through armor: `piercing` percent of the damage passes the armor
    // and wears it down, the rest is reduced by the armor percentage. Returns
    // the health taken.
    float ApplyArmoredDamage(float damage, float piercing);

    // True while health is above 0.
    bool Alive() const { return health > 0.0f; }

    TGameObject* electricBeam = nullptr;  // kept alive by the weapon while firing
    TGameObject* laserBeam = nullptr;
    float health = 0.0f;
    float armor = 0.0f;                   // percent
    float maxHealth = 0.0f;
    TContainer* inventory = nullptr;      // owned
    int32_t ammo[kActorAmmoTypes] = {};
    int32_t action = kActionIdle;
    float stepCounter = 0.0f;             // distance left to the next footstep

protected:
    explicit TActor(TWorld* world);
};
