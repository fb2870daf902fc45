// Script functions that create enemies. One function per kind: each reads and
// checks every argument first (a Lua error jumps out and must leave nothing
// half made), maps the position through the creation transform, builds the
// enemy and returns it as an object handle.
#include "enemies/Zombi.h"
#include "enemies/ZombieSpawner.h"
#include "script/ApiRegistry.h"
#include "world/CreationTransform.h"
#include <lua.hpp>
#include <algorithm>
#include <cmath>

namespace {

// A number that must be finite: the physics world cannot place a body at infinity.
float CheckFinite(lua_State* L, int index)
{
    const lua_Number value = luaL_checknumber(L, index);
    if (!std::isfinite(value) || std::fabs(value) > 1e30) luaL_argerror(L, index, "finite number expected");
    return float(value);
}

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

// CreateZSpawner(x, y, angle, count) -> spawner; with only three arguments nothing.
int l_CreateZSpawner(lua_State* L)
{
    if (lua_gettop(L) == 3) return 0;
    const float x = CheckFinite(L, 1);
    const float y = CheckFinite(L, 2);
    const float angle = CheckFinite(L, 3);
    const lua_Integer count = luaL_checkinteger(L, 4);
    const int zombies = int(std::clamp<lua_Integer>(count, 0, 100000));
    const b2Vec2 p = creationTransform.Apply(x, y);
    return PushObject(L, new TZombieSpawner(p.x, p.y, creationTransform.ApplyAngle(angle), zombies));
}

} // namespace

void RegisterEnemiesApi(lua_State* L)
{
    SetGlobalFunction(L, "CreateZombie", l_CreateZombie);
    SetGlobalFunction(L, "CreateZSpawner", l_CreateZSpawner);
}
