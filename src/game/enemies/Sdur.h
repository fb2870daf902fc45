#pragma once
#include "enemies/Enemy.h"
#include <cstdint>
#include <string>

class TItem;

// The soldier: a trooper with a real firearm from the itemtable in a
// one-slot inventory and a thousand rounds of every ammunition type. It
// chases the player, sidesteps when the player aims at it, and when it has
// a clear line stops to aim and fires its weapon in bursts. The red and grey
// soldiers are the same trooper, tougher, faster and better shots.
//
// A soldier whose weapon name names no item fights unarmed: it never stops
// to aim and only hits in close contact.
class TSdur : public TEnemy {
public:
    // What tells the three soldiers apart.
    struct Variant {
        const char* kindName;
        const char* spriteName;
        const char* createFunction;  // the script function that makes it
        float health;
        float maxSpeedSq;
        float moveForce;
        float steerChance;
        float aimSpread;
        float touchDamage;
        int32_t burstSize;
        int32_t aimTime;
    };

    // At (x, y) world units (already through the creation transform) with the
    // item called `weapon`; "" and "0" mean the default "automaat".
    TSdur(float x, float y, const std::string& weapon);

    // Chase, footsteps, a chance to stop and aim when the player is in the
    // open, and the sidestep while the player aims at it.
    void OnWalk() override;
    // Follow the target; once the aim time is up, pull the trigger while the
    // player stays in sight, until the burst is spent.
    void OnAim() override;
    // The weapon fires from "aim"; here the soldier only keeps aiming.
    void OnShoot() override;
    // "CreateSoldier(x,y,\"weapon\")\n" (or the red or grey variant's function).
    std::string GetCreateCommand() override;

    // The weapon item still held, or null.
    TItem* Weapon() const;

    std::string weaponName;
    int32_t aimTimer = 0;
    int32_t aimTime = 15;
    int32_t dodgeCounter = -1;

    static const Variant kSoldier;

protected:
    TSdur(float x, float y, const std::string& weapon, const Variant& variant);

private:
    // The sidestep: a goal 2 m to the side of the line toward the player while
    // the player aims at us (and for 19 updates after), else the player.
    void Dodge();

    const Variant& variant;
};

// A soldier's tuning and its animation table (all three soldiers share it).
TEnemyTuning SoldierTuning(const TSdur::Variant& variant);
TEnemyAnimationTable SoldierAnimation();
// The weapon a creator's argument stands for: "" and "0" give "automaat".
std::string SoldierWeaponName(const std::string& requested);

// The player aims at something when the reversed aim lies within this many
// degrees of the direction from it to the player.
constexpr float kDodgeAngleDeg = 5.0f;
// Updates a soldier keeps sidestepping after the player stops aiming at it.
constexpr int32_t kDodgeUpdates = 19;
// Walk force while sidestepping and while closing in.
constexpr float kDodgeForce = 18.0f;
constexpr float kChaseForce = 6.0f;
