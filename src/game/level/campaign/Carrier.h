#pragma once
#include "level/campaign/LevelProgress.h"
#include <box2d/b2_math.h>

// What the level code needs from the player to carry its state across a level
// change. The player class implements it.
class TCarrier {
public:
    virtual ~TCarrier() = default;

    // Body position in world units.
    virtual b2Vec2 CarrierPosition() const = 0;

    // Ammunition per type, 0..TLevelProgress::kAmmoTypes-1.
    virtual int GetCarriedAmmo(int type) const = 0;
    virtual void SetCarriedAmmo(int type, int count) = 0;

    virtual float GetCarriedHealth() const = 0;
    virtual void SetCarriedHealth(float health) = 0;

    // Inventory slot 0..TLevelProgress::kCarriedSlots-1: false when it holds no
    // item, else true with the item's save record (type name, number, text).
    virtual bool GetCarriedSlot(int index, TLevelProgress::CarriedSlot* slot) const = 0;
    // Creates an item of slot.name through the item factory, gives a firearm
    // slot.count loaded rounds, and adds it to the inventory. False (nothing
    // added) when the factory knows no such item.
    virtual bool AddCarriedItem(const TLevelProgress::CarriedSlot& slot) = 0;
};

