#pragma once
#include "player/items/Container.h"
#include <memory>
#include <string>

class TCombineMenu;
class TInputDevice;

// The player's container: a column of slots on the HUD with a selection
// frame, quick switching by shortcut group, and the combine menu that turns
// sets of carried items into new ones.
class TPlayerInventory : public TContainer {
public:
    // The player passes 16 slots. The column stands at (3, 62) on the HUD.
    TPlayerInventory(int slotCount, TActor* owner);
    ~TPlayerInventory() override;

    // Every frame from the HUD: runs the combine menu, then draws the column
    // (and the menu while it is open, else the selection frame).
    void DrawBar() override;

    // Quick switch for one shortcut group ("sc_1".."sc_4", "sc_medkit",
    // "sc_bombs"): selects the next item of the group after the selected one
    // when the selected item belongs to the group, else the first from the
    // top. False when no item has that shortcut.
    bool QuickSwitch(const std::string& shortcut);
    // QuickSwitch for every shortcut group whose bound key went down this frame.
    void RunShortcutKeys();
    // Drops the selected item on the floor at the owner's feet; false when
    // the selected slot is empty.
    bool DropSelected();
    // The selected item's status line; "" when nothing is selected.
    std::string SelectedDescription() const;

    // The owner's input device (a player's); null for other owners.
    TInputDevice* OwnerInput() const;

    std::unique_ptr<TCombineMenu> combineMenu;
};

// HUD position of the player's column; each slot is a 7-pixel line.
constexpr float kInventoryBarX = 3.0f;
constexpr float kInventoryBarY = 62.0f;
constexpr float kInventoryLineHeight = 7.0f;
constexpr int kPlayerInventorySlots = 16;
// The quick-switch groups, in the order their keys are looked at.
constexpr const char* kShortcutActions[] = {"sc_1", "sc_2", "sc_3", "sc_4", "sc_medkit", "sc_bombs"};
