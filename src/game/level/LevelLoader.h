#pragma once
#include <string>

class TGame;

// Builds the level in directory `name`: clears the world, then runs its
// script.lua and objects.lua (errors go to the console).
void LoadLevel(TGame* game, const std::string& name);
// Saves the current level as ./mods/<name>.lua.
bool SaveLevelAsModule(TGame* game, const std::string& name);
