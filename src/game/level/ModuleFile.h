#pragma once
#include <string>

class TWorld;

// The module rectangle of the editor's last rectangle selection (world units):
// the extremes of the selected objects' positions and bitmap centres. The save
// origin (saveOriginX/Y of the world) is its centre. All 0 until the editor
// selects something.
struct TModuleRect {
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
};

extern TModuleRect moduleRect;

// The text of the module file for the selected objects and bitmaps of the
// world: the modlist header with w and h (minimum minus maximum), one
// connection point per selected kind-0 node relative to the save origin, and
// CreateObjects with every selected object's then every selected bitmap's
// creation line.
std::string ModuleFileText(const TWorld& world, const std::string& name, const TModuleRect& rect);

// Whether any selected object or bitmap writes a creation line.
bool SelectionHasContent(const TWorld& world);

// Writes <name>.lua into the player's content/mods/ (./mods/ when run from
// data/) through a temporary file and reports the result on the console. False
// when the name is unusable, nothing is selected, the room of that name stopped
// building part way when it was last built, or the file cannot be written; an
// old file is then left as it was.
bool SaveModule(const TWorld& world, const std::string& name);

// A module name is usable when it is a Lua identifier (it becomes modlist.<name>).
bool IsModuleName(const std::string& name);
