#include "level/LevelLoader.h"
#include "audio/Mixer.h"
#include "core/ContentFile.h"
#include "core/Game.h"
#include "core/screens/MainMenuState.h"
#include "core/screens/StateRegistry.h"
#include "level/LevelStartEffect.h"
#include "level/ModuleFile.h"
#include "player/items/ReactionTable.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "util/AtomicFile.h"
#include "util/UserStatePaths.h"
#include "world/Bitmap.h"
#include "world/CreationTransform.h"
#include "world/GameObject.h"
#include "world/World.h"
#include <sys/stat.h>

namespace {

bool IsDirectory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A level directory of the player's content or a shipped one.
bool IsLevelDirectory(const std::string& dir)
{
    return IsDirectory(userStatePaths.ContentPaths(dir).front());
}

// Runs a level's script: the player's content/<dir>/<file> when there is one,
// the shipped file when that fails or there is none.
void RunLevelScript(const std::string& dir, const char* file)
{
    LoadContentFile(dir + "/" + file, [](const std::string& path) { return RunScriptFile(path, ScriptErrors::Console); });
}

// A level directory is named plainly: a script's "../.." or "/etc" must not
// send the saved level out of the game's own folders.
bool IsPlainDirectoryName(const std::string& name)
{
    static const std::string separators("/\\\0", 3);
    return !name.empty() && name != "." && name != ".." && name.find_first_of(separators) == std::string::npos;
}

} // namespace

void LoadLevel(TGame* game, const std::string& dir)
{
    if (auto* mainMenu = dynamic_cast<TMainMenuState*>(stateRegistry.Find("mainmenu")))
        mainMenu->noGameLoaded = 0;
    console.Append("Loading:" + dir + "\n");
    if (!IsLevelDirectory(dir)) console.AppendF("Level directory \"%s\" not found\n", dir.c_str());

    game->currentLevelName = dir;
    if (game->progress) game->progress->levelKills.clear();
    TWorld* world = game->world;
    if (world) {
        world->levelDir = dir;
        world->Clear();
        TLevelStartEffect::Install(*world);
    }
    // Each level builds from the untransformed origin, whatever the last one left.
    creationTransform.Set(0.0f, 0.0f, 0.0f);

    // The level's scripts and its gate know which level this is, also one
    // built by hand (a generated level's BuildLevel names it the same).
    SetGlobalString("currentLevel", dir);
    RunLevelScript(dir, "script.lua");
    RunLevelScript(dir, "objects.lua");

    if (world) world->needsSort = 1;
    PlaySound(FindSound("teleporter"), kMaxVolume);
}

std::string LevelSaveText(const TWorld& world)
{
    std::string text;
    for (TGameObject* object : world.objects) text += object->GetCreateCommand();
    for (TBitmap* bitmap : world.bitmaps) text += bitmap->GetCreateCommand();
    return text;
}

bool SaveLevel(const TWorld& world, const std::string& dir)
{
    if (!IsPlainDirectoryName(dir)) {
        console.AppendF("Level not saved: \"%s\" is not a level directory's plain name (no /, \\ or ..)\n",
                        dir.c_str());
        return false;
    }
    if (!IsLevelDirectory(dir)) {
        console.AppendF("Level not saved: no directory \"%s\"\n", dir.c_str());
        return false;
    }
    // An installed game keeps the saved level with the player's files.
    const std::string path = userStatePaths.WritePath(dir + "/static.lua");
    if (!WriteFileAtomically(path, LevelSaveText(world))) {
        console.AppendF("Level not saved: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool SaveLevelAsModule(TGame* game, const std::string& name)
{
    if (!game || !game->world) return false;
    return SaveModule(*game->world, name);
}

void ReloadContent(TGame* game)
{
    // The recipes and the module list are added to by the scripts, and a
    // module file since removed must not stay in modlist.
    reactionTable.Clear();
    if (game) game->moduleNames.clear();
    RunScriptString("modlist = {}", ScriptErrors::StdErrAndConsole, "=ReloadContent");
    RunStartupScript("objects.lua");
    RunStartupScript("relvad.lua");
    RunStartupScript("levels.lua");
}
