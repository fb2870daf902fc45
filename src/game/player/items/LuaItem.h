#pragma once
#include "player/items/Item.h"
#include <string>

struct lua_State;
struct ScriptCallResult;

// An item programmed in Lua. Its itemtable entry may name five callbacks,
// which get the item (and the actor concerned) as light userdata:
//   onactivate(item, holder, aiming)     -> nil or a number: used while shoot is held;
//                                           nil or non-zero means one use per press
//   onequip(item, holder, isCurrent)     every frame while carried
//   ongroundupdate(item, false)          every frame on the floor
//   oncollision(item, other, px, py, nx, ny, vx, vy)   touched while on the floor
//   onpickup(item, actor)                -> nil or a number: 0 leaves the item lying
// and "oninit"(item, name), called once when the item is made. Per-item data
// lives in the global table `itemdata` under the item, from creation to
// destruction, and goes with the item across a level change as the text of
// DataDumper(itemdata[item]).
//
// A callback that raises an error has its message put on the console and the
// item goes on; one that returns something other than nil or a number is
// reported on the console and treated as if it returned nothing.
class TLuaItem : public TItem {
public:
    // Null (nothing made) when itemtable[name] is missing or malformed; *error
    // (may be null) then holds the message for the script error.
    static TLuaItem* Create(float x, float y, const std::string& name, std::string* error);

    TLuaItem(float x, float y, const Entry& entry);
    // itemdata[item] = nil and the callbacks released.
    ~TLuaItem() override;

    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;
    bool Activate() override;
    void UpdateCarried(bool isCurrent) override;
    void UpdateOnGround() override;
    void PickUp(TActor* actor) override;
    // {name, 0, DataDumper(itemdata[item])}.
    TLevelProgress::CarriedSlot GetCarryState() override;

    int onActivate;
    int onEquip;
    int onGroundUpdate;
    int onCollision;
    int onPickup;

private:
    // The callback's one result as a number: nullopt for nothing (nil, an
    // error, or an odd value, which is reported).
    std::optional<double> NumberResult(const char* callback, const std::optional<ScriptCallResult>& result) const;
    // The interpreter the references belong to; a restarted host has none of them.
    lua_State* refState = nullptr;
};
