#include "autoplay/AutoLooting.h"
#include "autoplay/AutoCombat.h"
#include "player/weapons/Ammo.h"
#include "autoplay/AutoControls.h"
#include "autoplay/AutoTuning.h"
#include "player/items/Container.h"
#include "player/items/Item.h"
#include "player/Player.h"
#include "player/items/SimpleItem.h"
#include "player/weapons/Tulirelv.h"
#include "world/Kast.h"
#include "world/World.h"
#include <box2d/box2d.h>

using namespace autotune;

namespace {

bool InventoryFull(const TPlayer& player)
{
    return !player.inventory || player.inventory->ItemCount() >= player.inventory->slotCount;
}

// How many of a material are worth keeping: what the recipes the player
// works with take (grenades always, ammunition for the guns carried).
int MaterialWanted(const TPlayer& player, const std::string& name)
{
    const auto carries = [&](const char* item) { return TAutoCombat::Carried(player, item) != nullptr; };
    const bool nailGun = carries("nail gun");
    const bool beamGun = carries("laser rifle") || carries("electric gun");
    const bool launcher = carries(kRocketLauncherName);
    if (name == "scrap") return 2;
    if (name == "fuel") return launcher ? 2 : 1;
    if (name == "tape") return 1;
    if (name == "nails") return nailGun ? 2 : 0;
    if (name == "battery") return beamGun ? 2 : 0;
    if (name == "pipe" || name == "wire") return launcher ? 1 : 0;
    return 0;
}

} // namespace

int TAutoLooting::Junk(const TPlayer& player)
{
    const TContainer& inventory = *player.inventory;
    for (int i = 0; i < inventory.slotCount; ++i) {
        const TItem* item = inventory.Slot(i);
        if (!item) continue;
        int same = 0;  // of the same name in earlier slots
        for (int j = 0; j < i; ++j)
            if (const TItem* other = inventory.Slot(j); other && other->itemName == item->itemName) ++same;
        if (dynamic_cast<const TSimpleItem*>(item) && same >= MaterialWanted(player, item->itemName)) return i;
        if (auto* gun = dynamic_cast<const TTulirelv*>(item); gun && (same > 0 || TAutoCombat::Outclassed(player, *gun)))
            return i;
        if (item->itemName == "detector") return i;
    }
    return -1;
}

bool TAutoLooting::Tidy(TPlayer& player, TAutoControls& hands)
{
    if (!player.inventory || player.lootingCrate) return false;
    TContainer& inventory = *player.inventory;
    if (inventory.ItemCount() + kFreeSlotsWanted <= inventory.slotCount) return false;
    // After a drop it walks on first: the item step is the "use" key, which
    // would pick the dropped thing up again.
    if (++tidyFrames < 0) return false;
    const int junk = Junk(player);
    if (junk < 0) return false;
    if (tidyFrames % 2 == 0) return true;  // one key press every other frame
    if (inventory.selected != junk) {
        // Beside a crate the step key is the crate's "use" and the selection
        // stays: walk on, and sort out the pack away from it.
        if (steps.NotTaken(inventory.selected, tidyFrames)) {
            tidyFrames = -kWalkOnFrames;
            return false;
        }
        hands.TapAction("previtem");
        return true;
    }
    // Dropped things stay where they fall.
    GiveUp(inventory.Slot(junk));
    hands.TapAction("drop");
    tidyFrames = -kWalkOnFrames;
    return true;
}

b2Vec2 TAutoLooting::CrateFront(TGameObject& crate)
{
    // The reach area lies on the lid's side, the body's local +y.
    const float angle = crate.GetAngle();
    const b2Vec2 local(0.0f, kCrateFrontDistance);
    const b2Rot turn(angle);
    return crate.GetPosition() + b2Mul(turn, local);
}

TGameObject* TAutoLooting::Choose(TPlayer& player, TWorld& world, bool hungry, bool farLoot, const b2Vec2* goal,
                                  b2Vec2* standAt)
{
    if (InventoryFull(player)) return nullptr;
    const b2Vec2 at = player.GetPosition();
    TGameObject* best = nullptr;
    float bestDistance = kFarLootRange;
    for (TGameObject* object : world.objects) {
        if (object->dead || givenUp.count(object->serial)) continue;
        b2Vec2 spot;
        bool far = true;  // worth going for from far and out of sight
        if (auto* crate = dynamic_cast<TKast*>(object)) {
            if (crate->items.empty()) continue;
            spot = CrateFront(*crate);
        } else if (auto* item = dynamic_cast<TItem*>(object)) {
            if (item->inContainer || !item->body) continue;
            spot = item->GetPosition();
            far = hungry && dynamic_cast<TAmmo*>(item) != nullptr;
        } else {
            continue;
        }
        far = far && farLoot;
        const float distance = (spot - at).Length();
        // The way there and on to the goal, against the way straight on.
        if (far && goal && distance + (*goal - spot).Length() - (*goal - at).Length() > kFarLootDetour) far = false;
        if (distance >= bestDistance || (!far && distance >= kLootRange)) continue;
        if (!far && !InSight(at, object->GetPosition(), object, player)) continue;
        best = object;
        bestDistance = distance;
        *standAt = spot;
    }
    return best;
}

bool TAutoLooting::Work(TPlayer& player, TGameObject* loot, TAutoControls& hands)
{
    if (!working.Is(loot)) {
        working = TObjectRef(loot);
        workFrames = 0;
    }
    if (++workFrames > kLootPatienceFrames || InventoryFull(player)) {
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
    if (!loot) return;
    givenUp.insert(loot->serial);
    if (working.Is(loot)) working.Reset();
}
