#pragma once
#include <string>

class TGame;
class TWorld;

// Builds the level in directory `dir`: the main menu may return to the game
// from now on, "Loading:" goes to the console, the world is cleared and its
// levelDir set, then <dir>/script.lua and <dir>/objects.lua run in that order
// (the player's content/<dir>/ copies first; errors go to the console and
// loading goes on), the world re-sorts,
// and the teleporter sounds.
void LoadLevel(TGame* game, const std::string& dir);

// The saved form of a world: every object's creation line in list order, then
// every bitmap's; objects that write nothing add nothing.
std::string LevelSaveText(const TWorld& world);
// Writes LevelSaveText into <dir>/static.lua through a temporary file. When the
// directory cannot be written, or `dir` is no plain name (a path with / or \,
// "." or ".."), nothing changes on disk, the console says so and false is
// returned.
bool SaveLevel(const TWorld& world, const std::string& dir);

// F7: the editor's selection as the module file <name>.lua (SaveModule).
bool SaveLevelAsModule(TGame* game, const std::string& name);

// Runs the object-kind, item and level scripts again (objects.lua, relvad.lua,
// levels.lua, each shipped then the player's), after forgetting the recipes and
// the module list they fill, so that a change shows without a restart. What is
// already in the world keeps what it was made with.
void ReloadContent(TGame* game);
