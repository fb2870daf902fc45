#pragma once
#include "player/items/ReactionTable.h"
#include <cstdint>

class TPlayerInventory;
class TInputDevice;

// The list of recipes the inventory can make right now, beside the inventory
// column. The combine input opens and closes it; the item steps move its
// cursor and shoot makes the highlighted recipe: the ingredients are used up
// and the result goes into the inventory. It closes by itself when nothing
// can be made.
class TCombineMenu {
public:
    static constexpr int kMaxEntries = 32;
    static constexpr int kMaxEntryIngredients = 16;

    // One makeable recipe and the inventory slot of each ingredient.
    struct Entry {
        const TReactionTable::Reaction* recipe = nullptr;
        int32_t slotIndex[kMaxEntryIngredients] = {};
    };

    explicit TCombineMenu(TPlayerInventory* inventory, const TReactionTable* table = &reactionTable);

    // Every frame before drawing: toggling, rebuilding the entries, the
    // cursor, and making the highlighted recipe on shoot.
    void Update(TInputDevice* input);
    // Finds the recipes the inventory holds every ingredient of, each
    // ingredient in its own slot. At most kMaxEntries; recipes with more than
    // kMaxEntryIngredients ingredients are never offered.
    void Rebuild();
    // Makes entry `index`: the result must be creatable, else nothing is used
    // up (a console message says so). True when the result was made.
    bool Combine(int index);
    // Draws the open menu in HUD coordinates; closes it when it is empty.
    void Draw();

    Entry entries[kMaxEntries];
    int32_t entryCount = 0;
    int32_t cursor = 0;
    uint8_t open = 0;
    TPlayerInventory* inventory = nullptr;
    const TReactionTable* table = nullptr;
};
