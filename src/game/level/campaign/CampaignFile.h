#pragma once
#include "level/campaign/CampaignSave.h"
#include <optional>

class TGame;

// The campaign save on disk, and the game's moves around it: written when a
// gate leads into a level, cleared by death, a win and a new game, read by
// "continue". Every change tells the scripts through CampaignChanged() so the
// menu can offer or withdraw "continue".

// Writes the level the game is entering through a gate and the progress
// record now held (its carried state is the player at the level's start).
bool SaveCampaign(const TGame& game, const std::string& level);
// Removes the save, if there is one.
void ClearCampaign();
// The save when there is a sound one. A broken file is reported on the
// console and stderr and treated as no save; it is left on disk untouched.
std::optional<TCampaignSave> LoadCampaign();
// Starts the saved level with the saved progress, at full health; the carried
// state reaches the level's player on the next update. False when there is no sound save.
bool ContinueCampaign(TGame& game);
