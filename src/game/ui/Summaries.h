#pragma once
#include <map>
#include <string>
#include <vector>

// The texts shown between levels and after a lost run. Times are counted in
// frames of the 30 Hz step and shown in whole seconds.

// The page after finishing `level`, announcing `next`.
std::string LevelEndText(const std::string& level, const std::string& next, int hits, int shots,
                         int stepCount, int score);
// The page after the player died.
std::string GameOverText(int hits, int shots, int time, int score);
// The page after the tenth gate: the way out, then the whole run's figures.
std::string WinText(int hits, int shots, int time, int score);
// One "name=count" line per enemy kind, in ascending name order.
std::vector<std::string> KillLines(const std::map<std::string, int>& kills);
// Hits per shot; 0 before the first shot.
double Accuracy(int hits, int shots);
