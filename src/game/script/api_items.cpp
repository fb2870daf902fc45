// Script functions that make items and register recipes: _CreateWeapon,
// _CreateAmmo, _CreateMedkit, _CreateSimpleItem and AddReaction.
//
// Each creator reads and checks its arguments and the whole itemtable entry
// before anything is built; a missing, incomplete or mistyped entry raises a
// script error and leaves no item in the world. Lua errors jump out of the
// function and skip C++ destructors, so the message is put on the Lua stack
// inside a scope that has already ended before lua_error runs.
#include "player/weapons/Ammo.h"
#include "player/weapons/Medkit.h"
#include "player/items/ReactionTable.h"
#include "player/items/SimpleItem.h"
#include "player/weapons/Tulirelv.h"
#include "script/ApiRegistry.h"
#include "script/Console.h"
#include "world/CreationTransform.h"
#include <lua.hpp>
#include <cmath>
#include <string>
#include <vector>

namespace {

using TItemCreator = TItem* (*)(float x, float y, const std::string& name, std::string* error);

template <typename T>
TItem* CreateAs(float x, float y, const std::string& name, std::string* error)
{
    return T::Create(x, y, name, error);
}

// (x, y, name) -> item, through the creation transform.
int CreateItemWith(lua_State* L, TItemCreator create)
{
    const lua_Number x = luaL_checknumber(L, 1);
    const lua_Number y = luaL_checknumber(L, 2);
    size_t length = 0;
    const char* text = luaL_checklstring(L, 3, &length);
    if (!std::isfinite(x) || !std::isfinite(y)) return luaL_error(L, "item position must be finite");
    TItem* item = nullptr;
    {
        const std::string name(text, length);
        std::string error;
        const b2Vec2 at = creationTransform.Apply(float(x), float(y));
        item = create(at.x, at.y, name, &error);
        if (!item) {
            luaL_where(L, 1);
            lua_pushstring(L, error.c_str());
            lua_concat(L, 2);
        }
    }
    if (!item) return lua_error(L);
    lua_pushlightuserdata(L, static_cast<TGameObject*>(item));
    return 1;
}

int l_CreateWeapon(lua_State* L)
{
    return CreateItemWith(L, CreateAs<TTulirelv>);
}

int l_CreateAmmo(lua_State* L)
{
    return CreateItemWith(L, CreateAs<TAmmo>);
}

int l_CreateMedkit(lua_State* L)
{
    return CreateItemWith(L, CreateAs<TMedkit>);
}

int l_CreateSimpleItem(lua_State* L)
{
    return CreateItemWith(L, CreateAs<TSimpleItem>);
}

// AddReaction(result, ingredient, ingredient, ...): fewer than three
// arguments are ignored; a recipe that does not fit the table is refused
// with a console message.
int l_AddReaction(lua_State* L)
{
    const int n = lua_gettop(L);
    if (n < 3) return 0;
    for (int i = 1; i <= n; ++i) luaL_checkstring(L, i);
    {
        std::vector<std::string> names;
        names.reserve(size_t(n));
        for (int i = 1; i <= n; ++i) {
            size_t length = 0;
            const char* text = lua_tolstring(L, i, &length);
            names.emplace_back(text, length);
        }
        const std::vector<std::string> ingredients(names.begin() + 1, names.end());
        const std::string refused = reactionTable.Add(names[0], ingredients);
        if (!refused.empty())
            console.Append("AddReaction(\"" + names[0] + "\"): " + refused + "; recipe ignored\n");
    }
    return 0;
}

} // namespace

void RegisterItemsApi(lua_State* L)
{
    BeginApiGroup("Items and recipes",
                  "The item creators that relvad.lua's helpers call, and the combine menu's recipes. Each creator checks the whole itemtable entry before it builds.");
    SetGlobalFunction(L, "AddReaction", l_AddReaction,
        "(result, ingredient, ingredient, ...)",
        "Adds a recipe to the combine menu: the ingredients make the result; fewer than three names are ignored, a recipe that does not fit is refused on the console.");
    SetGlobalFunction(L, "_CreateWeapon", l_CreateWeapon,
        "(x, y, name) -> item",
        "Puts the firearm itemtable[`name`] on the floor through the creation transform.");
    SetGlobalFunction(L, "_CreateAmmo", l_CreateAmmo,
        "(x, y, name) -> item",
        "Puts the ammunition pack itemtable[`name`] on the floor.");
    SetGlobalFunction(L, "_CreateMedkit", l_CreateMedkit,
        "(x, y, name) -> item",
        "Puts the medkit itemtable[`name`] on the floor.");
    SetGlobalFunction(L, "_CreateSimpleItem", l_CreateSimpleItem,
        "(x, y, name) -> item",
        "Puts the plain item itemtable[`name`] (a material, a key) on the floor.");
}
