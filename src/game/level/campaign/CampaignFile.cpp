#include "level/campaign/CampaignFile.h"
#include "core/Game.h"
#include "level/LevelLoader.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "util/AtomicFile.h"
#include "util/FileText.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A level begun again is begun at full health: the save holds the health
// carried through the gate, and a level entered nearly dead would otherwise
// be entered so again after every death.
constexpr float kContinueHealth = 100.0f;

// The scripts rebuild the main menu when the save comes or goes.
void TellScripts()
{
    if (ScriptFunctionExists("CampaignChanged")) CallScriptFunction("CampaignChanged", {}, 0, ScriptErrors::Console);
}

void Report(const std::string& text)
{
    console.Append(text + "\n");
    std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace

bool SaveCampaign(const TGame& game, const std::string& level)
{
    if (!game.progress || !IsCampaignLevelName(level)) return false;
    TCampaignSave save{level, *game.progress};
    const bool written = WriteFileAtomically(CampaignSavePath(true), FormatCampaignSave(save), "campaign save");
    if (written) TellScripts();
    return written;
}

void ClearCampaign()
{
    const std::string path = CampaignSavePath(true);
    if (std::remove(path.c_str()) == 0) {
        TellScripts();
    } else if (errno != ENOENT) {
        Report("cannot remove the campaign save \"" + path + "\": " + std::strerror(errno));
    }
}

std::optional<TCampaignSave> LoadCampaign()
{
    const std::string path = CampaignSavePath(false);
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return std::nullopt;
    std::string error;
    std::optional<TCampaignSave> save = ParseCampaignSave(*text, &error);
    if (!save) Report("the campaign save \"" + path + "\" is broken (" + error + "); \"continue\" is off");
    return save;
}

bool ContinueCampaign(TGame& game)
{
    std::optional<TCampaignSave> save = LoadCampaign();
    if (!save || !game.progress) return false;
    *game.progress = save->progress;
    game.progress->health = std::max(game.progress->health, kContinueHealth);
    game.CancelLevelChange();
    LoadLevel(&game, save->level);
    // The new level's player gets the saved ammunition, health and inventory on the next update.
    game.applyCarryOver = 1;
    return true;
}
