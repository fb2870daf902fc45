// Script functions of levels: loading and level changes, saving a level,
// clearing, the module name list, the run's progress record and the
// oriented-rectangle test that level generators place modules with.
#include "core/Game.h"
#include "level/campaign/CampaignFile.h"
#include "level/campaign/Difficulty.h"
#include "level/LevelLoader.h"
#include "level/OrientedRect.h"
#include "script/ApiRegistry.h"
#include "world/World.h"
#include <lua.hpp>
#include <string>

namespace {

TGame* CurrentGame(lua_State* L)
{
    if (!game) luaL_error(L, "the game is not set up yet");
    return game;
}

// LoadLevel(name, delayed) and BeginLevelChange(name, delayed)
int l_LoadLevel(lua_State* L)
{
    const std::string name = luaL_checkstring(L, 1);
    const lua_Integer delayed = luaL_checkinteger(L, 2);
    CurrentGame(L)->BeginLevelChange(name, delayed != 0);
    return 0;
}

// SaveLevel(dir): dir/static.lua with every object's and bitmap's creation line
int l_SaveLevel(lua_State* L)
{
    const std::string dir = luaL_checkstring(L, 1);
    TGame* g = CurrentGame(L);
    if (g->world) SaveLevel(*g->world, dir);
    return 0;
}

int l_ClearLevel(lua_State* L)
{
    TGame* g = CurrentGame(L);
    if (g->world) g->world->Clear();
    return 0;
}

int l_AddModule(lua_State* L)
{
    CurrentGame(L)->moduleNames.push_back(luaL_checkstring(L, 1));
    return 0;
}

int l_ClearModules(lua_State* L)
{
    CurrentGame(L)->moduleNames.clear();
    return 0;
}

int l_ResetSave(lua_State* L)
{
    TGame* g = CurrentGame(L);
    if (g->progress) g->progress->Reset();
    return 0;
}

// SetDifficulty(name): the difficulty of the campaign being played ("easy",
// "normal" or "hard"); a new game takes it from the settings
int l_SetDifficulty(lua_State* L)
{
    const std::string name = luaL_checkstring(L, 1);
    if (!IsDifficultyName(name)) return luaL_error(L, "SetDifficulty: \"%s\" is not easy, normal or hard", name.c_str());
    TGame* g = CurrentGame(L);
    if (g->progress) g->progress->difficulty = name;
    return 0;
}

// GetDifficulty() -> name, damage taken factor, enemy count factor
int l_GetDifficulty(lua_State* L)
{
    TGame* g = CurrentGame(L);
    const TDifficulty& difficulty = DifficultyNamed(g->progress ? g->progress->difficulty : "normal");
    lua_pushstring(L, difficulty.name);
    lua_pushnumber(L, difficulty.damageTaken);
    lua_pushnumber(L, difficulty.enemyCount);
    return 3;
}

// HasSavedCampaign() -> true when "continue" has a sound save to start from
int l_HasSavedCampaign(lua_State* L)
{
    lua_pushboolean(L, LoadCampaign().has_value());
    return 1;
}

// ContinueCampaign() -> true when the saved level was started
int l_ContinueCampaign(lua_State* L)
{
    lua_pushboolean(L, ContinueCampaign(*CurrentGame(L)));
    return 1;
}

// ClearCampaign(): forgets the saved campaign (a new game)
int l_ClearCampaign(lua_State* L)
{
    CurrentGame(L);
    ClearCampaign();
    return 0;
}

// FinishCampaign(): the last gate; the teleport countdown ends on the win page
int l_FinishCampaign(lua_State* L)
{
    CurrentGame(L)->BeginCampaignEnd();
    return 0;
}

TOrientedRect RectArg(lua_State* L, int first)
{
    TOrientedRect rect;
    rect.x = luaL_checknumber(L, first);
    rect.y = luaL_checknumber(L, first + 1);
    rect.angle = luaL_checknumber(L, first + 2);
    rect.width = luaL_checknumber(L, first + 3);
    rect.height = luaL_checknumber(L, first + 4);
    return rect;
}

// _IntersectOBB(x1, y1, a1, w1, h1, x2, y2, a2, w2, h2) -> 1 or 0
// ReloadContent(): objects.lua, relvad.lua and levels.lua run again, shipped then
// the player's, so that changed object kinds, items and rooms show at once
int l_ReloadContent(lua_State* L)
{
    ReloadContent(CurrentGame(L));
    return 0;
}

int l_IntersectOBB(lua_State* L)
{
    const TOrientedRect a = RectArg(L, 1);
    const TOrientedRect b = RectArg(L, 6);
    lua_pushinteger(L, a.Intersects(b) ? 1 : 0);
    return 1;
}

} // namespace

void RegisterLevelApi(lua_State* L)
{
    BeginApiGroup("Levels and the campaign",
                  "Loading and saving levels, the module list the generator draws from, the campaign save and the difficulty.");
    SetGlobalFunction(L, "LoadLevel", l_LoadLevel,
        "(name, delayed)",
        "Loads the level directory `name`: at once when `delayed` is 0, else after the teleport countdown (ignored while one runs).");
    SetGlobalFunction(L, "BeginLevelChange", l_LoadLevel,
        "(name, delayed)",
        "The same as LoadLevel, by the name the gates use.");
    SetGlobalFunction(L, "SaveLevel", l_SaveLevel,
        "(dir)",
        "Writes every object's and floor bitmap's creation line to `dir`/static.lua in the player's folder; a name with / or .. is refused on the console.");
    SetGlobalFunction(L, "ClearLevel", l_ClearLevel,
        "()",
        "Removes every object and floor bitmap from the world.");
    SetGlobalFunction(L, "AddModule", l_AddModule,
        "(name)",
        "Adds a room name to the module list that F12 shows and the generator draws from (LoadModules calls it).");
    SetGlobalFunction(L, "ClearModules", l_ClearModules,
        "()",
        "Empties the module list.");
    SetGlobalFunction(L, "ResetSave", l_ResetSave,
        "()",
        "Starts the run's progress afresh: counters 0, kills cleared, no ammunition, empty slots, health 100, \"normal\".");
    SetGlobalFunction(L, "_IntersectOBB", l_IntersectOBB,
        "(x1, y1, a1, w1, h1, x2, y2, a2, w2, h2) -> 1 or 0",
        "1 when the two turned rectangles (centre, angle, width, height) overlap; the generator keeps modules apart with it.");
    SetGlobalFunction(L, "ReloadContent", l_ReloadContent,
        "()",
        "Forgets the recipes and the module list, then runs objects.lua, relvad.lua and levels.lua again, shipped then the player's; what is in the world keeps what it was made with.");
    SetGlobalFunction(L, "HasSavedCampaign", l_HasSavedCampaign,
        "() -> bool",
        "True when a campaign save is there and sound, so that \"continue\" can start it.");
    SetGlobalFunction(L, "ContinueCampaign", l_ContinueCampaign,
        "() -> bool",
        "Starts the saved level with what the player carried into it (at full health); true when it was started.");
    SetGlobalFunction(L, "ClearCampaign", l_ClearCampaign,
        "()",
        "Removes the campaign save (a new game).");
    SetGlobalFunction(L, "FinishCampaign", l_FinishCampaign,
        "()",
        "The last gate: the teleport countdown runs and ends on the win page.");
    SetGlobalFunction(L, "SetDifficulty", l_SetDifficulty,
        "(name)",
        "Sets the difficulty of the campaign being played: \"easy\", \"normal\" or \"hard\"; the campaign save keeps it.");
    SetGlobalFunction(L, "GetDifficulty", l_GetDifficulty,
        "() -> name, damage factor, enemy factor",
        "The campaign's difficulty, the factor on the damage the player takes and the factor on the number of enemies placed.");
}
