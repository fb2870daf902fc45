// Script functions for explosions, rockets and the item kinds of this part of
// the game: CreateExplosion, CreateRocket, _CreateBomb and _CreateLuaItem.
//
// Every argument is read and checked before anything is built. A failed check
// or a bad itemtable/objectlist entry raises a script error and leaves no
// object behind; the error is raised only after every C++ object of the
// function has gone out of scope (lua_error skips destructors).
#include "player/items/LuaItem.h"
#include "player/weapons/Rocket.h"
#include "player/weapons/SmallExplosive.h"
#include "player/weapons/Tulirelv.h"
#include "player/weapons/TimeBomb.h"
#include "script/ApiRegistry.h"
#include "world/CreationTransform.h"
#include "world/Plahvatus.h"
#include <cmath>
#include <lua.hpp>
#include <string>

namespace {

// Pushes "<where>message" for a script error raised once the caller's scope is left.
void PushError(lua_State* L, const std::string& message)
{
    luaL_where(L, 1);
    lua_pushlstring(L, message.data(), message.size());
    lua_concat(L, 2);
}

// CreateExplosion(x, y, radius): no creation transform, nothing returned.
int l_CreateExplosion(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const float radius = CheckFinite(L, 3);
    luaL_argcheck(L, radius > 0.0f && radius <= kMaxExplosionPower, 3,
                  "radius between 0 and 100 expected");
    new TPlahvatus(x, y, radius);
    return 0;
}

// CreateRocket(x, y, angle) -> rocket: no creation transform.
int l_CreateRocket(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const float angle = CheckFinite(L, 3);
    TRocket* rocket = nullptr;
    {
        std::string error;
        rocket = TRocket::Create(x, y, angle, &error);
        if (!rocket) PushError(L, error);
    }
    if (!rocket) return lua_error(L);
    lua_pushlightuserdata(L, static_cast<TGameObject*>(rocket));
    return 1;
}

// Shared by the item creators: (x, y) through the creation transform, the
// name, then Create(x', y', name, &error).
template <typename Item>
int CreateItemOfKind(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    size_t length = 0;
    const char* name = luaL_checklstring(L, 3, &length);
    Item* item = nullptr;
    {
        std::string error;
        const b2Vec2 at = creationTransform.Apply(x, y);
        item = Item::Create(at.x, at.y, std::string(name, length), &error);
        if (!item) PushError(L, error);
    }
    if (!item) return lua_error(L);
    lua_pushlightuserdata(L, static_cast<TGameObject*>(item));
    return 1;
}

// _CreateBomb(x, y, name) -> item
int l_CreateBomb(lua_State* L)
{
    return CreateItemOfKind<TTimeBomb>(L);
}

// _CreateLuaItem(x, y, name) -> item
int l_CreateLuaItem(lua_State* L)
{
    return CreateItemOfKind<TLuaItem>(L);
}

} // namespace

void RegisterEffectsApi(lua_State* L)
{
    BeginApiGroup("Explosions and script items",
                  "Blasts, rockets, time bombs and items whose behaviour is Lua.");
    // The sticky launchers' shots are charges made here.
    fireSmallExplosive = FireSmallExplosive;

    SetGlobalFunction(L, "CreateExplosion", l_CreateExplosion,
        "(x, y, radius)",
        "A blast at a world point (no creation transform): a flash, and everything within `radius` takes it as its own kind does; no sound or crater.");
    SetGlobalFunction(L, "CreateRocket", l_CreateRocket,
        "(x, y, angle) -> rocket",
        "A rocket flying along `angle`, weaving a little, that explodes on the first wall or enemy it touches; no creation transform.");
    SetGlobalFunction(L, "_CreateBomb", l_CreateBomb,
        "(x, y, name) -> item",
        "Puts the time bomb itemtable[`name`] on the floor through the creation transform.");
    SetGlobalFunction(L, "_CreateLuaItem", l_CreateLuaItem,
        "(x, y, name) -> item",
        "Puts itemtable[`name`] on the floor as an item whose use, update and draw are its entry's Lua functions.");
}
