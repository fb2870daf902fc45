// Every script function and method the engine registers, called with random
// argument lists: nil, booleans, odd numbers, odd strings, tables, functions,
// and live, stale, null and wrong-kind handles. Frames run in between, so the
// world updates and draws whatever the calls left behind. Nothing may crash.
#include "FuzzInput.h"
#include "QuietStdErr.h"
#include "core/Frame.h"
#include "core/Game.h"
#include "script/ScriptHost.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <gtest/gtest.h>
#include <lua.hpp>
#include <deque>
#include <set>
#include <string>
#include <vector>

namespace {

struct ApiFunction {
    std::string table;  // empty for a global function
    std::string name;
};

// The C functions reachable from the globals, one table deep, except the Lua
// libraries' own.
std::vector<ApiFunction> EngineFunctions(lua_State* L)
{
    std::set<std::string> libraryNames;
    {
        lua_State* plain = luaL_newstate();
        luaL_openlibs(plain);
        lua_pushnil(plain);
        while (lua_next(plain, LUA_GLOBALSINDEX)) {
            if (lua_type(plain, -2) == LUA_TSTRING) libraryNames.insert(lua_tostring(plain, -2));
            lua_pop(plain, 1);
        }
        lua_close(plain);
    }
    std::vector<ApiFunction> functions;
    lua_pushnil(L);
    while (lua_next(L, LUA_GLOBALSINDEX)) {
        if (lua_type(L, -2) == LUA_TSTRING) {
            const std::string name = lua_tostring(L, -2);
            if (lua_iscfunction(L, -1) && (!libraryNames.count(name) || name == "print")) {
                functions.push_back({"", name});
            } else if (lua_istable(L, -1) && !libraryNames.count(name)) {
                lua_pushnil(L);
                while (lua_next(L, -2)) {
                    if (lua_type(L, -2) == LUA_TSTRING && lua_iscfunction(L, -1))
                        functions.push_back({name, lua_tostring(L, -2)});
                    lua_pop(L, 1);
                }
            }
        }
        lua_pop(L, 1);
    }
    return functions;
}

class ApiFuzzer {
public:
    ApiFuzzer(lua_State* L, uint32_t seed) : L(L), random(seed)
    {
        static int notAnObject = 0;
        handles = {nullptr, &notAnObject, reinterpret_cast<void*>(1), reinterpret_cast<void*>(0xdeadbeef)};
        HarvestGlobals();
    }

    // Pushes a random argument.
    void PushArgument(int depth = 0)
    {
        switch (random.Int(0, 11)) {
        case 0: lua_pushnil(L); break;
        case 1: lua_pushboolean(L, random.Int(0, 1)); break;
        case 2:
        case 3: lua_pushnumber(L, random.Number()); break;
        case 4:
        case 5: {
            const std::string text = random.String();
            lua_pushlstring(L, text.data(), text.size());
            break;
        }
        case 6:
        case 7:
        case 8: lua_pushlightuserdata(L, handles[random.Int(0, static_cast<int>(handles.size()) - 1)]); break;
        case 9: {
            lua_newtable(L);
            const int count = depth < 2 ? random.Int(0, 4) : 0;
            for (int i = 0; i < count; ++i) {
                if (random.OneIn(2)) lua_pushnumber(L, i + 1);
                else lua_pushstring(L, random.OneIn(2) ? "x" : random.String().c_str());
                PushArgument(depth + 1);
                lua_settable(L, -3);
            }
            break;
        }
        case 10:
            luaL_loadstring(L, random.OneIn(2) ? "return 1, 'two', {}" : "error('fuzz callback')");
            break;
        default: lua_getglobal(L, "io"); lua_getfield(L, -1, "stdout"); lua_remove(L, -2); break;
        }
    }

    // One call of `function` with 0..8 random arguments; objects that come back
    // join the handle pool.
    void Call(const ApiFunction& function)
    {
        const int base = lua_gettop(L);
        if (function.table.empty()) {
            lua_getglobal(L, function.name.c_str());
        } else {
            lua_getglobal(L, function.table.c_str());
            if (!lua_istable(L, -1)) {
                lua_settop(L, base);
                return;
            }
            lua_getfield(L, -1, function.name.c_str());
            lua_remove(L, -2);
        }
        const int count = random.Int(0, 8);
        for (int i = 0; i < count; ++i) {
            // Methods mostly take a handle first.
            if (i == 0 && !function.table.empty() && random.OneIn(2))
                lua_pushlightuserdata(L, handles[random.Int(0, static_cast<int>(handles.size()) - 1)]);
            else PushArgument();
        }
        Remember(function, base + 2, count);
        if (lua_pcall(L, count, LUA_MULTRET, 0) == 0) {
            for (int i = base + 1; i <= lua_gettop(L); ++i)
                if (lua_islightuserdata(L, i)) Keep(lua_touserdata(L, i));
        }
        lua_settop(L, base);
    }

    // Handles the scripts keep in global tables (sprites, sounds, the player...).
    void HarvestGlobals()
    {
        lua_pushnil(L);
        while (lua_next(L, LUA_GLOBALSINDEX)) {
            if (lua_islightuserdata(L, -1)) Keep(lua_touserdata(L, -1));
            if (lua_istable(L, -1)) {
                lua_pushnil(L);
                while (lua_next(L, -2)) {
                    if (lua_islightuserdata(L, -1)) Keep(lua_touserdata(L, -1));
                    lua_pop(L, 1);
                }
            }
            lua_pop(L, 1);
        }
    }

    fuzz::Random& Rng() { return random; }

    // The last calls, oldest first, one a line: what to look at when something
    // goes wrong.
    std::string RecentCalls() const
    {
        std::string text;
        for (const std::string& call : recent) text += call + "\n";
        return text;
    }

private:
    void Remember(const ApiFunction& function, int first, int count)
    {
        std::string call = function.table.empty() ? function.name : function.table + "." + function.name;
        call += "(";
        for (int i = first; i < first + count; ++i) {
            if (i > first) call += ", ";
            if (lua_type(L, i) == LUA_TNUMBER) call += std::to_string(lua_tonumber(L, i));
            else if (lua_type(L, i) == LUA_TSTRING) call += "'" + std::string(lua_tostring(L, i)).substr(0, 20) + "'";
            else call += lua_typename(L, lua_type(L, i));
        }
        recent.push_back(call + ")");
        if (recent.size() > 40) recent.pop_front();
    }

    void Keep(void* handle)
    {
        // Old handles stay in the pool after their objects go: stale handles.
        if (handles.size() < 400) handles.push_back(handle);
        else handles[random.Int(4, static_cast<int>(handles.size()) - 1)] = handle;
    }

    lua_State* L;
    fuzz::Random random;
    std::vector<void*> handles;
    std::deque<std::string> recent;
};

// Whatever a script passes, every body stays at a finite place with a finite
// speed: Box2D asserts on NaN and infinity, and one such body spreads them to
// everything it touches.
bool BodiesAreFinite()
{
    for (b2Body* body = game->world->physics->GetBodyList(); body; body = body->GetNext())
        if (!body->GetPosition().IsValid() || !std::isfinite(body->GetAngle()) || !body->GetLinearVelocity().IsValid())
            return false;
    return true;
}

} // namespace

TEST(ScriptApiFuzz, EveryEngineFunctionSurvivesRandomArguments)
{
    lua_State* L = luaState;
    ASSERT_NE(L, nullptr);
    // A real level first, so that there are objects of every sort to hand out.
    ASSERT_TRUE(RunScriptString("LoadLevel('level1', 0) SetMenuState('game')", ScriptErrors::StdErr));
    for (int i = 0; i < 3; ++i) RunFrame();

    const std::vector<ApiFunction> functions = EngineFunctions(L);
    ASSERT_GT(functions.size(), 100u) << "the engine's script functions were not found";
    ApiFuzzer fuzzer(L, fuzz::Seed());
    const int rounds = fuzz::Rounds(6000);
    QuietStdErr quiet;
    for (int round = 0; round < rounds; ++round) {
        // Every function in turn first, then random picks.
        const ApiFunction& function = round < static_cast<int>(functions.size())
                                          ? functions[round]
                                          : functions[fuzzer.Rng().Int(0, static_cast<int>(functions.size()) - 1)];
        if (std::getenv("KORVANMIRE_FUZZ_VERBOSE"))
            std::fprintf(stderr, "fuzz %d: %s%s%s\n", round, function.table.c_str(), function.table.empty() ? "" : ".",
                         function.name.c_str());
        fuzzer.Call(function);
        ASSERT_TRUE(BodiesAreFinite()) << "after these calls:\n" << fuzzer.RecentCalls();
        if (round % 40 == 39) {
            RunFrame();
            ASSERT_TRUE(BodiesAreFinite()) << "after a frame that followed these calls:\n" << fuzzer.RecentCalls();
            fuzzer.HarvestGlobals();
        }
        // Now and then a fresh level, so handles of the old one go stale.
        if (round % 1500 == 1499) RunScriptString("LoadLevel('level1', 0) SetMenuState('game')", ScriptErrors::Silent);
    }
    // The game still runs frames afterwards.
    RunScriptString("SetMenuState('mainmenu')", ScriptErrors::Silent);
    for (int i = 0; i < 3; ++i) RunFrame();
}
