// Script functions for the main menu tree. Items travel to scripts as light
// userdata and every one coming back is checked against the live handles.
#include "script/ApiRegistry.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include "ui/Menu.h"
#include "ui/MenuItem.h"
#include <lua.hpp>

namespace {
TMenu* MenuOrError(lua_State* L, const char* function)
{
    if (!gameMenu) luaL_error(L, "%s: the menu does not exist yet", function);
    return gameMenu;
}

TMenuItem* ItemOrError(lua_State* L, int index, const char* function)
{
    void* item = CheckHandle(L, index, HandleKind::MenuItem);
    if (!item) luaL_error(L, "%s: invalid menu item", function);
    return static_cast<TMenuItem*>(item);
}

// GetMenuRoot() -> root item
int GetMenuRoot(lua_State* L)
{
    TMenu* menu = MenuOrError(L, "GetMenuRoot");
    lua_pushlightuserdata(L, menu->Root());
    return 1;
}

// AddMenuItem(parent, text [, callback]) -> new item
int AddMenuItem(lua_State* L)
{
    TMenu* menu = MenuOrError(L, "AddMenuItem");
    TMenuItem* parent = ItemOrError(L, 1, "AddMenuItem");
    const char* text = luaL_checkstring(L, 2);
    // Any non-nil value is kept; one that is not a function fails when called.
    int callback = kNoScriptRef;
    if (lua_gettop(L) >= 3 && !lua_isnil(L, 3)) callback = MakeScriptRef(L, 3);
    lua_pushlightuserdata(L, menu->AddItem(parent, text, callback));
    return 1;
}

// RenameMenuItem(item, text)
int RenameMenuItem(lua_State* L)
{
    TMenu* menu = MenuOrError(L, "RenameMenuItem");
    TMenuItem* item = ItemOrError(L, 1, "RenameMenuItem");
    const char* text = luaL_checkstring(L, 2);
    menu->RenameItem(item, text);
    return 0;
}

// RemoveMenuItem(item): deletes it and everything under it; the root becomes current.
int RemoveMenuItem(lua_State* L)
{
    TMenu* menu = MenuOrError(L, "RemoveMenuItem");
    TMenuItem* item = ItemOrError(L, 1, "RemoveMenuItem");
    menu->RemoveItem(item);
    return 0;
}

// SelectMenuItem(item): makes the item current, as if the arrows had walked
// there (a page of choices opens on the one in use).
int SelectMenuItem(lua_State* L)
{
    TMenu* menu = MenuOrError(L, "SelectMenuItem");
    TMenuItem* item = ItemOrError(L, 1, "SelectMenuItem");
    menu->SetCurrent(item);
    return 0;
}
}

void RegisterMenuApi(lua_State* L)
{
    BeginApiGroup("The menu",
                  "The main menu tree that init.lua builds. Items are handles; each one coming back is checked.");
    SetGlobalFunction(L, "GetMenuRoot", GetMenuRoot,
        "() -> item",
        "The root of the menu tree: its children are the top row.");
    SetGlobalFunction(L, "AddMenuItem", AddMenuItem,
        "(parent, text [, callback]) -> item",
        "Adds an entry under `parent`, at the end of its row; Return on it calls `callback`.");
    SetGlobalFunction(L, "RenameMenuItem", RenameMenuItem,
        "(item, text)",
        "Changes an entry's text.");
    SetGlobalFunction(L, "RemoveMenuItem", RemoveMenuItem,
        "(item)",
        "Deletes the entry and everything under it; the root becomes current.");
    SetGlobalFunction(L, "SelectMenuItem", SelectMenuItem,
        "(item)",
        "Makes the entry current, as if the arrow keys had walked there.");
}
