#include "level/campaign/Difficulty.h"

namespace {
// Normal is exactly 1: a campaign on "normal" plays the game's own numbers.
const TDifficulty kDifficulties[] = {
    {"easy", 0.5f, 0.75f, false},
    {"normal", 1.0f, 1.0f, false},
    {"hard", 1.5f, 1.25f, true},
};
}

const TDifficulty& DifficultyNamed(const std::string& name)
{
    for (const TDifficulty& difficulty : kDifficulties)
        if (name == difficulty.name) return difficulty;
    return kDifficulties[1];
}

bool IsDifficultyName(const std::string& name)
{
    for (const TDifficulty& difficulty : kDifficulties)
        if (name == difficulty.name) return true;
    return false;
}
