#pragma once
#include "autoplay/NavigationGrid.h"
#include "autoplay/PathFinder.h"
#include <box2d/b2_math.h>
#include <vector>

// Where to hide from a gunman: the nearest floor cell, a few steps away at
// most, that a wall screens from the gunman's line of fire (for the whole
// width of the player, not just his middle).
class TCoverFinder {
public:
    // The way over the grid from `from` to that cell (both included; just the
    // start when it is already screened); empty when no cover lies within
    // `maxSteps` cells of walking.
    static std::vector<TPathFinder::Step> Find(const TNavigationGrid& grid, b2Vec2 from, b2Vec2 threat,
                                               int maxSteps);
    // Whether walls screen a player standing at `spot` from a shooter at `threat`.
    static bool Screened(b2Vec2 spot, b2Vec2 threat);
};
