// Script functions that create enemies. One function per kind: each reads and
// checks every argument first (a Lua error jumps out and must leave nothing
// half made), maps the position through the creation transform, builds the
// enemy and returns it as an object handle.
#include "enemies/BigZombi.h"
#include "enemies/HallSdur.h"
#include "enemies/PunaneRobot.h"
#include "enemies/PunaneSdur.h"
#include "enemies/RohelineZombi.h"
#include "enemies/Sdur.h"
#include "enemies/Skeleton.h"
#include "enemies/Zombi.h"
#include "enemies/ZombieSpawner.h"
#include "script/ApiRegistry.h"
#include "world/CreationTransform.h"
#include <lua.hpp>
#include <algorithm>
#include <cmath>
#include <string>

namespace {

int PushObject(lua_State* L, TGameObject* object)
{
    lua_pushlightuserdata(L, object);
    return 1;
}

// CreateZombie(x, y, flags) -> zombie; flags "HB?" with H buried and B blue.
int l_CreateZombie(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const int flags = ParseZombieFlags(luaL_checkstring(L, 3));
    const b2Vec2 p = creationTransform.Apply(x, y);
    return PushObject(L, new TZombi(p.x, p.y, flags));
}

// The count argument of CreateZSpawner. Saved spawners pass the global
// zspawncount; when a script has cleared it the count is nil, and the line
// must still load (everything after it in a saved room would be lost), so
// nil reads as zspawncount, or the default when that is not a number either.
lua_Integer SpawnerCount(lua_State* L, int index)
{
    if (!lua_isnil(L, index)) return luaL_checkinteger(L, index);
    lua_getglobal(L, "zspawncount");
    const lua_Integer count = lua_isnumber(L, -1) ? lua_tointeger(L, -1) : kDefaultSpawnerCount;
    lua_pop(L, 1);
    return count;
}

// CreateZSpawner(x, y, angle, count) -> spawner; with only three arguments nothing.
int l_CreateZSpawner(lua_State* L)
{
    if (lua_gettop(L) == 3) return 0;
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const float angle = CheckFinite(L, 3);
    const lua_Integer count = SpawnerCount(L, 4);
    const int zombies = int(std::clamp<lua_Integer>(count, 0, 100000));
    const b2Vec2 p = creationTransform.Apply(x, y);
    return PushObject(L, new TZombieSpawner(p.x, p.y, creationTransform.ApplyAngle(angle), zombies));
}

} // namespace

// --- soldiers, big zombies, skeletons and red robots -----------------------

namespace {

// The optional weapon of the soldier creators: a string (numbers are taken
// as their text, so 0 reads as "0"); nil or absent gives "".
std::string OptionalWeapon(lua_State* L, int index)
{
    size_t length = 0;
    const char* text = luaL_optlstring(L, index, "", &length);
    return std::string(text, length);
}

template <typename Kind>
int CreateSoldierKind(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const std::string weapon = OptionalWeapon(L, 3);
    const b2Vec2 p = creationTransform.Apply(x, y);
    return PushObject(L, new Kind(p.x, p.y, weapon));
}

template <typename Kind>
int CreateAtPosition(lua_State* L)
{
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const b2Vec2 p = creationTransform.Apply(x, y);
    return PushObject(L, new Kind(p.x, p.y));
}

// CreateSoldier / CreateRedSoldier / CreateGreySoldier(x, y [, weapon]) -> soldier
int l_CreateSoldier(lua_State* L) { return CreateSoldierKind<TSdur>(L); }
int l_CreateRedSoldier(lua_State* L) { return CreateSoldierKind<TPunaneSdur>(L); }
int l_CreateGreySoldier(lua_State* L) { return CreateSoldierKind<THallSdur>(L); }
// CreateBigZombie / CreateBigSoldier / CreateMSkeleton / CreateRedRobot(x, y) -> enemy
int l_CreateBigZombie(lua_State* L) { return CreateAtPosition<TBigZombi>(L); }
int l_CreateBigSoldier(lua_State* L) { return CreateAtPosition<TRohelineZombi>(L); }
int l_CreateMSkeleton(lua_State* L) { return CreateAtPosition<TSkeleton>(L); }
int l_CreateRedRobot(lua_State* L) { return CreateAtPosition<TPunaneRobot>(L); }

} // namespace

// --- end of the soldiers' and monsters' creators ----------------------------

void RegisterEnemiesApi(lua_State* L)
{
    BeginApiGroup("Enemies",
                  "One creator per kind, each through the creation transform; population.lua places them.");
    SetGlobalFunction(L, "CreateZombie", l_CreateZombie,
        "(x, y, flags) -> zombie",
        "A zombie; `flags` holds H for one buried in the floor, B for a blue one.");
    SetGlobalFunction(L, "CreateZSpawner", l_CreateZSpawner,
        "(x, y, angle, count) -> spawner",
        "A hole that lets out `count` zombies (zspawncount when nil); with only three arguments nothing is made.");
    SetGlobalFunction(L, "CreateBigZombie", l_CreateBigZombie,
        "(x, y) -> enemy",
        "A big zombie that throws stones.");
    SetGlobalFunction(L, "CreateSoldier", l_CreateSoldier,
        "(x, y [, weapon]) -> soldier",
        "A soldier, with the named weapon or his own.");
    SetGlobalFunction(L, "CreateRedSoldier", l_CreateRedSoldier,
        "(x, y [, weapon]) -> soldier",
        "A red soldier, with the named weapon or his own.");
    SetGlobalFunction(L, "CreateGreySoldier", l_CreateGreySoldier,
        "(x, y [, weapon]) -> soldier",
        "A grey soldier, with the named weapon or his own.");
    SetGlobalFunction(L, "CreateBigSoldier", l_CreateBigSoldier,
        "(x, y) -> enemy",
        "The big green soldier with the machine gun.");
    SetGlobalFunction(L, "CreateMSkeleton", l_CreateMSkeleton,
        "(x, y) -> enemy",
        "A skeleton: a heap of bones that walks into the player and strikes; a blast near enough scatters it.");
    SetGlobalFunction(L, "CreateRedRobot", l_CreateRedRobot,
        "(x, y) -> enemy",
        "The red robot that charges.");
}
