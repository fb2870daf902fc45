#pragma once
#include "player/items/Item.h"

// An item with no behaviour of its own: materials for combining, keys and the like.
class TSimpleItem : public TItem {
public:
    // Null (nothing made) when itemtable[name] is missing or malformed; *error
    // (may be null) then holds the message for the script error.
    static TSimpleItem* Create(float x, float y, const std::string& name, std::string* error);

    TSimpleItem(float x, float y, const Entry& entry);
};
