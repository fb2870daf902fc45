#pragma once
#include "player/items/Item.h"

// Rounds of one ammunition type. Picking it up adds them to the actor's
// store at once; it never enters an inventory.
class TAmmo : public TItem {
public:
    // Reads "count", "ammotype" (0..9) and the optional "rounds" (what the
    // HUD calls them) besides the common fields. Null
    // (nothing made) when the entry is missing or malformed; *error (may be
    // null) then holds the message for the script error.
    static TAmmo* Create(float x, float y, const std::string& name, std::string* error);

    bool Activate() override;
    // Carried ammunition has no line of its own.
    std::string GetInventoryText() override;
    // ammo[ammoType] += count, a pickup line for the player's HUD
    // ("+24 pistol rounds"), the "inv_pickup" sound, and the box is gone.
    void PickUp(TActor* actor) override;

    int32_t count = 0;
    int32_t ammoType = 0;
    std::string roundsName;  // "pistol rounds": the pickup line's words

protected:
    TAmmo(float x, float y, const Entry& entry, int count, int ammoType);
};
