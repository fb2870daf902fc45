#pragma once
#include "level/campaign/LevelProgress.h"
#include <optional>
#include <string>

class TGame;

// The campaign as the player left it: the level entered through the last gate
// and the run's progress record (counters and carried player state) at its
// start. "continue" in the main menu starts from here, also after a restart.
struct TCampaignSave {
    std::string level;
    TLevelProgress progress;
};

// Where the campaign is kept, among the player's own files: the path to read
// it from, or to write (and remove) it at.
std::string CampaignSavePath(bool forWriting);

// The file's text: a header line, tab-separated "key<TAB>value" lines, "end".
std::string FormatCampaignSave(const TCampaignSave& save);
// Reads a campaign text; nothing (and the reason in *error) when any line is
// malformed, a value is out of range or the text is cut short.
std::optional<TCampaignSave> ParseCampaignSave(const std::string& text, std::string* error);

// Level names are plain directory names of the data directory.
bool IsCampaignLevelName(const std::string& name);
