// Script functions of the player and the actors: CreatePlayer,
// SetPlayerControl, and the methods of the tables `actor` (on an actor
// handle) and `player` (on the game's current player). Actor handles are
// checked against the live objects; a stale, null or non-actor handle gets
// the method's ":invalid pointer" console message and nothing else happens.
#include "player/Actor.h"
#include "player/Player.h"
#include "script/ApiRegistry.h"
#include "script/Console.h"
#include "world/CreationTransform.h"
#include <cmath>
#include <lua.hpp>

namespace {

// The actor behind argument 1, or null after reporting "<method>:invalid pointer".
TActor* ActorArg(lua_State* L, const char* method)
{
    TActor* actor = ObjectFromHandleAs<TActor>(lua_touserdata(L, 1));
    if (!actor) console.AppendF("%s:invalid pointer\n", method);
    return actor;
}

// An add flag: any non-zero number, or true.
bool FlagArg(lua_State* L, int index)
{
    if (lua_isboolean(L, index)) return lua_toboolean(L, index) != 0;
    return luaL_optnumber(L, index, 0.0) != 0.0;
}

// A script number truncated toward zero, as a float.
float Truncated(lua_Number value)
{
    return float(std::trunc(value));
}

// CreatePlayer(x, y) -> player; (x, y) through the creation transform.
int l_CreatePlayer(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const b2Vec2 at = creationTransform.Apply(x, y);
    TPlayer* player = new TPlayer(at.x, at.y);
    lua_pushlightuserdata(L, static_cast<TGameObject*>(player));
    return 1;
}

// SetPlayerControl(flag): 0 (or false) takes every input away from the player.
int l_SetPlayerControl(lua_State* L)
{
    playerControl = FlagArg(L, 1) ? 1 : 0;
    return 0;
}

// actor.SetHealth(actor, value, add): no lower bound, at most the maximum health.
int l_actor_SetHealth(lua_State* L)
{
    TActor* actor = ActorArg(L, "actor.SetHealth");
    if (!actor) return 0;
    const float value = Truncated(luaL_checknumber(L, 2));
    const bool add = FlagArg(L, 3);
    actor->health = (add ? actor->health : 0.0f) + value;
    if (actor->health > actor->maxHealth) actor->health = actor->maxHealth;
    return 0;
}

// actor.SetArmor(actor, value, add): kept within 0..100.
int l_actor_SetArmor(lua_State* L)
{
    TActor* actor = ActorArg(L, "actor.SetArmor");
    if (!actor) return 0;
    const float value = Truncated(luaL_checknumber(L, 2));
    const bool add = FlagArg(L, 3);
    float armor = (add ? actor->armor : 0.0f) + value;
    if (armor < 0.0f) armor = 0.0f;
    if (armor > 100.0f) armor = 100.0f;
    actor->armor = armor;
    return 0;
}

// actor.GetAction(actor) -> action number
int l_actor_GetAction(lua_State* L)
{
    TActor* actor = ActorArg(L, "actor.GetAction");
    if (!actor) return 0;
    lua_pushnumber(L, actor->action);
    return 1;
}

// actor.SetAction(actor, name): the number of actions[name].
int l_actor_SetAction(lua_State* L)
{
    TActor* actor = ActorArg(L, "actor.SetAction");
    if (!actor) return 0;
    const char* name = luaL_checkstring(L, 2);
    lua_getglobal(L, "actions");
    if (!lua_istable(L, -1)) return luaL_error(L, "actor.SetAction: the actions table is missing");
    lua_getfield(L, -1, name);
    if (lua_type(L, -1) != LUA_TNUMBER)
        return luaL_error(L, "actor.SetAction: actions[\"%s\"] is not a number", name);
    const lua_Number number = lua_tonumber(L, -1);
    lua_pop(L, 2);
    if (!(std::fabs(number) < 2147483647.0)) return luaL_error(L, "actor.SetAction: bad action number");
    actor->SetAction(int32_t(number));
    return 0;
}

// player.GetPlayer() -> the player, or a null handle (not nil) without one.
int l_player_GetPlayer(lua_State* L)
{
    TPlayer* player = CurrentPlayer();
    lua_pushlightuserdata(L, player ? static_cast<TGameObject*>(player) : nullptr);
    return 1;
}

// The ammunition type of argument `index`, or -1 when outside 0..9.
int AmmoType(lua_State* L, int index)
{
    const lua_Number type = luaL_checknumber(L, index);
    if (!(type >= 0.0 && type < double(kActorAmmoTypes))) return -1;
    return int(type);
}

// player.GetAmmo(type) -> count; nothing without a player or for a bad type.
int l_player_GetAmmo(lua_State* L)
{
    const int type = AmmoType(L, 1);
    TPlayer* player = CurrentPlayer();
    if (!player || type < 0) return 0;
    lua_pushnumber(L, player->ammo[type]);
    return 1;
}

// player.SetAmmo(count, type, add)
int l_player_SetAmmo(lua_State* L)
{
    const lua_Number countArg = luaL_checknumber(L, 1);
    const int type = AmmoType(L, 2);
    const bool add = FlagArg(L, 3);
    if (countArg < 0.0 && !add) {
        console.Append("player.SetAmmo: cannot set ammo to negative values");
        return 0;
    }
    TPlayer* player = CurrentPlayer();
    if (!player) return 0;
    if (type < 0) {
        console.AppendF("player.SetAmmo: ammo type must be 0 to %d\n", kActorAmmoTypes - 1);
        return 0;
    }
    const int count = std::fabs(countArg) < 2147483647.0 ? int(countArg) : 0;
    player->ammo[type] = count + (add ? player->ammo[type] : 0);
    return 0;
}

} // namespace

void RegisterPlayerApi(lua_State* L)
{
    BeginApiGroup("The player and actors",
                  "The player, the methods of `actor` (the player and the enemies) and of `player` (the current player).");
    OpenMethodTable(L, "actor");
    SetMethod(L, "SetHealth", l_actor_SetHealth,
        "(actor, value, add)",
        "Sets the actor's health to `value`, or adds it when `add` is true or non-zero; at most the maximum.");
    SetMethod(L, "SetArmor", l_actor_SetArmor,
        "(actor, value, add)",
        "Sets or adds to the actor's armour, kept within 0..100.");
    SetMethod(L, "GetAction", l_actor_GetAction,
        "(actor) -> action",
        "The number of what the actor is doing (see the table `actions`).");
    SetMethod(L, "SetAction", l_actor_SetAction,
        "(actor, name)",
        "Starts the action actions[`name`] (\"walk\", \"shoot\", ...).");
    lua_pop(L, 1);

    OpenMethodTable(L, "player");
    SetMethod(L, "GetPlayer", l_player_GetPlayer,
        "() -> player",
        "The current player, or a null handle (not nil) when there is none.");
    SetMethod(L, "GetAmmo", l_player_GetAmmo,
        "(type) -> count",
        "The player's rounds of ammunition type 0..9; nothing without a player or for a bad type.");
    SetMethod(L, "SetAmmo", l_player_SetAmmo,
        "(count, type, add)",
        "Sets the player's rounds of ammunition type 0..9, or adds `count` when `add` is set; setting a negative count is refused on the console.");
    lua_pop(L, 1);

    SetGlobalFunction(L, "SetPlayerControl", l_SetPlayerControl,
        "(on)",
        "0 or false takes every input away from the player; anything else gives it back.");
    SetGlobalFunction(L, "CreatePlayer", l_CreatePlayer,
        "(x, y) -> player",
        "Creates the player through the creation transform, played by the keyboard, the gamepad or the automatic player.");
}
