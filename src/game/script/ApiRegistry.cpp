#include "script/ApiRegistry.h"
#include <cmath>
#include <lua.hpp>

void SetGlobalFunction(lua_State* L, const char* name, int (*fn)(lua_State*))
{
    lua_pushcfunction(L, fn);
    lua_setglobal(L, name);
}

void OpenMethodTable(lua_State* L, const char* name)
{
    lua_getglobal(L, name);
    if (lua_istable(L, -1)) return;
    lua_pop(L, 1);
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_setglobal(L, name);
}

void SetMethod(lua_State* L, const char* name, int (*fn)(lua_State*))
{
    lua_pushcfunction(L, fn);
    lua_setfield(L, -2, name);
}

float CheckFinite(lua_State* L, int index)
{
    const lua_Number value = luaL_checknumber(L, index);
    if (!std::isfinite(value) || std::fabs(value) > 1e30) luaL_argerror(L, index, "finite number expected");
    return float(value);
}
