// Script functions of the application core: screen states, the
// console's print, mouse and camera points, directory listings, where the
// player's own files go.
#include "core/App.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "player/input/KeyBinding.h"
#include "render/Camera.h"
#include "script/ApiRegistry.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "util/UserStatePaths.h"
#include "world/World.h"
#include <dirent.h>
#include <lua.hpp>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

TGame* CurrentGame(lua_State* L)
{
    if (!game) luaL_error(L, "the game is not set up yet");
    return game;
}

int l_print(lua_State* L)
{
    console.Append(luaL_checkstring(L, 1));
    return 0;
}

int l_GetMousePosition(lua_State* L)
{
    lua_pushnumber(L, MouseWorldX());
    lua_pushnumber(L, MouseWorldY());
    return 2;
}

int l_GetWorldPoint(lua_State* L)
{
    const lua_Number x = luaL_checknumber(L, 1);
    const lua_Number y = luaL_checknumber(L, 2);
    lua_pushnumber(L, (x + cameraX) / 12.0);
    lua_pushnumber(L, (y + cameraY) / 12.0);
    return 2;
}

int l_GetScreenPoint(lua_State* L)
{
    const lua_Number x = luaL_checknumber(L, 1);
    const lua_Number y = luaL_checknumber(L, 2);
    lua_pushnumber(L, x * 12.0 - cameraX);
    lua_pushnumber(L, y * 12.0 - cameraY);
    return 2;
}

int l_SetMenuState(lua_State* L)
{
    CurrentGame(L)->SetState(luaL_checkstring(L, 1));
    return 0;
}

// GetMenuState() -> the name of the current screen ("game", "mainmenu", ...)
int l_GetMenuState(lua_State* L)
{
    lua_pushstring(L, CurrentGame(L)->currentStateName.c_str());
    return 1;
}

int l_ExitGame(lua_State*)
{
    running = 0;
    return 0;
}

// KeyName(code) -> the key's name as the controls page shows it ("space", "left mouse")
int l_KeyName(lua_State* L)
{
    const std::string name = KeyCodeName(int(luaL_checkinteger(L, 1)));
    lua_pushstring(L, name.c_str());
    return 1;
}

int l_ShowMessage(lua_State*)
{
    return 0;
}

int l_PrintDirectory(lua_State* L)
{
    const char* path = luaL_checkstring(L, 1);
    std::string listing;
    if (DIR* dir = opendir(path)) {
        while (dirent* entry = readdir(dir)) {
            listing += entry->d_name;
            listing += '\n';
        }
        closedir(dir);
    }
    lua_pushlstring(L, listing.data(), listing.size());
    return 1;
}

// The name of a user-state file, kept inside the user-state directory.
std::string CheckUserFileName(lua_State* L, int index)
{
    const std::string name = luaL_checkstring(L, index);
    const bool escapes = name.empty() || name[0] == '/' || name == ".." || name.rfind("../", 0) == 0 ||
                         name.find("/../") != std::string::npos ||
                         (name.size() >= 3 && name.compare(name.size() - 3, 3, "/..") == 0);
    if (escapes) luaL_argerror(L, index, "a file name inside the user-state directory");
    return name;
}

// UserFileToRead(name): the player's copy of name if there is one, else the shipped one.
int l_UserFileToRead(lua_State* L)
{
    lua_pushstring(L, userStatePaths.ReadPath(CheckUserFileName(L, 1)).c_str());
    return 1;
}

// UserFileToWrite(name): where name is written (its directory is made).
int l_UserFileToWrite(lua_State* L)
{
    lua_pushstring(L, userStatePaths.WritePath(CheckUserFileName(L, 1)).c_str());
    return 1;
}

// RunStartupScript(name) -> true when the shipped script `name` and the
// player's content/`name` (when there is one) both ran; errors go to the
// console and the standard error stream
int l_RunStartupScript(lua_State* L)
{
    bool ok = false;
    {
        const std::string name = luaL_checkstring(L, 1);
        ok = RunStartupScript(name);
    }
    lua_pushboolean(L, ok);
    return 1;
}

// ContentFile(name) -> the path content file `name` is read from: the player's
// content/name when there is one, else the shipped file
int l_ContentFile(lua_State* L)
{
    lua_pushstring(L, userStatePaths.ContentPaths(CheckUserFileName(L, 1)).front().c_str());
    return 1;
}

// ModuleDirectories(): the shipped module directories, then the player's
// (content/mods/ last, so that its rooms win).
int l_ModuleDirectories(lua_State* L)
{
    const std::vector<std::string> dirs = userStatePaths.ModuleDirs();
    lua_createtable(L, static_cast<int>(dirs.size()), 0);
    for (size_t i = 0; i < dirs.size(); ++i) {
        lua_pushstring(L, dirs[i].c_str());
        lua_rawseti(L, -2, static_cast<int>(i + 1));
    }
    return 1;
}

void SetNumberTable(lua_State* L, const char* name, std::initializer_list<const char*> keys)
{
    lua_newtable(L);
    int value = 0;
    for (const char* key : keys) {
        lua_pushinteger(L, value++);
        lua_setfield(L, -2, key);
    }
    lua_setglobal(L, name);
}

} // namespace

// Level loading, saving and the module list live in api_level.cpp.

void RegisterCoreApi(lua_State* L)
{
    BeginApiGroup("Core",
                  "The screen states, the console, mouse and camera points, directory listings and where the player's own files and content are.");
    // Actor actions and wall materials by name, numbered in order.
    SetNumberTable(L, "actions", {"idle", "walk", "fall", "rise", "pain", "lay", "hit", "shoot", "aim",
                                  "vehib1", "vehib2", "hide", "dig", "sprint"});
    SetNumberTable(L, "materials", {"stone_yellow", "metal_red", "metal_grey", "metal_blue",
                                    "wood_destructable", "stone_destructable"});

    SetGlobalFunction(L, "print", l_print,
        "(text)",
        "Appends the text to the console (F1) as it is: end it with \"\\n\" for a line of its own.");
    SetGlobalFunction(L, "GetMousePosition", l_GetMousePosition,
        "() -> x, y",
        "The mouse pointer's position in the world.");
    SetGlobalFunction(L, "GetWorldPoint", l_GetWorldPoint,
        "(x, y) -> x, y",
        "A point of the screen in pixels as a point of the world, through the camera.");
    SetGlobalFunction(L, "GetScreenPoint", l_GetScreenPoint,
        "(x, y) -> x, y",
        "A point of the world as a point of the screen in pixels, through the camera.");
    SetGlobalFunction(L, "SetMenuState", l_SetMenuState,
        "(name)",
        "Switches to the screen state `name` (\"game\", \"mainmenu\", \"map\", \"editor\", ...); an unknown name changes nothing.");
    SetGlobalFunction(L, "GetMenuState", l_GetMenuState,
        "() -> name",
        "The name of the current screen state.");
    SetGlobalFunction(L, "ExitGame", l_ExitGame,
        "()",
        "Ends the main loop after this frame: the settings and the finished runs are saved as at any exit.");
    SetGlobalFunction(L, "ShowMessage", l_ShowMessage,
        "(...)",
        "Does nothing; kept so that old scripts that call it still run.");
    SetGlobalFunction(L, "KeyName", l_KeyName,
        "(code) -> name",
        "The name of a key or mouse button code as the controls page shows it (\"space\", \"left mouse\").");
    SetGlobalFunction(L, "_PrintDirectory", l_PrintDirectory,
        "(path) -> listing",
        "The names in a directory, one per line (\"\" when it cannot be read); levels.lua lists rooms and zones with it.");
    SetGlobalFunction(L, "UserFileToRead", l_UserFileToRead,
        "(name) -> path",
        "Where the player's file `name` is read from: the copy in the player's state folder when there is one, else the data directory's.");
    SetGlobalFunction(L, "UserFileToWrite", l_UserFileToWrite,
        "(name) -> path",
        "Where the player's file `name` is written, in the player's state folder; the directories on the way are made.");
    SetGlobalFunction(L, "ModuleDirectories", l_ModuleDirectories,
        "() -> {dir, ...}",
        "The directories rooms are loaded from, shipped first, the player's content/mods/ last so that its rooms win.");
    SetGlobalFunction(L, "RunStartupScript", l_RunStartupScript,
        "(name) -> ok",
        "Runs the start-up script `name`, the shipped one then the player's content/`name`; errors go to the console and standard error; true when both ran.");
    SetGlobalFunction(L, "ContentFile", l_ContentFile,
        "(name) -> path",
        "The path a content file is read from: the player's content/`name` when there is one, else the shipped file.");
    // Its own subsystem on the page: registered after the core functions.
    RegisterLevelApi(L);
}
