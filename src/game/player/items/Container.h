#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TActor;
class TItem;

// The items an actor carries: a fixed number of slots, each empty or holding
// one item, and a selected slot. The items stay world objects (the world owns
// them); the container only points at them. Destroying the container kills
// every item still in it.
class TContainer {
public:
    // slotCount empty slots (a negative count gives none); selection 0; bar at (0, 0).
    TContainer(int slotCount, TActor* owner);
    virtual ~TContainer();

    TContainer(const TContainer&) = delete;
    TContainer& operator=(const TContainer&) = delete;

    // The HUD column; a plain container draws nothing.
    virtual void DrawBar();

    // Puts the item into the first empty slot. False, and nothing changes,
    // when every slot is full (or the item is null or already held here).
    bool Insert(TItem* item);
    // Puts the item of slot index back on the floor at the owner's position
    // and moves the selection on when it left the selected slot empty. 1 when
    // an item was dropped, 0 for an empty slot or an index outside the slots.
    int DropSlot(int index);
    // DropSlot for every slot holding the item.
    void RemoveItem(TItem* item);
    // Empties the item's slots without moving it (the item is being deleted).
    void Forget(TItem* item);

    // The first slot whose item is called name; -1 if none.
    int FindByName(const std::string& name) const;
    // The same, skipping slots whose flag in used is non-zero (missing flags count as 0).
    int FindUnusedByName(const std::string& name, const std::vector<uint8_t>& used) const;
    // The first slot after start (wrapping, start itself last) whose item has
    // the shortcut key; -1 if none.
    int FindByShortcut(const std::string& key, int start) const;

    // One slot back (wrapping), then down to the nearest filled slot; 0 when none.
    void SelectPrevious();
    // One slot on (wrapping), then up to the nearest filled slot; 0 when none.
    void SelectNext();

    // The item in a slot; null for empty slots and indices outside the slots.
    TItem* Slot(int index) const;
    TItem* SelectedItem() const { return Slot(selected); }
    int ItemCount() const;

    int32_t slotCount = 0;
    float barX = 0.0f, barY = 0.0f;  // HUD position of the column
    TActor* owner = nullptr;
    std::vector<TItem*> slots;       // null = empty
    int32_t selected = 0;

private:
    // After a slot emptied: move the selection on if it stands on an empty slot.
    void SelectionLeft();
};
