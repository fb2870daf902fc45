-- Assemble the level described by script.lua from the modules under mods/.
BuildLevel(level)
