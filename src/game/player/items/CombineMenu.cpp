#include "player/items/CombineMenu.h"
#include "ui/HintLine.h"
#include "audio/Mixer.h"
#include "player/input/InputDevice.h"
#include "player/items/Item.h"
#include "player/items/ItemFactory.h"
#include "player/PlayerInventory.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "script/Console.h"
#include "script/ScriptTable.h"
#include <vector>

TCombineMenu::TCombineMenu(TPlayerInventory* inv, const TReactionTable* recipes)
    : inventory(inv), table(recipes)
{
}

void TCombineMenu::Rebuild()
{
    entryCount = 0;
    if (!inventory || !table) return;
    std::vector<uint8_t> used(size_t(inventory->slotCount), 0);
    for (int r = 0; r < table->Count() && entryCount < kMaxEntries; ++r) {
        const TReactionTable::Reaction& recipe = table->At(r);
        if (recipe.ingredientCount < 1 || recipe.ingredientCount > kMaxEntryIngredients) continue;
        std::fill(used.begin(), used.end(), 0);
        Entry& entry = entries[entryCount];
        bool complete = true;
        for (int i = 0; i < recipe.ingredientCount; ++i) {
            const int slot = inventory->FindUnusedByName(recipe.ingredients[i], used);
            if (slot < 0) {
                complete = false;
                break;
            }
            used[size_t(slot)] = 1;
            entry.slotIndex[i] = slot;
        }
        if (!complete) continue;
        entry.recipe = &recipe;
        ++entryCount;
    }
}

bool TCombineMenu::Combine(int index)
{
    if (!inventory || index < 0 || index >= entryCount || !entries[index].recipe) return false;
    const Entry entry = entries[index];
    const TReactionTable::Reaction& recipe = *entry.recipe;
    TItem* result = CreateItemByName(0.0f, 0.0f, recipe.result);
    if (!result) {
        // Nothing is used up for a result that cannot be made.
        console.AppendF("cannot combine: no item \"%s\"\n", recipe.result);
        return false;
    }
    for (int i = 0; i < recipe.ingredientCount; ++i) {
        TItem* ingredient = inventory->Slot(entry.slotIndex[i]);
        if (!ingredient) continue;
        ingredient->dead = 1;
        inventory->DropSlot(entry.slotIndex[i]);
    }
    result->PickUp(inventory->owner);
    PlaySound(FindSound("inv_combine"), kMaxVolume);
    return true;
}

void TCombineMenu::Update(TInputDevice* input)
{
    if (input && input->IsCombinePressed()) {
        open = !open;
        cursor = 0;
        if (open) hintLine.Done("combine");
    }
    if (!open) return;
    Rebuild();
    if (entryCount < 1) {
        // Nothing to make: the menu closes again at once.
        open = 0;
        cursor = 0;
        return;
    }
    if (input) cursor += input->GetItemStep();
    if (cursor < 0) cursor = entryCount - 1;
    if (cursor >= entryCount) cursor = 0;
    if (input && input->IsShootHeld()) {
        Combine(cursor);
        input->ReleaseShoot();
    }
}

void TCombineMenu::Draw()
{
    if (!open || !inventory) return;
    if (entryCount < 1) {
        open = 0;
        return;
    }
    const float x = inventory->barX;
    const float y0 = inventory->barY;
    for (int j = 0; j < entryCount; ++j) {
        float r = 1.0f, g = 1.0f, b = 1.0f;
        std::string text = entries[j].recipe->result;
        // The result's colour and label, read again every frame.
        if (auto entry = TScriptTable::ReadEntry("itemtable", entries[j].recipe->result)) {
            double value = 0.0;
            if (entry->GetNumber("r", &value, nullptr)) r = TItem::ColorChannel(value);
            if (entry->GetNumber("g", &value, nullptr)) g = TItem::ColorChannel(value);
            if (entry->GetNumber("b", &value, nullptr)) b = TItem::ColorChannel(value);
            entry->GetString("invtext", &text, nullptr);
        }
        SetColor(r, g, b, 1.0f);
        DrawTextLine(text.c_str(), x + 80.0f, y0 + 10.0f + kInventoryLineHeight * float(j));
    }
    const float y = y0 + kInventoryLineHeight * float(cursor);
    DrawRect(x + 79.0f, y + 9.0f, x + 121.0f, y + 17.0f, false, 1.0f, 1.0f, 1.0f, 1.0f);
    DrawThickLine(x + 79.0f, y + 14.0f, x + 61.0f, y + 14.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f);
    const Entry& entry = entries[cursor];
    for (int k = 0; k < entry.recipe->ingredientCount; ++k) {
        const float yk = y0 + kInventoryLineHeight * float(entry.slotIndex[k]);
        DrawRect(x - 1.0f, yk - 1.0f, x + 41.0f, yk + 7.0f, false, 1.0f, 1.0f, 1.0f, 1.0f);
        DrawThickLine(x + 41.0f, yk + 4.0f, x + 61.0f, yk + 4.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f);
        DrawThickLine(x + 61.0f, yk + 4.0f, x + 61.0f, y + 14.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f);
    }
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}
