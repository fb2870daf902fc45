#pragma once
#include <string>

class TItem;

// The engine's way to make an item of any kind by its itemtable name: maps
// (x, y) through the creation transform and asks the scripts' resolver
// CreateItem(x', y', name), which picks the creating function for the kind.
// Null when the resolver failed (its error and "\n" go to the console) or
// returned no item ("ERROR: item \"name\" not defined\n" on stderr).
TItem* CreateItemByName(float x, float y, const std::string& name);
