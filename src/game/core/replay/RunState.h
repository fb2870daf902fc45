#pragma once
#include <string>

class TGame;

// One line that sums up where a run stands: frame, level, the player's
// position and health, kills on this level, score and shots. Recorded and
// replayed runs print it at the end, so two runs can be compared exactly.
std::string RunStateLine(const TGame& game);
