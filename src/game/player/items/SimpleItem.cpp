#include "player/items/SimpleItem.h"

TSimpleItem* TSimpleItem::Create(float x, float y, const std::string& name, std::string* error)
{
    Entry entry;
    if (!ReadEntry(name, &entry, error)) return nullptr;
    return new TSimpleItem(x, y, entry);
}

TSimpleItem::TSimpleItem(float x, float y, const Entry& entry) : TItem(x, y, entry) {}
