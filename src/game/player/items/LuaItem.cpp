#include "player/items/LuaItem.h"
#include "player/Actor.h"
#include "script/Console.h"
#include "script/ItemScript.h"
#include "script/ScriptHost.h"

namespace {

constexpr const char* kItemData = "itemdata";

ScriptValue Handle(TGameObject* object)
{
    return object ? ScriptValue::Pointer(object) : ScriptValue::Nil();
}

} // namespace

TLuaItem* TLuaItem::Create(float x, float y, const std::string& name, std::string* error)
{
    Entry entry;
    if (!ReadEntry(name, &entry, error)) return nullptr;
    return new TLuaItem(x, y, entry);
}

TLuaItem::TLuaItem(float x, float y, const Entry& entry)
    : TItem(x, y, entry),
      onActivate(MakeEntryFieldRef("itemtable", entry.name, "onactivate")),
      onEquip(MakeEntryFieldRef("itemtable", entry.name, "onequip")),
      onGroundUpdate(MakeEntryFieldRef("itemtable", entry.name, "ongroundupdate")),
      onCollision(MakeEntryFieldRef("itemtable", entry.name, "oncollision")),
      onPickup(MakeEntryFieldRef("itemtable", entry.name, "onpickup")),
      refState(luaState)
{
    TGameObject* self = this;
    SetObjectDataTable(kItemData, self);
    const int onInit = MakeEntryFieldRef("itemtable", entry.name, "oninit");
    if (onInit != kNoScriptRef) {
        CallScriptRefWith(onInit, {Handle(self), ScriptValue::String(entry.name)}, 0,
                          ScriptErrors::Console);
        ReleaseScriptRef(onInit);
    }
}

TLuaItem::~TLuaItem()
{
    if (luaState && luaState == refState) {
        ClearObjectData(kItemData, static_cast<TGameObject*>(this));
        for (int ref : {onActivate, onEquip, onGroundUpdate, onCollision, onPickup})
            ReleaseScriptRef(ref);
    }
}

std::optional<double> TLuaItem::NumberResult(const char* callback,
                                             const std::optional<ScriptCallResult>& result) const
{
    if (!result || result->values.empty()) return std::nullopt;
    const ScriptValue& value = result->values.front();
    if (value.type == ScriptValue::Type::Number) return value.number;
    const std::string& type = result->types.front();
    if (type != "nil")
        console.AppendF("%s of item \"%s\" returned a %s, not a number; ignored\n", callback,
                        itemName.c_str(), type.c_str());
    return std::nullopt;
}

void TLuaItem::OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 push)
{
    if (inContainer) return;
    TItem::OnContact(other, point, normal, push);
    if (onCollision == kNoScriptRef || luaState != refState) return;
    CallScriptRefWith(onCollision,
                      {Handle(this), Handle(other), ScriptValue::Number(point.x),
                       ScriptValue::Number(point.y), ScriptValue::Number(normal.x),
                       ScriptValue::Number(normal.y), ScriptValue::Number(push.x),
                       ScriptValue::Number(push.y)},
                      0, ScriptErrors::Console);
}

bool TLuaItem::Activate()
{
    if (onActivate == kNoScriptRef || luaState != refState) return false;
    TActor* holder = Holder();
    const bool aiming = holder && holder->action == kActionAim;
    const auto result = CallScriptRefWith(
        onActivate, {Handle(this), Handle(holder), ScriptValue::Bool(aiming)}, 1, ScriptErrors::Console);
    const std::optional<double> number = NumberResult("onactivate", result);
    return number ? *number != 0.0 : true;
}

void TLuaItem::UpdateCarried(bool isCurrent)
{
    if (onEquip == kNoScriptRef || luaState != refState) return;
    CallScriptRefWith(onEquip, {Handle(this), Handle(Holder()), ScriptValue::Bool(isCurrent)}, 0,
                      ScriptErrors::Console);
}

void TLuaItem::UpdateOnGround()
{
    if (onGroundUpdate == kNoScriptRef || luaState != refState) return;
    CallScriptRefWith(onGroundUpdate, {Handle(this), ScriptValue::Bool(false)}, 0,
                      ScriptErrors::Console);
}

void TLuaItem::PickUp(TActor* actor)
{
    if (onPickup != kNoScriptRef && luaState == refState) {
        const auto result =
            CallScriptRefWith(onPickup, {Handle(this), Handle(actor)}, 1, ScriptErrors::Console);
        const std::optional<double> number = NumberResult("onpickup", result);
        if (number && *number == 0.0) return;
    }
    TItem::PickUp(actor);
}

TLevelProgress::CarriedSlot TLuaItem::GetCarryState()
{
    TLevelProgress::CarriedSlot slot = TItem::GetCarryState();
    if (luaState) {
        if (auto text = CallWithObjectData("DataDumper", kItemData, static_cast<TGameObject*>(this),
                                           ScriptErrors::Console))
            slot.text = *text;
    }
    return slot;
}
