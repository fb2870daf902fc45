#include "level/LevelLoader.h"
#include "core/Game.h"
#include "core/MainMenuState.h"
#include "core/StateRegistry.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "world/World.h"

void LoadLevel(TGame* game, const std::string& name)
{
    if (game->world) game->world->Clear();
    game->currentLevelName = name;
    game->progress->levelKills.clear();
    if (auto* mainMenu = dynamic_cast<TMainMenuState*>(stateRegistry.Find("mainmenu")))
        mainMenu->noGameLoaded = 0;
    RunScriptFile(name + "/script.lua", ScriptErrors::Console);
    RunScriptFile(name + "/objects.lua", ScriptErrors::Console);
}

bool SaveLevelAsModule(TGame* game, const std::string& name)
{
    if (!game->world) return false;
    return game->world->SaveAsModule("./mods/" + name + ".lua");
}
