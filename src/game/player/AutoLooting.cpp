#include "player/AutoLooting.h"
#include "player/AutoCombat.h"
#include "player/AutoControls.h"
#include "player/Container.h"
#include "player/Item.h"
#include "player/Player.h"
#include "world/Kast.h"
#include "world/World.h"
#include <box2d/box2d.h>

namespace {

// How far loot draws the automatic player off its way, world units.
constexpr float kLootRange = 12.0f;
// Frames spent on one piece of loot before giving up on it.
constexpr int kPatience = 150;

bool InventoryFull(const TPlayer& player)
{
    return !player.inventory || player.inventory->ItemCount() >= player.inventory->slotCount;
}

} // namespace

b2Vec2 TAutoLooting::CrateFront(TGameObject& crate)
{
    // The reach area lies on the lid's side, the body's local +y.
    const float angle = crate.GetAngle();
    const b2Vec2 local(0.0f, 0.55f);
    const b2Rot turn(angle);
    return crate.GetPosition() + b2Mul(turn, local);
}

TGameObject* TAutoLooting::Choose(TPlayer& player, TWorld& world, b2Vec2* standAt)
{
    if (InventoryFull(player)) return nullptr;
    const b2Vec2 at = player.GetPosition();
    TGameObject* best = nullptr;
    float bestDistance = kLootRange;
    for (TGameObject* object : world.objects) {
        if (object->dead || givenUp.count(object)) continue;
        b2Vec2 spot;
        if (auto* crate = dynamic_cast<TKast*>(object)) {
            if (crate->items.empty()) continue;
            spot = CrateFront(*crate);
        } else if (auto* item = dynamic_cast<TItem*>(object)) {
            if (item->inContainer || !item->body) continue;
            spot = item->GetPosition();
        } else {
            continue;
        }
        const float distance = (spot - at).Length();
        if (distance >= bestDistance || !InSight(at, object->GetPosition(), object, player)) continue;
        best = object;
        bestDistance = distance;
        *standAt = spot;
    }
    return best;
}

bool TAutoLooting::Work(TPlayer& player, TGameObject* loot, TAutoControls& hands)
{
    if (loot != working) {
        working = loot;
        workFrames = 0;
    }
    if (++workFrames > kPatience || InventoryFull(player)) {
        GiveUp(loot);
        return false;
    }
    if (auto* crate = dynamic_cast<TKast*>(loot)) {
        if (crate->items.empty()) {
            GiveUp(loot);
            return false;
        }
        // Open it, then one pull of the trigger per item.
        if (crate->closed) {
            if (workFrames % 8 == 1) hands.TapAction("use");
        } else if (workFrames % 2 == 0) {
            hands.TapAction("shoot");
        }
        return true;
    }
    auto* item = dynamic_cast<TItem*>(loot);
    if (!item || item->inContainer) {
        GiveUp(loot);
        return false;
    }
    if (workFrames % 4 == 1) hands.TapAction("use");
    return true;
}

void TAutoLooting::GiveUp(const TGameObject* loot)
{
    givenUp.insert(loot);
    if (working == loot) working = nullptr;
}
