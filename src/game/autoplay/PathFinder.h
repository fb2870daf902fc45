#pragma once
#include "autoplay/NavigationGrid.h"
#include <utility>
#include <vector>

// Shortest ways over a navigation grid (A*, eight neighbours, no corner
// cutting). Open floor costs least, door leaves a little more, pushing
// things more, and breakable blocks most (they take shooting); blocked cells
// are never entered.
class TPathFinder {
public:
    using Step = std::pair<int, int>;
    // Cells from start to goal, both included; empty when there is no way.
    // The search gives up after maxVisits cells.
    static std::vector<Step> Find(const TNavigationGrid& grid, Step start, Step goal, int maxVisits = 200000);
    // The cost of entering a cell of that kind, 0 for cells that cannot be entered.
    static float EnterCost(TNavigationGrid::Cell cell);
};
