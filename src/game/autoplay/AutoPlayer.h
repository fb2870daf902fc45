#pragma once
#include "autoplay/AutoControls.h"
#include "world/ObjectRef.h"
#include <string>

class TGame;

// The automatic player at the screen level (--autoplay): it starts a new
// game from the main menu, leaves the level-end and game-over screens, starts
// a level again after a death through "continue" as a person does (on
// "hard", where a death ends the campaign, the run ends), and lets the
// player's automatic device play each level. Per level it writes one line to stderr:
//   autoplay: level NAME gate yes|no frames F health H kills K shots S hits T deaths D lost L
// (L: the health points taken from the player, all attempts together)
// and with a level limit it ends the program after that many levels. Every
// few hundred frames it also writes the live object count and memory.
class TAutoPlayer {
public:
    // Decides this frame's input and puts it into the event queue; called by
    // the event poll before it reads the queue.
    void PushEventsForFrame();

private:
    void OnMenu(TGame& game);
    void OnLevel(TGame& game);
    void StartLevelCount(TGame& game);
    // A new attempt at the level: its shots and hits count from here.
    void StartAttempt(TGame& game);
    // Adds what the player lost since the last frame to the level's loss.
    void NoteHealth(TGame& game);
    // The levels asked for with --autoplay-levels are done.
    bool LevelLimitReached() const;
    // "autoplay: status frame F objects N rss_kb R screen S level L at X Y health H DOING" on stderr.
    void ReportStatus(TGame& game);
    // "autoplay: death level L at X Y near KIND:DISTANCE... ammo ... carrying [ITEM]...":
    // what the player faced and had when he fell.
    void ReportDeath(TGame& game);
    // The level's figures so far as its line.
    std::string LevelLine(TGame& game, bool reachedGate) const;
    // Writes the level's line once the level is left (through the gate or given up).
    void PassGate();
    // Gives the level up: the teleport to the next one starts.
    void LeaveLevel();

    TAutoControls hands;
    std::string state;
    int stateFrames = 0;
    int levelsDone = 0;
    // The level being played and its figures so far (earlier attempts included).
    std::string level;
    std::string diedOn;  // the level to start again after a death
    bool restarting = false;    // "continue" chosen after a death: the level begins again
    bool campaignLost = false;  // the last death ended the campaign ("hard")
    bool reported = false;
    bool givenUp = false;  // past its frame limit: left as soon as the player stands
    std::string gateLine;  // kept up while the gate counts down, written as it is passed
    int deaths = 0;
    int framesBefore = 0, killsBefore = 0, shotsBefore = 0, hitsBefore = 0;
    int shotsAtStart = 0, hitsAtStart = 0;
    float healthLost = 0.0f;
    TObjectRef lastPlayer;
    float lastHealth = 0.0f;
};

extern TAutoPlayer autoPlayer;
