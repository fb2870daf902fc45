#pragma once
#include <functional>
#include <string>

// Loads content file `name` ("gfx/spr_x.png", "shaders/radial_f.glsl",
// "level3/script.lua") with `load`, which is given a path and says whether the
// file loaded: the player's copy in content/ first, the shipped file after it.
// A copy of the player's that does not load is reported with its path (on the
// standard error stream and the console) and the shipped file is used instead,
// so a broken file of one's own never leaves the game without the shipped one.
bool LoadContentFile(const std::string& name, const std::function<bool(const std::string& path)>& load);
