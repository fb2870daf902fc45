#include "autoplay/AutoCrafting.h"
#include "autoplay/AutoCombat.h"
#include "autoplay/AutoControls.h"
#include "autoplay/AutoTuning.h"
#include "player/items/CombineMenu.h"
#include "player/items/Item.h"
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include "player/weapons/Tulirelv.h"
#include <cstring>

using namespace autotune;

namespace {

struct AmmoRecipe {
    const char* result;
    int ammoType;
    int enough;  // a store this full needs no more
};

// What the combine menu makes into a gun's store, by ammunition type.
constexpr AmmoRecipe kAmmoRecipes[] = {
    {"nail pack", 4, 40},
    {"energy cells", 3, 40},
    {"rockets", 5, 2},
    {"sticky charges", 6, 4},
};

bool CarriesGunFor(const TPlayer& player, int ammoType)
{
    for (int i = 0; i < player.inventory->slotCount; ++i) {
        const TItem* item = player.inventory->Slot(i);
        if (!item) continue;
        if (auto* gun = dynamic_cast<const TTulirelv*>(item); gun && gun->ammoType == ammoType) return true;
        // The rocket launcher is a scripted item: known by name.
        if (ammoType == 5 && item->itemName == "rocket launcher") return true;
    }
    return false;
}

// The menu entry that makes `result`, or -1.
int EntryOf(const TCombineMenu& menu, const std::string& result)
{
    for (int i = 0; i < menu.entryCount; ++i)
        if (menu.entries[i].recipe && result == menu.entries[i].recipe->result) return i;
    return -1;
}

} // namespace

std::string TAutoCrafting::Wanted(TPlayer& player)
{
    TCombineMenu& menu = *player.PlayerInventory()->combineMenu;
    // What the menu would offer if it were opened now.
    if (!menu.open) menu.Rebuild();
    if (menu.entryCount < 1) return {};
    for (const AmmoRecipe& recipe : kAmmoRecipes) {
        if (player.ammo[recipe.ammoType] >= recipe.enough || !CarriesGunFor(player, recipe.ammoType)) continue;
        if (EntryOf(menu, recipe.result) >= 0) return recipe.result;
    }
    // A vest to put on when the armour is worn down and none is carried.
    if (player.armor < kVestAt && player.PlayerInventory()->FindByName(kVestName) < 0 && EntryOf(menu, kVestName) >= 0)
        return kVestName;
    if (EntryOf(menu, "grenade") >= 0) return "grenade";
    return {};
}

bool TAutoCrafting::Work(TPlayer& player, TAutoControls& hands)
{
    TPlayerInventory* inventory = player.PlayerInventory();
    if (!inventory || !inventory->combineMenu || player.lootingCrate) return false;
    TCombineMenu& menu = *inventory->combineMenu;
    ++clock;
    if (making.empty()) {
        if (clock < restUntil) return false;
        making = Wanted(player);
        frames = 0;
        if (making.empty()) return false;
    }
    ++frames;
    const int entry = menu.open ? EntryOf(menu, making) : -1;
    if (frames == kCraftPatienceFrames + 1) {
        // Not made in all that time. Twice running the same (the menu offers
        // what cannot be made, no room for it, say): the menu is left alone
        // for a while, or he would stand at it for ever.
        if (making == lastGivenUp) restUntil = clock + kCraftRestFrames;
        lastGivenUp = making;
    } else if (menu.open && entry < 0) {
        lastGivenUp.clear();
    }
    if (frames > kCraftPatienceFrames || (menu.open && entry < 0)) {
        // Made, or no longer possible: close the menu and go on.
        if (menu.open && frames % 2 == 0) hands.TapAction("combine");
        if (!menu.open) making.clear();
        return menu.open;
    }
    if (frames % 2 == 0) return true;  // one key press every other frame
    if (!menu.open) hands.TapAction("combine");
    else if (menu.cursor != entry) hands.TapAction("previtem");  // the item step moves the cursor
    else hands.HoldAction("shoot");
    return true;
}
