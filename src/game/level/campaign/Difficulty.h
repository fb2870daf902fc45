#pragma once
#include <string>

// How hard a campaign is. "normal" plays every number as the game was made;
// "easy" and "hard" scale the damage the player takes and the number of
// enemies the level scripts place, and on "hard" a death ends the campaign.
// A campaign keeps the difficulty it was begun with.
struct TDifficulty {
    const char* name;
    float damageTaken;      // times every hit the player takes
    float enemyCount;       // times the crowd the level scripts place
    bool deathEndsCampaign; // a death removes the campaign save
};

// The difficulty of that name; "normal" for a name that is none of the three.
const TDifficulty& DifficultyNamed(const std::string& name);
bool IsDifficultyName(const std::string& name);
