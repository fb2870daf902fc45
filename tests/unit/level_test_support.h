#pragma once
// Shared set-up for the level tests: a set-up game in a scratch directory,
// Lua helpers, and copies of the game's level scripts and module files.
#include "TestSupport.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "world/World.h"
#include "util/FileText.h"
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <lua.hpp>
#include <string>

class LevelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        console = TConsole();
        world = game->world;
    }
    void TearDown() override { console = TConsole(); }

    // Runs Lua code; the error message, or "" when it ran.
    std::string Run(const std::string& code) { return testing_support::RunLua(luaState, code); }

    // The first result of `return <expression>` as a number (NaN on errors).
    double Number(const std::string& expression)
    {
        lua_State* L = luaState;
        const int top = lua_gettop(L);
        double value = std::nan("");
        if (luaL_dostring(L, ("return " + expression).c_str()) == 0 && lua_isnumber(L, top + 1))
            value = lua_tonumber(L, top + 1);
        lua_settop(L, top);
        return value;
    }

    // The first result of `return <expression>` as a string ("<error: ...>" on errors).
    std::string String(const std::string& expression)
    {
        lua_State* L = luaState;
        const int top = lua_gettop(L);
        std::string value;
        if (luaL_dostring(L, ("return " + expression).c_str()) != 0)
            value = std::string("<error: ") + lua_tostring(L, -1) + ">";
        else if (const char* text = lua_tostring(L, top + 1))
            value = text;
        else
            value = "<nil>";
        lua_settop(L, top);
        return value;
    }

    static std::filesystem::path SourceData() { return testing_support::SourceDir() / "data"; }

    // Copies levels.lua, zones/ and mods/ of the game into the scratch directory.
    void CopyLevelScripts()
    {
        namespace fs = std::filesystem;
        const fs::path to = fixture.scratch.path();
        fs::copy_file(SourceData() / "levels.lua", to / "levels.lua", fs::copy_options::overwrite_existing);
        for (const char* dir : {"mods", "zones"}) {
            fs::create_directories(to / dir);
            fs::copy(SourceData() / dir, to / dir, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        }
    }

    // Everything the game needs to build the ten campaign levels without a
    // window: the level scripts and modules, the object kinds, the items, the
    // loot and the population, all loaded into the script state.
    void LoadCampaign()
    {
        namespace fs = std::filesystem;
        CopyLevelScripts();
        const fs::path to = fixture.scratch.path();
        for (const char* file : {"population.lua", "loot.lua", "objects.lua", "relvad.lua"})
            fs::copy_file(SourceData() / file, to / file, fs::copy_options::overwrite_existing);
        for (int n = 1; n <= 10; ++n) {
            const std::string dir = "level" + std::to_string(n);
            fs::create_directories(to / dir);
            for (const char* file : {"script.lua", "objects.lua"})
                fs::copy_file(SourceData() / dir / file, to / dir / file, fs::copy_options::overwrite_existing);
        }
        for (const char* file : {"objects.lua", "relvad.lua", "levels.lua"})
            ASSERT_EQ(Run(std::string("dofile('") + file + "')"), "") << file;
    }

    static std::string ReadFile(const std::string& path) { return ReadWholeFile(path).value_or(""); }

    testing_support::GameFixture fixture;
    TWorld* world = nullptr;
};
