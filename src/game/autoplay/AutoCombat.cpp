#include "autoplay/AutoCombat.h"
#include "enemies/Enemy.h"
#include "enemies/Sdur.h"
#include "enemies/Turret.h"
#include "autoplay/AutoControls.h"
#include "autoplay/AutoTuning.h"
#include "player/items/CombineMenu.h"
#include "player/items/Container.h"
#include "player/weapons/Medkit.h"
#include "player/PlayerInventory.h"
#include "player/Player.h"
#include "player/weapons/TimeBomb.h"
#include "player/weapons/Tulirelv.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <algorithm>
#include <cmath>
#include <cstring>

using namespace autotune;

namespace {

// What bullets hit, the player aside.
constexpr uint32_t kSightMask = kCollisionWall | kCollisionEnemy;

bool Usable(const TTulirelv& weapon, const TActor& holder)
{
    return weapon.roundsLoaded > 0 || holder.ammo[weapon.ammoType] > 0;
}

// What one round does when it hits. A laser's beam burns its damage every
// update it touches, and spends a cell every reload-time updates.
float DamagePerRound(const TTulirelv& weapon)
{
    if (weapon.bulletType == kShotLaser) return float(weapon.damage * std::max(1, std::abs(weapon.reloadTime)));
    return float(weapon.damage * std::max(1, weapon.bulletCount));
}

// The share of the time held that a gun fires: the rest it reloads. Two
// shells and a long reload is little more than one shot a second.
float FiringShare(const TTulirelv& weapon)
{
    const float shots = float(std::max(1, weapon.clipSize)) / float(std::max(1, weapon.ammoCount));
    const float firing = shots * float(std::max(1, std::abs(weapon.reloadTime)));
    return firing / (firing + float(std::max(0, weapon.clipReloadTime)));
}

// Rough damage per second, reloads counted, less for a gun whose rounds run
// short: the rounds a store holds go further in a gun that does more with each.
float Worth(const TTulirelv& weapon, const TActor& holder, float distance)
{
    const float rate = 30.0f / float(std::max(1, std::abs(weapon.reloadTime))) * FiringShare(weapon);
    const float perRound = DamagePerRound(weapon);
    const float rounds = float(weapon.roundsLoaded + holder.ammo[weapon.ammoType]);
    const float supply = std::min(1.0f, rounds * perRound / kFullSupplyDamage);
    float worth = perRound * rate * (0.25f + 0.75f * supply);
    // Pellets spread: good near, poor far.
    if (weapon.bulletCount > 1 && distance > kPelletFalloffDistance) worth *= kPelletFarWorth;
    // Bullets fly, spread and miss what moves; a beam held on the mark does not.
    if (weapon.bulletType != kShotLaser) worth *= kBulletHitShare;
    return worth;
}

// A second's fire of the gun as it is loaded takes `enemy` down: finishing
// it is better cover than any wall.
bool AlmostDown(const TTulirelv& weapon, const TActor& holder, const TEnemy& enemy, float distance)
{
    return weapon.roundsLoaded > 0 && Worth(weapon, holder, distance) >= enemy.health;
}

// An enemy worth shooting at: alive, on its feet and solid (not fallen, hidden
// or dug in); nullptr for anything else.
TEnemy* StandingEnemy(TGameObject* object)
{
    auto* enemy = dynamic_cast<TEnemy*>(object);
    if (!enemy || enemy->dead || !enemy->Alive() || enemy->collision != kCollisionModeSolid) return nullptr;
    return enemy;
}

// The nearest enemy on its feet within `reach` of `at` that `wanted` accepts; null when none is.
template <typename Wanted>
TEnemy* NearestStanding(TWorld& world, b2Vec2 at, float reach, Wanted wanted)
{
    TEnemy* nearest = nullptr;
    for (TGameObject* object : world.objects) {
        TEnemy* enemy = StandingEnemy(object);
        if (!enemy || !wanted(*enemy)) continue;
        const float distance = (enemy->GetPosition() - at).Length();
        if (distance >= reach) continue;
        nearest = enemy;
        reach = distance;
    }
    return nearest;
}

// Enemies standing within `radius` of `point` that `wanted` accepts (all by default).
template <typename Wanted>
int Crowd(TWorld& world, b2Vec2 point, float radius, Wanted wanted)
{
    int count = 0;
    for (TGameObject* object : world.objects) {
        TEnemy* enemy = StandingEnemy(object);
        if (enemy && wanted(*enemy) && (enemy->GetPosition() - point).Length() < radius) ++count;
    }
    return count;
}

int Crowd(TWorld& world, b2Vec2 point, float radius)
{
    return Crowd(world, point, radius, [](const TEnemy&) { return true; });
}

// The combine menu has the item keys and the trigger while it is open.
bool CombineMenuOpen(const TPlayer& player)
{
    const TPlayerInventory* inventory = player.PlayerInventory();
    return inventory && inventory->combineMenu && inventory->combineMenu->open;
}

// A heavy slower than the player (the red robot, the big soldier): kept at
// a distance, wounded or not, as its touch and a burst at arm's length hurt most.
bool SlowHeavy(const TEnemy& enemy)
{
    return enemy.maxHealth >= kToughHealth && enemy.tuning.maxSpeedSq < kSlowSpeedSq &&
           !dynamic_cast<const TTurret*>(&enemy);
}

// What one burst of a gunman's would take off the player if every round hit.
float BurstDamage(const TEnemy& enemy)
{
    float perRound = kUnknownRoundDamage;
    if (auto* soldier = dynamic_cast<const TSdur*>(&enemy))
        if (auto* weapon = dynamic_cast<const TTulirelv*>(soldier->Weapon()))
            perRound = float(weapon->damage * std::max(1, weapon->bulletCount));
    return perRound * float(std::max(1, enemy.tuning.burstSize));
}

// A gunman raising its gun or firing (a person sees it too).
bool Aiming(const TEnemy& enemy)
{
    return enemy.action == kActionAim || enemy.action == kActionShoot;
}

} // namespace

bool TAutoCombat::Tough(const TEnemy& enemy)
{
    return dynamic_cast<const TTurret*>(&enemy) != nullptr || enemy.health >= kToughHealth;
}

bool InSight(b2Vec2 from, b2Vec2 to, const void* object, const TPlayer& player)
{
    TGameObject* hit = nullptr;
    const bool any = RayCast(from.x, from.y, to.x, to.y, nullptr, nullptr, &hit, kSightMask, nullptr,
                             const_cast<TPlayer*>(&player));
    return !any || hit == object;
}

TEnemy* TAutoCombat::FindTarget(TPlayer& player, TWorld& world) const
{
    const b2Vec2 at = player.GetPosition();
    TEnemy* best = nullptr;
    float bestDistance = kSightRange;
    for (TGameObject* object : world.objects) {
        TEnemy* enemy = StandingEnemy(object);
        if (!enemy) continue;
        if (Ignored(enemy)) continue;
        const b2Vec2 p = enemy->GetPosition();
        const float away = (p - at).Length();
        float distance = away;
        // Stay on the same enemy while it is in sight.
        if (enemy == target) distance -= kTargetStickiness;
        // Turrets and gunmen shoot from farther than the player fights: answer them from there.
        const bool turret = dynamic_cast<TTurret*>(enemy) != nullptr;
        if (turret || enemy->tuning.hasGun) distance -= kGunReach - kSightRange;
        // A turret in whose sight he stands fires without pause while he
        // fights anything else: it comes first (it is soon broken, or he backs out of its sight).
        if (turret && away < enemy->tuning.sightRange) distance -= kAimingReach;
        // One that raises its gun at the player is answered from farther still.
        if (enemy->tuning.hasGun && Aiming(*enemy)) distance -= kAimingReach - kGunReach;
        if (distance >= bestDistance || !InSight(at, p, enemy, player)) continue;
        best = enemy;
        bestDistance = distance;
    }
    return best;
}

bool TAutoCombat::Ignored(TEnemy* enemy) const
{
    // One that walks off from where it stood has come round what was in the way.
    for (const OutOfReach& out : ignored)
        if (out.enemy.Is(enemy) && out.until > clock &&
            (enemy->GetPosition() - out.at).Length() < kIgnoredWalkOff)
            return true;
    return false;
}

void TAutoCombat::WatchProgress()
{
    if (!target || !watched.Is(target)) {
        watched = TObjectRef(target);
        watchedHealth = target ? target->health : 0.0f;
        watchedSince = clock;
        return;
    }
    if (target->health < watchedHealth) {
        watchedHealth = target->health;
        watchedSince = clock;
        return;
    }
    // Shot at all this while and not hurt: something stands in the way. Not
    // so for a gunman aiming at the player: it has a line of fire, so has he.
    if (clock - watchedSince < kNoProgressFrames || (target->tuning.hasGun && Aiming(*target))) return;
    std::erase_if(ignored, [this](const OutOfReach& out) { return out.until <= clock; });
    ignored.push_back({TObjectRef(target), target->GetPosition(), clock + kIgnoreFrames});
    target = nullptr;
    watched.Reset();
}

TTulirelv* TAutoCombat::BestWeapon(const TPlayer& player, float distance)
{
    if (!player.inventory) return nullptr;
    // The gun in hand, while it has rounds in it, counts for more: the rounds
    // it spends lower its worth, and without this he would switch to and fro
    // between guns of about the same worth, raising each and reloading it.
    const TItem* inHand = player.inventory->SelectedItem();
    const auto worth = [&](const TTulirelv& weapon) {
        const float base = Worth(weapon, player, distance);
        return &weapon == inHand && weapon.roundsLoaded > 0 ? base * kWeaponInHandBonus : base;
    };
    TTulirelv* best = nullptr;
    float bestWorth = 0.0f;
    for (int i = 0; i < player.inventory->slotCount; ++i) {
        auto* weapon = dynamic_cast<TTulirelv*>(player.inventory->Slot(i));
        if (!weapon || !Usable(*weapon, player)) continue;
        if (weapon->bulletType == kShotSmallExplosive && distance < kExplosiveSafeDistance) continue;
        if (const float w = worth(*weapon); !best || w > bestWorth) {
            best = weapon;
            bestWorth = w;
        }
    }
    return best;
}

bool TAutoCombat::Outclassed(const TPlayer& player, const TTulirelv& weapon)
{
    if (!player.inventory) return false;
    const float worth = Worth(weapon, player, kTendDistance);
    for (int i = 0; i < player.inventory->slotCount; ++i) {
        auto* other = dynamic_cast<TTulirelv*>(player.inventory->Slot(i));
        if (!other || other == &weapon || other->ammoType != weapon.ammoType) continue;
        if (Worth(*other, player, kTendDistance) > worth) return true;
    }
    return false;
}

TTulirelv* TAutoCombat::ChargesFor(const TPlayer& player, float distance) const
{
    // A heavy or a turret outlasts clips of rounds; charges that cling to it
    // and go off do it in. Only from where they reach it and their blast does not reach him.
    if (!Tough(*target) || !player.inventory || distance < kChargeNear || distance > kChargeFar) return nullptr;
    for (int i = 0; i < player.inventory->slotCount; ++i) {
        auto* weapon = dynamic_cast<TTulirelv*>(player.inventory->Slot(i));
        if (weapon && weapon->bulletType == kShotSmallExplosive && Usable(*weapon, player)) return weapon;
    }
    return nullptr;
}

const char* TAutoCombat::QuickKey(const TPlayer& player, const TItem& item)
{
    const std::string& key = item.shortcutKey;
    for (const char* action : {"sc_1", "sc_2", "sc_3", "sc_4", "sc_bombs"})
        if (key == action) return action;
    // The medkit key is the bomb key too, and the bombs are switched to last:
    // it brings up a medkit only while no bomb is carried.
    if (key == "sc_medkit" && !FirstBomb(player)) return "sc_medkit";
    return nullptr;
}

int TAutoCombat::PressesToSelect(const TPlayer& player, int slot)
{
    const TContainer& inventory = *player.inventory;
    const TItem* item = inventory.Slot(slot);
    if (!item || slot == inventory.selected) return 0;
    const char* key = QuickKey(player, *item);
    int presses = 0;
    if (key) {
        // The quick key goes round its group from the slot after the first,
        // or after the selected item when that is of the group already.
        const TItem* held = inventory.SelectedItem();
        const int from = held && held->shortcutKey == key ? inventory.selected : 0;
        for (int k = 1; k <= inventory.slotCount; ++k) {
            const int i = (from + k) % inventory.slotCount;
            if (const TItem* other = inventory.Slot(i); other && other->shortcutKey == key) ++presses;
            if (i == slot) break;
        }
        return presses;
    }
    // The item step goes back a slot at a time, past the empty ones.
    for (int i = inventory.selected; i != slot;) {
        i = i > 0 ? i - 1 : inventory.slotCount - 1;
        if (inventory.Slot(i)) ++presses;
    }
    return presses;
}

bool TAutoCombat::CanSelect(const TPlayer& player, const TItem& item) const
{
    if (!player.inventory || CombineMenuOpen(player)) return false;
    return player.inventory->SelectedItem() == &item || QuickKey(player, item) ||
           (!player.lootingCrate && clock >= stepsBlockedUntil);
}

bool TAutoCombat::Select(TPlayer& player, const TItem* item, TAutoControls& hands)
{
    if (!item || !player.inventory) return false;
    if (player.inventory->SelectedItem() == item) return true;
    // The crate's take menu and the combine menu have the item keys then.
    if (player.lootingCrate || CombineMenuOpen(player)) return false;
    if (const char* key = QuickKey(player, *item)) {
        hands.TapAction(key);
        return false;
    }
    // One step a frame, whoever asks for it.
    if (clock < stepsBlockedUntil || steps.PressedAt(clock)) return false;
    // Steps the game did not take (a crate beside him): left alone for a while.
    if (steps.NotTaken(player.inventory->selected, clock)) {
        stepsBlockedUntil = clock + kStepsBlockedFrames;
        return false;
    }
    hands.TapAction("previtem");
    return false;
}

bool TAutoCombat::Heal(TPlayer& player, TAutoControls& hands, float below)
{
    if (player.health >= below || !player.inventory) return false;
    // Health is carried into the next level, and what a medkit gives past 100
    // is lost: the biggest kit that gives all it holds. When he must heal (in
    // a fight, or low), the one in hand soonest: every frame counts there.
    const float missing = kMedkitHealthCap - player.health;
    const bool must = player.health < kHealInFight;
    TMedkit* fitting = nullptr;
    TMedkit* soonest = nullptr;
    int soonestPresses = 0;
    for (int i = 0; i < player.inventory->slotCount; ++i) {
        auto* kit = dynamic_cast<TMedkit*>(player.inventory->Slot(i));
        if (!kit) continue;
        if (float(kit->healAmount) <= missing && (!fitting || kit->healAmount > fitting->healAmount)) fitting = kit;
        const int presses = PressesToSelect(player, i);
        if (!soonest || presses < soonestPresses ||
            (presses == soonestPresses && kit->healAmount > soonest->healAmount)) {
            soonest = kit;
            soonestPresses = presses;
        }
    }
    TMedkit* kit = must ? soonest : fitting;
    // Out of reach for now: the fight goes on.
    if (!kit || !CanSelect(player, *kit)) return false;
    if (Select(player, kit, hands)) hands.HoldAction("shoot");
    return true;
}

bool TAutoCombat::WantsCover(const TPlayer& player, const TTulirelv& weapon, float distance) const
{
    if (clock < noCoverUntil || !target->tuning.hasGun || dynamic_cast<TTurret*>(target)) return false;
    if (distance < kCoverNear || AlmostDown(weapon, player, *target, distance)) return false;
    if (weapon.roundsLoaded == 0 && player.ammo[weapon.ammoType] > 0) return true;
    const float hurt = std::max(target->health >= kToughHealth ? kCoverHealthFromHeavy : kCoverHealth,
                                kBurstHitShare * BurstDamage(*target));
    return Aiming(*target) && player.health < hurt;
}

bool TAutoCombat::StayInCover(TPlayer& player, TAutoControls& hands)
{
    if (coverThreat.Empty() || clock >= coverUntil) return false;
    auto* threat = coverThreat.GetAs<TEnemy>();
    TItem* held = player.inventory ? player.inventory->SelectedItem() : nullptr;
    auto* weapon = dynamic_cast<TTulirelv*>(held);
    const bool reloading = weapon && weapon->roundsLoaded < weapon->clipSize && player.ammo[weapon->ammoType] > 0;
    const float distance = threat ? (threat->GetPosition() - player.GetPosition()).Length() : 0.0f;
    if (!threat || threat->dead || !threat->Alive() || !(Aiming(*threat) || reloading) ||
        (weapon && AlmostDown(*weapon, player, *threat, distance))) {
        coverThreat.Reset();
        return false;
    }
    coverFrom = threat->GetPosition();
    if (reloading && weapon->reloadTimer < 0 && clock % kCoverReloadFrames == 0) hands.TapAction("reload");
    return true;
}

bool TAutoCombat::CoverFromHeavy() const
{
    const auto* threat = coverThreat.GetAs<TEnemy>();
    return threat && threat->tuning.burstSize >= kHeavyBurst;
}

void TAutoCombat::NoCover()
{
    coverThreat.Reset();
    noCoverUntil = clock + kNoCoverFrames;
}

void TAutoCombat::StandAndFight()
{
    NoCover();
    noFleeUntil = clock + kNoCoverFrames;
}

TAutoCombat::Stance TAutoCombat::Fight(TPlayer& player, TWorld& world, TAutoControls& hands)
{
    ++clock;
    target = FindTarget(player, world);
    WatchProgress();
    // Hiding from a gunman: only an enemy close by is fought meanwhile.
    const bool near = target && (target->GetPosition() - player.GetPosition()).Length() < kBackOffDistance;
    if (!near && StayInCover(player, hands)) {
        target = nullptr;
        // Hiding is no reason to wait with a medkit.
        Heal(player, hands, kHealInFight);
        return Stance::Cover;
    }
    coverThreat.Reset();
    if (!target) return Stance::None;
    // An open crate or the combine menu takes the trigger and the item keys:
    // shut it to fight.
    if (player.lootingCrate || CombineMenuOpen(player)) {
        hands.TapAction(player.lootingCrate ? "use" : "combine");
        return Stance::BackOff;
    }
    if (Heal(player, hands, kHealInFight)) return Stance::BackOff;

    const b2Vec2 at = player.GetPosition();
    b2Vec2 aimAt = target->GetPosition();
    const float distance = (aimAt - at).Length();
    // The knife for whatever is at arm's length: a stab does more than a clip.
    if (Stab(player, world, hands)) return Stance::Stand;
    TTulirelv* weapon = BestWeapon(player, distance);
    // Nothing to shoot with: no fight worth seeking. Go on (the knife for what comes too near).
    if (!weapon) return Stance::None;
    // A slow heavy: away from it at a walk, then turn and shoot; one all but down is finished.
    const bool slowHeavy = SlowHeavy(*target);
    // A charge is faster than he walks and runs straight: no outrunning it,
    // but a step sideways takes him out of its line.
    const bool charging = target->action == kActionSprint;
    fleeing = slowHeavy && !charging && clock >= noFleeUntil && distance < (fleeing ? kKiteFar : kKiteNear) &&
              !AlmostDown(*weapon, player, *target, distance);
    // Walking away he does not shoot: fine against its touch, but a gun raised
    // at his back is a burst in it. Then cover, as from any gunman.
    if (fleeing && !(target->tuning.hasGun && Aiming(*target))) {
        // Not shot at meanwhile: no sign of something in the way.
        watchedSince = clock;
        return Stance::Flee;
    }
    if (ThrowBomb(player, world, hands) || FireRocket(player, distance, hands)) return Stance::Stand;
    if (TTulirelv* charges = ChargesFor(player, distance)) weapon = charges;
    if (!Select(player, weapon, hands)) return Stance::BackOff;
    if (WantsCover(player, *weapon, distance)) {
        coverThreat = TObjectRef(target);
        coverFrom = target->GetPosition();
        coverUntil = clock + kCoverFrames;
        watchedSince = clock;
        return Stance::Cover;
    }

    // Lead a moving target by the bullet's flight time.
    if (target->body && weapon->bulletSpeed > 0) {
        const float unitsPerSecond = float(weapon->bulletSpeed) * 30.0f / kPixelsPerUnit;
        aimAt += (distance / unitsPerSecond) * target->body->GetLinearVelocity();
    }
    hands.Point(aimAt.x * kPixelsPerUnit, aimAt.y * kPixelsPerUnit);
    hands.HoldAction("aim");
    // A biter is let come near before he fires, unless it takes more rounds
    // than its coming gives time for (the snake, a skeleton): every
    // shot counts then, and each step he gives ground buys more of them.
    const bool comingNearer = !target->tuning.hasGun && target->tuning.maxSpeedSq > 0.0f;
    const bool toughBiter = comingNearer && target->maxHealth >= kToughHealth;
    const bool worthAShot = !comingNearer || toughBiter || distance <= kBiterFireDistance;
    if (worthAShot && (player.action == kActionAim || player.action == kActionShoot)) hands.HoldAction("shoot");
    if (charging) return Stance::Strafe;
    // A turret fires as fast as it turns and never stops to reload: it is
    // fought from just beyond where it sees him, never from within.
    if (auto* turret = dynamic_cast<TTurret*>(target); turret && distance < turret->tuning.sightRange + kTurretMargin)
        return Stance::BackOff;
    // A swarm of biters, or heavies together: into a doorway, where they come
    // one or two at a time and no turret of the room sees him.
    if (!target->tuning.hasGun && !NearestGunman(world, at, kSwarmReach) &&
        Crowd(world, at, kSwarmReach) >= kSwarmSize)
        return Stance::Hold;
    if (Crowd(world, at, kSwarmReach, Tough) >= kHeaviesToHold) return Stance::Hold;
    // Near, a slow heavy or a tough biter coming, or a crowd: give ground while shooting.
    if (distance < kBackOffDistance || (slowHeavy && distance < kHeavyGiveGround) || toughBiter ||
        Crowd(world, at, kCrowdNear) >= kCrowdToBackOff)
        return Stance::BackOff;
    // A gunman is harder to hit moving: step sideways while shooting.
    return target->tuning.hasGun ? Stance::Strafe : Stance::Stand;
}

bool TAutoCombat::Stab(TPlayer& player, TWorld& world, TAutoControls& hands) const
{
    const b2Vec2 at = player.GetPosition();
    TEnemy* nearest = NearestStanding(world, at, kStabReach,
                                      [](const TEnemy& enemy) { return !dynamic_cast<const TTurret*>(&enemy); });
    if (!nearest) return false;
    // The blade strikes ahead and a little to the side of the way the player
    // faces: turn so that it meets the enemy's middle.
    const b2Vec2 toward = nearest->GetPosition() - at;
    b2Vec2 facing = b2MulT(b2Rot(std::atan2(kBladeSide, kBladeAhead)), toward);
    facing.Normalize();
    const b2Vec2 aimAt = at + 3.0f * facing;
    hands.Point(aimAt.x * kPixelsPerUnit, aimAt.y * kPixelsPerUnit);
    hands.HoldAction("aim");
    // A stab starts from walking or aiming, not in the middle of a shot.
    if (player.action == kActionWalk || player.action == kActionAim) hands.TapAction("stab");
    return true;
}

TEnemy* TAutoCombat::NearestGunman(TWorld& world, b2Vec2 at, float reach)
{
    return NearestStanding(world, at, reach, [](const TEnemy& enemy) { return enemy.tuning.hasGun != 0; });
}

int TAutoCombat::Medkits(const TPlayer& player)
{
    if (!player.inventory) return 0;
    int count = 0;
    for (int i = 0; i < player.inventory->slotCount; ++i)
        if (dynamic_cast<TMedkit*>(player.inventory->Slot(i))) ++count;
    return count;
}

float TAutoCombat::Firepower(const TPlayer& player)
{
    if (!player.inventory) return 0.0f;
    // Per ammunition type, its rounds in the gun that does most with each.
    float perRound[kActorAmmoTypes] = {};
    float loaded = 0.0f;
    for (int i = 0; i < player.inventory->slotCount; ++i) {
        auto* weapon = dynamic_cast<TTulirelv*>(player.inventory->Slot(i));
        if (!weapon || weapon->ammoType < 0 || weapon->ammoType >= kActorAmmoTypes) continue;
        const float damage = DamagePerRound(*weapon);
        perRound[weapon->ammoType] = std::max(perRound[weapon->ammoType], damage);
        loaded += damage * float(weapon->roundsLoaded);
    }
    float total = loaded;
    for (int type = 0; type < kActorAmmoTypes; ++type) total += perRound[type] * float(player.ammo[type]);
    return total;
}

TItem* TAutoCombat::FirstBomb(const TPlayer& player)
{
    if (!player.inventory) return nullptr;
    // The bomb key brings up the first one.
    for (int i = 0; i < player.inventory->slotCount; ++i)
        if (TItem* item = player.inventory->Slot(i); item && item->shortcutKey == "sc_bombs") return item;
    return nullptr;
}

bool TAutoCombat::BombSpot(TPlayer& player, TWorld& world, b2Vec2* spot) const
{
    const b2Vec2 at = player.GetPosition();
    // A turret or a heavy (robots, big ones) outlasts a clip or two: it gets a bomb too.
    const float targetDistance = (target->GetPosition() - at).Length();
    if (Tough(*target) && targetDistance >= kBombNear && targetDistance <= kBombFar) {
        *spot = target->GetPosition();
        return true;
    }
    // Else the thickest crowd in sight at a throwing distance: with a swarm at
    // the player's feet, the bomb goes among those still coming.
    int most = kBombCrowd - 1;
    for (TGameObject* object : world.objects) {
        TEnemy* enemy = StandingEnemy(object);
        if (!enemy) continue;
        const b2Vec2 p = enemy->GetPosition();
        const float distance = (p - at).Length();
        if (distance < kBombNear || distance > kBombFar) continue;
        const int crowd = Crowd(world, p, kBombCrowdRadius);
        if (crowd <= most || !InSight(at, p, enemy, player)) continue;
        most = crowd;
        *spot = p;
    }
    return most >= kBombCrowd;
}

bool TAutoCombat::ThrowBomb(TPlayer& player, TWorld& world, TAutoControls& hands)
{
    TItem* bomb = dynamic_cast<TTimeBomb*>(FirstBomb(player));
    b2Vec2 spot;
    if (!bomb || !BombSpot(player, world, &spot)) return false;
    // Which bomb the key brings up depends on the pack's order and on the
    // medkits that share its key: any bomb in hand will do. Waiting for one
    // in particular may never end.
    if (!dynamic_cast<TTimeBomb*>(player.inventory->SelectedItem()) && !Select(player, bomb, hands)) return true;
    hands.Point(spot.x * kPixelsPerUnit, spot.y * kPixelsPerUnit);
    hands.HoldAction("aim");
    if (player.action == kActionAim) hands.HoldAction("shoot");
    return true;
}

bool TAutoCombat::ShootAt(TPlayer& player, b2Vec2 point, TAutoControls& hands)
{
    const float distance = (point - player.GetPosition()).Length();
    TTulirelv* weapon = BestWeapon(player, distance);
    if (!weapon) return false;
    if (!Select(player, weapon, hands)) return true;
    hands.Point(point.x * kPixelsPerUnit, point.y * kPixelsPerUnit);
    hands.HoldAction("aim");
    if (player.action == kActionAim || player.action == kActionShoot) hands.HoldAction("shoot");
    return true;
}

bool TAutoCombat::FireRocket(TPlayer& player, float distance, TAutoControls& hands)
{
    if (!Tough(*target) || distance < kRocketNear || distance > kRocketFar) return false;
    if (player.ammo[kRocketAmmoType] <= 0) return false;
    TItem* launcher = Carried(player, kRocketLauncherName);
    if (!launcher) return false;
    if (!Select(player, launcher, hands)) return true;
    const b2Vec2 at = target->GetPosition();
    hands.Point(at.x * kPixelsPerUnit, at.y * kPixelsPerUnit);
    hands.HoldAction("aim");
    // It fires only from the aim, and then once in a while: held between rockets it does nothing.
    if (player.action == kActionAim) hands.HoldAction("shoot");
    return true;
}

TItem* TAutoCombat::Carried(const TPlayer& player, const std::string& name)
{
    if (!player.inventory) return nullptr;
    for (int i = 0; i < player.inventory->slotCount; ++i)
        if (TItem* item = player.inventory->Slot(i); item && item->itemName == name) return item;
    return nullptr;
}

bool TAutoCombat::PutOnVest(TPlayer& player, TAutoControls& hands)
{
    if (player.armor >= kVestAt) return false;
    TItem* vest = Carried(player, kVestName);
    if (!vest) return false;
    if (Select(player, vest, hands)) hands.HoldAction("shoot");
    return true;
}

void TAutoCombat::Tend(TPlayer& player, TAutoControls& hands)
{
    if (Heal(player, hands, kHealAtRest) || PutOnVest(player, hands)) return;
    TTulirelv* weapon = BestWeapon(player, kTendDistance);
    if (!weapon || !Select(player, weapon, hands)) return;
    if (reloadWait > 0) {
        --reloadWait;
        return;
    }
    if (weapon->reloadTimer < 0 && weapon->roundsLoaded < weapon->clipSize && player.ammo[weapon->ammoType] > 0) {
        hands.TapAction("reload");
        reloadWait = kReloadWaitFrames;
    }
}
