#pragma once
#include <map>
#include <string>

// The black page that ends a run (game over, the way out): the run's figures
// at (x, y) and its kills in a column from killsY down.
void DrawRunSummaryPage(const std::string& figures, float x, float y, float killsY,
                        const std::map<std::string, int>& kills);
