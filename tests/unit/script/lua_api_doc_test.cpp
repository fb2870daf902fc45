// docs/lua-api.md is what the registrations say today, and no engine function
// escapes it: every C function the engine puts into the globals or into a
// table of them (object, actor, gl, ...) has its call and its line.
#include "TestSupport.h"
#include "script/ApiDocs.h"
#include "script/ApiRegistry.h"
#include "util/FileText.h"
#include <gtest/gtest.h>
#include <lua.hpp>
#include <set>

using namespace testing_support;

namespace {

// Every C function reachable from the globals of L, as "name" or "table.name".
std::map<std::string, lua_CFunction> CFunctions(lua_State* L)
{
    std::map<std::string, lua_CFunction> found;
    lua_pushvalue(L, LUA_GLOBALSINDEX);
    lua_pushnil(L);
    while (lua_next(L, -2) != 0) {
        if (lua_type(L, -2) == LUA_TSTRING) {
            const std::string name = lua_tostring(L, -2);
            if (lua_iscfunction(L, -1)) found[name] = lua_tocfunction(L, -1);
            if (lua_istable(L, -1) && name != "_G" && name != "package") {
                lua_pushnil(L);
                while (lua_next(L, -2) != 0) {
                    if (lua_type(L, -2) == LUA_TSTRING && lua_iscfunction(L, -1))
                        found[name + "." + lua_tostring(L, -2)] = lua_tocfunction(L, -1);
                    lua_pop(L, 1);
                }
            }
        }
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    return found;
}

TEST(LuaApiPage, DocumentsEveryEngineFunctionAndIsCurrent)
{
    lua_State* plain = luaL_newstate();
    luaL_openlibs(plain);
    const auto standard = CFunctions(plain);
    lua_close(plain);

    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    apiDocs.Clear();
    RegisterEngineApi(L);
    const auto registered = CFunctions(L);
    lua_close(L);

    std::set<std::string> documented;
    for (const TApiDocs::Entry& entry : apiDocs.Entries()) {
        const std::string name = entry.table.empty() ? entry.name : entry.table + "." + entry.name;
        documented.insert(name);
        EXPECT_EQ(entry.call.rfind("(", 0), 0u) << name << ": the call begins with its arguments";
        EXPECT_GT(entry.description.size(), 10u) << name << " has no real description";
    }
    int engineFunctions = 0;
    for (const auto& [name, function] : registered) {
        const auto library = standard.find(name);
        if (library != standard.end() && library->second == function) continue;  // Lua's own
        ++engineFunctions;
        EXPECT_TRUE(documented.count(name)) << name << " is registered without a description";
    }
    EXPECT_GT(engineFunctions, 100);

    EXPECT_EQ(ReadWholeFile((SourceDir() / "docs/lua-api.md").string()).value_or(""), apiDocs.Markdown())
        << "run: cmake --build build --target lua_api_doc";
}

} // namespace
