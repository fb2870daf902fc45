#pragma once
#include "player/items/Item.h"

// Heals its holder once and is used up; an unhurt holder keeps it.
class TMedkit : public TItem {
public:
    // Reads "health" besides the common fields. Null (nothing made) when the
    // entry is missing or malformed; *error (may be null) then holds the
    // message for the script error.
    static TMedkit* Create(float x, float y, const std::string& name, std::string* error);

    // Heals up to 100 with the "medkit_use" sound and is gone; at exactly 100
    // health nothing happens. One use per press.
    bool Activate() override;

    int32_t healAmount = 0;

protected:
    TMedkit(float x, float y, const Entry& entry, int healAmount);
};

// Health a medkit heals up to.
constexpr float kMedkitHealthCap = 100.0f;
