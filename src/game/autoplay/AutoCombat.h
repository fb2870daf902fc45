#pragma once
#include "autoplay/ItemStepWatch.h"
#include "world/ObjectRef.h"
#include <box2d/b2_math.h>
#include <string>
#include <utility>
#include <vector>

class TAutoControls;
class TEnemy;
class TItem;
class TPlayer;
class TTulirelv;
class TWorld;

// The automatic player's fighting: it picks the nearest enemy it can see,
// keeps its best loaded weapon in hand, aims (leading a moving target),
// shoots while keeping its distance, reloads between fights, heals with
// medkits, and without anything to shoot with goes its way and stabs what
// comes too near. Everything goes through the controls a person uses.
class TAutoCombat {
public:
    // What this frame's fighting asks of the legs.
    // Cover: out of the line of fire of CoverFrom() (a burst coming, or
    // reloading). Flee: away from the target without aiming, faster than it.
    // Hold: a swarm or heavies coming, met where the way is narrow.
    enum class Stance { None, Stand, BackOff, Strafe, Cover, Flee, Hold };

    // One frame: picks the enemy to fight (Target() afterwards), heals,
    // stabs, throws, aims and shoots as the fight asks, and says what it
    // wants of the legs: Stance::None with nothing in sight to fight, or
    // nothing to fight with.
    Stance Fight(TPlayer& player, TWorld& world, TAutoControls& hands);
    // Fires at a point (a block in the way); false when there is nothing to shoot with.
    bool ShootAt(TPlayer& player, b2Vec2 point, TAutoControls& hands);
    // Between fights: heal when hurt, put a vest on, reload a partly empty
    // weapon, take the best weapon in hand.
    void Tend(TPlayer& player, TAutoControls& hands);
    // One that outlasts a clip or two: a turret, or an enemy of a heavy's health.
    static bool Tough(const TEnemy& enemy);
    // The enemy being fought (null when none is in sight); valid this frame only.
    TEnemy* Target() const { return target; }
    // Where the gunman being hidden from stands (with Stance::Cover).
    b2Vec2 CoverFrom() const { return coverFrom; }
    // Whether the gunman hidden from fires a heavy's long bursts.
    bool CoverFromHeavy() const;
    // No cover within reach: fight in the open for a while.
    void NoCover();
    // Getting away does not work (a corner, cover that is none): neither
    // hide nor flee for a while, fight.
    void StandAndFight();
    // The best weapon with rounds loaded or in store, or null.
    static TTulirelv* BestWeapon(const TPlayer& player, float distance);
    // Whether another gun carried fires the same rounds and is worth more
    // with them: this one only takes a place in the pack.
    static bool Outclassed(const TPlayer& player, const TTulirelv& weapon);
    // The damage the rounds it carries could do, loaded and in store.
    static float Firepower(const TPlayer& player);
    // The nearest gunman on its feet within `reach` of `at`, seen or not; null when none is.
    static TEnemy* NearestGunman(TWorld& world, b2Vec2 at, float reach);
    // The first carried item of that name, or null.
    static TItem* Carried(const TPlayer& player, const std::string& name);
    // The medkits it carries.
    static int Medkits(const TPlayer& player);

private:
    TEnemy* FindTarget(TPlayer& player, TWorld& world) const;
    // The bomb the bomb key brings into the hand, or null.
    static TItem* FirstBomb(const TPlayer& player);
    // Where a bomb would do most: the target when it is a heavy or a turret at
    // a throwing distance, else the thickest crowd in sight at one. False
    // when neither is worth a bomb.
    bool BombSpot(TPlayer& player, TWorld& world, b2Vec2* spot) const;
    // A bomb to the bomb spot; true while busy with that (bringing it into
    // the hand, aiming, throwing).
    bool ThrowBomb(TPlayer& player, TWorld& world, TAutoControls& hands);
    // Turns the knife on the nearest enemy within arm's length; false when none is.
    bool Stab(TPlayer& player, TWorld& world, TAutoControls& hands) const;
    bool Heal(TPlayer& player, TAutoControls& hands, float below);
    // Brings the item into the hand; true once it is the selected one.
    bool Select(TPlayer& player, const TItem* item, TAutoControls& hands);
    // The quick-switch action that brings the item up at once, or null
    // when only the item steps reach it.
    static const char* QuickKey(const TPlayer& player, const TItem& item);
    // The presses that bring the item in this pack slot into the hand.
    static int PressesToSelect(const TPlayer& player, int slot);
    // Whether the item can be brought into the hand now: the item steps are
    // "use" too, and beside a crate the game gives them to the crate.
    bool CanSelect(const TPlayer& player, const TItem& item) const;
    // A gun of sticky charges for the target (a heavy or a turret) at this
    // distance; null when it is no such target, out of their span, or none is carried.
    TTulirelv* ChargesFor(const TPlayer& player, float distance) const;
    // Rockets at the target (a heavy or a turret) at this distance; true while
    // busy with that (bringing the launcher into the hand, aiming, firing).
    bool FireRocket(TPlayer& player, float distance, TAutoControls& hands);
    // Puts a carried armour vest on when the armour is worn down; true while busy.
    bool PutOnVest(TPlayer& player, TAutoControls& hands);
    // Whether the enemy is being left alone for now.
    bool Ignored(TEnemy* enemy) const;
    // Leaves the target alone when shooting at it does not hurt it (frames
    // spent walking away from it or hiding do not count).
    void WatchProgress();
    // Whether to get out of the target's line of fire now, with `weapon` in hand.
    bool WantsCover(const TPlayer& player, const TTulirelv& weapon, float distance) const;
    // Still hiding from the gunman hidden from before: while its burst lasts
    // or the gun in hand reloads. Reloads meanwhile.
    bool StayInCover(TPlayer& player, TAutoControls& hands);

    TEnemy* target = nullptr;
    int clock = 0;  // frames of fighting decisions
    TObjectRef watched;
    float watchedHealth = 0.0f;
    int watchedSince = 0;
    // Enemies out of reach: each with where it stood and until which clock.
    struct OutOfReach {
        TObjectRef enemy;
        b2Vec2 at;
        int until;
    };
    std::vector<OutOfReach> ignored;
    int reloadWait = 0;
    TItemStepWatch steps;
    int stepsBlockedUntil = 0;  // the item steps are left alone until then
    TObjectRef coverThreat;
    b2Vec2 coverFrom{0.0f, 0.0f};
    int coverUntil = 0;
    int noCoverUntil = 0;
    int noFleeUntil = 0;
    bool fleeing = false;
};

// Whether the segment from `from` to `to` reaches `object` before any wall.
bool InSight(b2Vec2 from, b2Vec2 to, const void* object, const TPlayer& player);
