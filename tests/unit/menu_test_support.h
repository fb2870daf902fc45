#pragma once
// Shared set-up for the menu tests: a private Lua state with the menu functions,
// a fresh game menu, and frames with injected key presses.
#include "TestSupport.h"
#include "core/InputTables.h"
#include "script/ApiRegistry.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "ui/Menu.h"
#include "ui/MenuItem.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <lua.hpp>
#include <string>

class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedState = luaState;
        L = luaL_newstate();
        luaL_openlibs(L);
        luaState = L;
        RegisterMenuApi(L);
        menu = new TMenu();
        gameMenu = menu;
        console = TConsole();
        console.visible = false;
        inputTables.BeginFrame();
    }

    void TearDown() override
    {
        delete menu;
        gameMenu = nullptr;
        lua_close(L);
        luaState = savedState;
        console = TConsole();
        inputTables.BeginFrame();
    }

    // Runs Lua code; returns the error message, or "" when it ran.
    std::string Run(const std::string& code) { return testing_support::RunLua(L, code); }

    // The light userdata in global `name`.
    TMenuItem* Global(const char* name) { return static_cast<TMenuItem*>(testing_support::GlobalPointer(L, name)); }

    double GlobalNumber(const char* name) { return testing_support::GlobalNumber(L, name); }

    // One menu frame with the given keys pressed.
    void Frame(std::initializer_list<int> keys = {})
    {
        inputTables.BeginFrame();
        for (int key : keys) inputTables.SetKey(key, true);
        menu->Update();
        for (int key : keys) inputTables.SetKey(key, false);
    }

    lua_State* L = nullptr;
    lua_State* savedState = nullptr;
    TMenu* menu = nullptr;
};
