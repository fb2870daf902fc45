#pragma once
#include "audio/Music.h"
#include "level/campaign/LevelProgress.h"
#include "stats/RunRecord.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TInputDevice;
class TWorld;
class TMenu;
class TPlayer;
class TMenustate;

// The one game of the process: the world, the run's progress, the menu tree,
// the player, the level-change countdown, the finished runs and the current screen.
class TGame {
public:
    // Reads the finished runs from the stats file.
    explicit TGame(const std::string& statsPath = "stats");
    ~TGame();

    // Creates the world, progress, menu and every screen state; "mainmenu" becomes current.
    void SetUp();

    // Switches the current screen: unknown names and the current name change nothing;
    // otherwise the new state's Enter runs, then the old one's Leave, then the
    // music follows the new screen (core/screens/ScreenMusic).
    void SetState(const std::string& name);
    TMenustate* CurrentState() const;
    bool CurrentStateIsEditor() const;
    bool CurrentStateDrawsShadows() const;

    // One frame of the screen-state machine: carried-state hand-over, level-change
    // countdown, the current state's update, the developer state keys.
    void Update();
    void DrawPass1();
    void DrawPass2();

    // Delayed: starts the 57-frame teleport countdown (ignored while one runs
    // or while the player is down). Immediate: loads the level now.
    void BeginLevelChange(const std::string& name, bool delayed);
    // The gate of the last level: the same teleport countdown, then the win page.
    // Ignored while a countdown runs.
    void BeginCampaignEnd();
    // Stops a running countdown: nothing of the level's end follows (a death, "continue").
    void CancelLevelChange();
    // Loads a level whose immediate load was asked for during the world step.
    void LoadPendingLevel();
    // The player died and left the game-over screen, or left the win page:
    // record the run and start afresh.
    void EndRun(bool won = false);
    // The report text of the statistics page, rebuilt from the run records.
    void RebuildStatsPage();
    // Writes the finished runs to the stats file at path.
    bool SaveStats(const std::string& path) const;

    TWorld* world = nullptr;
    TLevelProgress* progress = nullptr;
    TMenu* menu = nullptr;
    TPlayer* player = nullptr;
    float kickX = 0.0f;
    float kickY = 0.0f;
    std::string nextLevelName;
    std::string currentLevelName;
    int levelEndCountdown = 0;
    bool campaignEnding = false;  // the running countdown ends on the win page
    std::vector<TRunRecord> runRecords;
    std::vector<std::string> moduleNames;
    uint8_t applyCarryOver = 0;
    std::string currentStateName;
    std::string pendingLevelName;  // an immediate load asked for during a world step
    TMusic music;
    // Makes the input device of each player created, when set: whoever starts
    // the run decides who plays (--autoplay: the automatic player's device).
    // Unset, a player reads the keyboard, or the gamepad when the settings ask.
    std::function<std::unique_ptr<TInputDevice>()> makePlayerInput;

private:
    void RunTeleportEffect(int countdown);
};

extern TGame* game;

// Level-change countdown length in frames.
constexpr int kLevelEndCountdownFrames = 57;
