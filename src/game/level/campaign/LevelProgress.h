#pragma once
#include <map>
#include <string>

// The carried record of a run: its counters for the statistics and the player
// state handed from one level to the next.
struct TLevelProgress {
    static constexpr int kAmmoTypes = 10;
    static constexpr int kCarriedSlots = 16;

    // One inventory slot as it crosses a level change: the item's type name
    // ("---" for an empty slot), its number (the loaded rounds of a firearm,
    // else 0) and its text.
    struct CarriedSlot {
        std::string name = "---";
        int count = 0;
        std::string text;

        bool Empty() const { return name == "---"; }
    };

    bool carriedStateValid = false;
    int shots = 0;
    int hits = 0;
    int time = 0;          // frames
    int score = 0;
    int levelCount = 0;    // levels finished in this run
    std::map<std::string, int> kills;        // whole run, by enemy name
    std::map<std::string, int> levelKills;   // the current level
    int ammo[kAmmoTypes] = {};
    CarriedSlot slots[kCarriedSlots];
    float health = 100.0f;
    std::string difficulty = "normal";  // chosen for a new game, kept with the campaign

    // Back to a fresh run: counters 0, kills cleared, no ammunition, empty slots, health 100, "normal".
    void Reset();
};

// The running game's progress (score, kills, shots), or null before the game
// is set up.
TLevelProgress* CurrentProgress();
