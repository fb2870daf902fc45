#include "player/items/Container.h"
#include "player/Actor.h"
#include "player/items/Item.h"
#include <algorithm>

TContainer::TContainer(int count, TActor* holder)
    : slotCount(std::max(count, 0)), owner(holder), slots(size_t(std::max(count, 0)), nullptr)
{
}

TContainer::~TContainer()
{
    for (TItem*& item : slots) {
        if (!item) continue;
        item->container = nullptr;
        item->inContainer = 0;
        item->dead = 1;
        item = nullptr;
    }
}

void TContainer::DrawBar() {}

TItem* TContainer::Slot(int index) const
{
    if (index < 0 || index >= slotCount) return nullptr;
    return slots[size_t(index)];
}

int TContainer::ItemCount() const
{
    return int(std::count_if(slots.begin(), slots.end(), [](TItem* i) { return i != nullptr; }));
}

bool TContainer::Insert(TItem* item)
{
    if (!item || item->container == this) return false;
    for (TItem*& slot : slots) {
        if (slot) continue;
        // An item moves between containers only through the floor.
        if (item->container) item->container->RemoveItem(item);
        slot = item;
        item->container = this;
        item->inContainer = 1;
        return true;
    }
    return false;
}

int TContainer::DropSlot(int index)
{
    TItem* item = Slot(index);
    if (!item) return 0;
    item->inContainer = 0;
    if (owner) item->SetPosition(owner->GetPosition());
    item->container = nullptr;
    slots[size_t(index)] = nullptr;
    SelectionLeft();
    return 1;
}

void TContainer::RemoveItem(TItem* item)
{
    if (!item) return;
    for (int i = 0; i < slotCount; ++i)
        if (slots[size_t(i)] == item) DropSlot(i);
}

void TContainer::Forget(TItem* item)
{
    if (!item) return;
    for (TItem*& slot : slots)
        if (slot == item) slot = nullptr;
    if (item->container == this) {
        item->container = nullptr;
        item->inContainer = 0;
    }
    SelectionLeft();
}

void TContainer::SelectionLeft()
{
    if (!Slot(selected)) SelectNext();
}

int TContainer::FindByName(const std::string& name) const
{
    for (int i = 0; i < slotCount; ++i)
        if (slots[size_t(i)] && slots[size_t(i)]->itemName == name) return i;
    return -1;
}

int TContainer::FindUnusedByName(const std::string& name, const std::vector<uint8_t>& used) const
{
    for (int i = 0; i < slotCount; ++i) {
        if (size_t(i) < used.size() && used[size_t(i)]) continue;
        if (slots[size_t(i)] && slots[size_t(i)]->itemName == name) return i;
    }
    return -1;
}

int TContainer::FindByShortcut(const std::string& key, int start) const
{
    if (slotCount < 1) return -1;
    // Keep the arithmetic in range whatever start is.
    const int base = ((start % slotCount) + slotCount) % slotCount;
    for (int k = 1; k <= slotCount; ++k) {
        const int i = (base + k) % slotCount;
        if (slots[size_t(i)] && slots[size_t(i)]->shortcutKey == key) return i;
    }
    return -1;
}

void TContainer::SelectPrevious()
{
    if (slotCount < 1) {
        selected = 0;
        return;
    }
    int i = selected - 1;
    if (i < 0 || i >= slotCount) i = slotCount - 1;
    while (i >= 0 && !slots[size_t(i)]) --i;
    selected = i < 0 ? 0 : i;
}

void TContainer::SelectNext()
{
    if (slotCount < 1) {
        selected = 0;
        return;
    }
    int i = selected + 1;
    if (i >= slotCount || i < 0) i = 0;
    while (i < slotCount && !slots[size_t(i)]) ++i;
    selected = i >= slotCount ? 0 : i;
}
