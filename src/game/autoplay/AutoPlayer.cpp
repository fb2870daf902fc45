#include "autoplay/AutoPlayer.h"
#include "core/App.h"
#include "core/Game.h"
#include "core/replay/RunOptions.h"
#include "core/replay/RunRecorder.h"
#include "level/campaign/Difficulty.h"
#include "autoplay/AutoInputDevice.h"
#include "autoplay/AutoTuning.h"
#include "enemies/Enemy.h"
#include "player/items/Item.h"
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include "script/ScriptHost.h"
#include "world/World.h"
#include <SDL/SDL.h>
#include <cstdio>
#include <map>
#include <unistd.h>

TAutoPlayer autoPlayer;

using namespace autotune;

namespace {

int Sum(const std::map<std::string, int32_t>& counts)
{
    int total = 0;
    for (const auto& entry : counts) total += entry.second;
    return total;
}

// A script line run in the automatic player's place: a run record keeps it,
// so that the replay does the same.
void RunRecordedScript(const std::string& code)
{
    runRecorder.NoteScript(frameNumber + 1, code);
    RunScriptString(code, ScriptErrors::StdErr, "=autoplay");
}

} // namespace

void TAutoPlayer::PushEventsForFrame()
{
    if (!game) return;
    if (game->currentStateName != state) {
        state = game->currentStateName;
        stateFrames = 0;
    }
    ++stateFrames;
    if (frameNumber % kStatusFrames == 0) ReportStatus(*game);
    if (state == "game") OnLevel(*game);
    else OnMenu(*game);
    hands.PushEvents();
}

void TAutoPlayer::OnMenu(TGame& game)
{
    if (state == "mainmenu" && stateFrames == kMenuPause) {
        if (campaignLost) {
            // On "hard" the death ended the campaign: the run is over.
            PassGate();
            running = 0;
            return;
        }
        // The first entry: after a death "continue", which starts the level
        // again with what the player carried through its gate, as a person
        // would; else (or before any gate saved the campaign) "new game".
        hands.Tap(SDLK_RETURN);
        restarting = !diedOn.empty();
        diedOn.clear();
    } else if (state == "levelend" || state == "win") {
        // Through the gate (a death in its countdown is a death like any other).
        if (stateFrames == 1) PassGate();
        if (stateFrames != kMenuPause) return;
        if (LevelLimitReached()) running = 0;
        else hands.Tap(state == "win" ? SDLK_RETURN : SDLK_SPACE);
    } else if (state == "gameover") {
        if (stateFrames == 1) {
            ++deaths;
            ReportDeath(game);
            diedOn = level;
            campaignLost = game.progress && DifficultyNamed(game.progress->difficulty).deathEndsCampaign;
            // The level's line when the campaign ends here, from the figures before they are reset.
            gateLine = campaignLost ? LevelLine(game, false) : "";
            // The run's counters start afresh with the next attempt: keep this one's.
            if (game.world) {
                framesBefore += game.world->stepCount;
                killsBefore += Sum(game.world->killCounts);
            }
            if (game.progress) {
                shotsBefore += game.progress->shots - shotsAtStart;
                hitsBefore += game.progress->hits - hitsAtStart;
            }
            // Leaving the screen resets the progress record; "continue" brings back the saved one.
            shotsAtStart = hitsAtStart = 0;
        }
        if (stateFrames == kGameOverPause) hands.Tap(SDLK_RETURN);
    }
}

bool TAutoPlayer::LevelLimitReached() const
{
    return runOptions.autoplayLevels > 0 && levelsDone >= runOptions.autoplayLevels;
}

void TAutoPlayer::StartLevelCount(TGame& game)
{
    level = game.currentLevelName;
    reported = givenUp = false;
    deaths = framesBefore = killsBefore = shotsBefore = hitsBefore = 0;
    healthLost = 0.0f;
    StartAttempt(game);
}

void TAutoPlayer::StartAttempt(TGame& game)
{
    // "continue" brings back the counters saved at the gate: this attempt counts from them.
    shotsAtStart = game.progress ? game.progress->shots : 0;
    hitsAtStart = game.progress ? game.progress->hits : 0;
    restarting = false;
    lastPlayer.Reset();
}

void TAutoPlayer::NoteHealth(TGame& game)
{
    // Only what is taken counts, not what medkits give back; a new player
    // (the next level, or the level begun again) is no loss, nor is the
    // carried health handed to him on his first update.
    const float health = game.player ? game.player->health : 0.0f;
    if (game.applyCarryOver) {
        lastPlayer.Reset();
        return;
    }
    if (lastPlayer.Is(game.player) && health < lastHealth) healthLost += lastHealth - health;
    lastPlayer = TObjectRef(game.player);
    lastHealth = health;
}

void TAutoPlayer::OnLevel(TGame& game)
{
    if (!game.world) return;
    if (game.currentLevelName != level) {
        // A key pressed as the countdown ended skips the level-end page.
        PassGate();
        if (LevelLimitReached()) running = 0;
        StartLevelCount(game);
    } else if (restarting) {
        StartAttempt(game);
    }
    NoteHealth(game);
    TWorld& world = *game.world;
    if (!reported && game.levelEndCountdown > 0) gateLine = LevelLine(game, true);
    const bool playerUp = game.player && game.player->health > 0.0f;
    if (playerUp && game.levelEndCountdown <= 0) {
        if (!reported && framesBefore + world.stepCount > runOptions.autoplayLevelFrames) {
            gateLine = LevelLine(game, false);
            PassGate();
            givenUp = true;
            if (LevelLimitReached()) running = 0;
            else LeaveLevel();
        } else if (givenUp) {
            // A death while the teleport counted down brought the player back here: off again.
            LeaveLevel();
        }
    }
    if (!game.player) return;
    if (auto* device = dynamic_cast<TAutoInputDevice*>(game.player->input.get())) {
        // Half the level's time gone (earlier attempts included): straight on.
        device->Hurry(framesBefore + world.stepCount > runOptions.autoplayLevelFrames / 2);
        device->Think(*game.player, world, hands);
    }
}

void TAutoPlayer::LeaveLevel()
{
    // On to the next level the way its gate would lead; after the last one
    // the campaign is over and a new one begins. The level is named by the
    // game, not by the scripts' idea of the last level they built.
    RunRecordedScript("local next = NextLevel(\"" + level + "\"); "
                      "if next then LoadLevel(next, 1) else ClearCampaign(); SetMenuState(\"mainmenu\") end");
}

void TAutoPlayer::ReportStatus(TGame& game)
{
    // Resident memory from the kernel's page counts.
    long pages = 0, residentPages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &residentPages) != 2) residentPages = 0;
        std::fclose(statm);
    }
    const long residentKb = residentPages * (sysconf(_SC_PAGESIZE) / 1024);
    const size_t objects = game.world ? game.world->objects.size() : 0;
    const b2Vec2 at = game.player ? game.player->GetPosition() : b2Vec2(0.0f, 0.0f);
    const TAutoInputDevice* device =
        game.player ? dynamic_cast<const TAutoInputDevice*>(game.player->input.get()) : nullptr;
    const int health = game.player ? int(game.player->health) : 0;
    std::fprintf(stderr,
                 "autoplay: status frame %d objects %zu rss_kb %ld screen %s level %s at %.1f %.1f health %d %s\n",
                 frameNumber, objects, residentKb, state.c_str(), level.empty() ? "-" : level.c_str(), double(at.x),
                 double(at.y), health, device ? device->Doing().c_str() : "-");
}

void TAutoPlayer::ReportDeath(TGame& game)
{
    std::string line = "autoplay: death level " + level;
    if (game.player) {
        const b2Vec2 at = game.player->GetPosition();
        char text[64];
        std::snprintf(text, sizeof text, " at %.1f %.1f near", double(at.x), double(at.y));
        line += text;
        if (game.world) {
            for (TGameObject* object : game.world->objects) {
                auto* enemy = dynamic_cast<TEnemy*>(object);
                if (!enemy || enemy->dead || !enemy->Alive()) continue;
                const float distance = (enemy->GetPosition() - at).Length();
                if (distance > kDeathReportReach) continue;
                std::snprintf(text, sizeof text, " %s:%.1f", enemy->kindName.c_str(), double(distance));
                line += text;
            }
        }
        if (const auto* device = dynamic_cast<const TAutoInputDevice*>(game.player->input.get()))
            line += " doing " + device->Doing();
        line += " ammo";
        for (int type = 0; type < kActorAmmoTypes; ++type) line += " " + std::to_string(game.player->ammo[type]);
        if (game.player->inventory) {
            line += " carrying";
            for (int i = 0; i < game.player->inventory->slotCount; ++i)
                if (TItem* item = game.player->inventory->Slot(i)) line += " [" + item->itemName + "]";
        }
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

void TAutoPlayer::PassGate()
{
    if (gateLine.empty()) return;
    reported = true;
    ++levelsDone;
    std::fprintf(stderr, "%s\n", gateLine.c_str());
    std::fflush(stderr);
    gateLine.clear();
}

std::string TAutoPlayer::LevelLine(TGame& game, bool reachedGate) const
{
    const int frames = framesBefore + (game.world ? game.world->stepCount : 0);
    const int kills = killsBefore + (game.world ? Sum(game.world->killCounts) : 0);
    const int shots = shotsBefore + (game.progress ? game.progress->shots - shotsAtStart : 0);
    const int hits = hitsBefore + (game.progress ? game.progress->hits - hitsAtStart : 0);
    const int health = game.player ? int(game.player->health) : 0;
    char text[512];
    std::snprintf(text, sizeof text,
                  "autoplay: level %s gate %s frames %d health %d kills %d shots %d hits %d deaths %d lost %d",
                  level.c_str(), reachedGate ? "yes" : "no", frames, health, kills, shots, hits, deaths,
                  int(healthLost));
    return text;
}
