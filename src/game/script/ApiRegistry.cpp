#include "script/ApiRegistry.h"
#include "script/ApiDocs.h"
#include <cmath>
#include <string>
#include <lua.hpp>

namespace {
// The table OpenMethodTable opened last: SetMethod documents its methods under it.
std::string openTable;
}

void RegisterEngineApi(lua_State* L)
{
    RegisterCoreApi(L);
    RegisterRenderApi(L);
    RegisterAudioApi(L);
    RegisterMenuApi(L);
    RegisterWorldApi(L);
    RegisterPiecesApi(L);
    RegisterPlayerApi(L);
    RegisterItemsApi(L);
    RegisterEffectsApi(L);
    RegisterTurretApi(L);
    RegisterEnemiesApi(L);
    RegisterGlBinding(L);
}

void BeginApiGroup(const char* title, const char* about)
{
    apiDocs.BeginGroup(title, about);
}

void SetGlobalFunction(lua_State* L, const char* name, int (*fn)(lua_State*), const char* call,
                       const char* description)
{
    apiDocs.Add("", name, call, description);
    lua_pushcfunction(L, fn);
    lua_setglobal(L, name);
}

void DocumentFunction(const char* table, const char* name, const char* call, const char* description)
{
    apiDocs.Add(table, name, call, description);
}

void OpenMethodTable(lua_State* L, const char* name)
{
    openTable = name;
    lua_getglobal(L, name);
    if (lua_istable(L, -1)) return;
    lua_pop(L, 1);
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_setglobal(L, name);
}

void SetMethod(lua_State* L, const char* name, int (*fn)(lua_State*), const char* call, const char* description)
{
    apiDocs.Add(openTable, name, call, description);
    lua_pushcfunction(L, fn);
    lua_setfield(L, -2, name);
}

float CheckFinite(lua_State* L, int index)
{
    const lua_Number value = luaL_checknumber(L, index);
    if (!std::isfinite(value) || std::fabs(value) > 1e30) luaL_argerror(L, index, "finite number expected");
    return float(value);
}
