#include "autoplay/CoverFinder.h"
#include "autoplay/AutoTuning.h"
#include "world/Physics.h"
#include <algorithm>
#include <deque>

using namespace autotune;

bool TCoverFinder::Screened(b2Vec2 spot, b2Vec2 threat)
{
    b2Vec2 across = spot - threat;
    if (across.Normalize() < kCoverMinThreatDistance) return false;
    across = kCoverHalfWidth * b2Vec2(-across.y, across.x);
    for (const b2Vec2& point : {spot, spot + across, spot - across}) {
        if (!RayCast(threat.x, threat.y, point.x, point.y, nullptr, nullptr, nullptr, kCollisionWall, nullptr))
            return false;
    }
    return true;
}

std::vector<TPathFinder::Step> TCoverFinder::Find(const TNavigationGrid& grid, b2Vec2 from, b2Vec2 threat,
                                                  int maxSteps)
{
    using Step = TPathFinder::Step;
    int sx = 0, sy = 0;
    if (!grid.NearestOpen(from, &sx, &sy)) return {};
    // Breadth first over open floor and doors: the first screened cell is the nearest.
    const int side = 2 * maxSteps + 1;
    std::vector<int> parent(size_t(side) * side, -2);  // -2: not reached; -1: the start
    std::vector<int> steps(size_t(side) * side, 0);    // cells walked from the start
    auto index = [&](int x, int y) { return (y - sy + maxSteps) * side + (x - sx + maxSteps); };
    std::deque<Step> queue{{sx, sy}};
    parent[size_t(index(sx, sy))] = -1;
    while (!queue.empty()) {
        const Step cell = queue.front();
        queue.pop_front();
        if (Screened(grid.Centre(cell.first, cell.second), threat)) {
            std::vector<Step> way;
            for (int i = index(cell.first, cell.second); i >= 0; i = parent[size_t(i)])
                way.push_back({sx - maxSteps + i % side, sy - maxSteps + i / side});
            std::reverse(way.begin(), way.end());
            return way;
        }
        const int walked = steps[size_t(index(cell.first, cell.second))];
        if (walked >= maxSteps) continue;
        constexpr int kDx[4] = {1, -1, 0, 0};
        constexpr int kDy[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            const int x = cell.first + kDx[k], y = cell.second + kDy[k];
            if (!grid.Walkable(x, y)) continue;
            int& seen = parent[size_t(index(x, y))];
            if (seen != -2) continue;
            seen = index(cell.first, cell.second);
            steps[size_t(index(x, y))] = walked + 1;
            queue.push_back({x, y});
        }
    }
    return {};
}
