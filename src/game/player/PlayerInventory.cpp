#include "player/PlayerInventory.h"
#include "ui/HudPlate.h"
#include "core/InputTables.h"
#include "player/Actor.h"
#include "player/items/CombineMenu.h"
#include "player/input/InputDevice.h"
#include "player/items/Item.h"
#include "player/Player.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "script/ScriptHost.h"

TPlayerInventory::TPlayerInventory(int count, TActor* holder)
    : TContainer(count, holder), combineMenu(std::make_unique<TCombineMenu>(this))
{
    barX = kInventoryBarX;
    barY = kInventoryBarY;
}

TPlayerInventory::~TPlayerInventory() = default;

TInputDevice* TPlayerInventory::OwnerInput() const
{
    auto* player = dynamic_cast<TPlayer*>(owner);
    return player ? player->input.get() : nullptr;
}

bool TPlayerInventory::QuickSwitch(const std::string& shortcut)
{
    TItem* current = SelectedItem();
    const int start = current && current->shortcutKey == shortcut ? selected : 0;
    const int found = FindByShortcut(shortcut, start);
    if (found < 0) return false;
    selected = found;
    return true;
}

void TPlayerInventory::RunShortcutKeys()
{
    for (const char* action : kShortcutActions)
        if (inputTables.KeyPressed(GetKeyBinding(action))) QuickSwitch(action);
}

bool TPlayerInventory::DropSelected()
{
    return DropSlot(selected) != 0;
}

std::string TPlayerInventory::SelectedDescription() const
{
    TItem* item = SelectedItem();
    return item ? item->GetStatusText() : std::string();
}

void TPlayerInventory::DrawBar()
{
    DrawHudPlate(barX, barY, 10, slotCount);
    SetBlendMode(2);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    combineMenu->Update(OwnerInput());
    for (int i = 0; i < slotCount; ++i) {
        TItem* item = Slot(i);
        const float y = barY + kInventoryLineHeight * float(i);
        if (item) {
            SetColor(item->colorR, item->colorG, item->colorB, 1.0f);
            DrawTextLine(item->GetInventoryText().c_str(), barX, y);
        } else {
            SetColor(0.5f, 0.5f, 0.5f, 1.0f);
            DrawTextLine("-", barX, y);
        }
    }
    if (combineMenu->open) {
        combineMenu->Draw();
    } else {
        const float y = barY + kInventoryLineHeight * float(selected);
        DrawRect(barX - 1.0f, y - 1.0f, barX + 41.0f, y + 7.0f, false, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}
