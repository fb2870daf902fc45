#include "script/ApiRegistry.h"
#include <lua.hpp>

void SetGlobalFunction(lua_State* L, const char* name, int (*fn)(lua_State*))
{
    lua_pushcfunction(L, fn);
    lua_setglobal(L, name);
}
