#include "autoplay/PathFinder.h"
#include <algorithm>
#include <cmath>
#include <queue>

float TPathFinder::EnterCost(TNavigationGrid::Cell cell)
{
    switch (cell) {
    case TNavigationGrid::Cell::Open: return 1.0f;
    case TNavigationGrid::Cell::Door: return 1.5f;
    case TNavigationGrid::Cell::Pushable: return 6.0f;
    case TNavigationGrid::Cell::Breakable: return 40.0f;  // a dozen rounds a block
    case TNavigationGrid::Cell::Blocked: return 0.0f;
    }
    return 0.0f;
}

std::vector<TPathFinder::Step> TPathFinder::Find(const TNavigationGrid& grid, Step start, Step goal, int maxVisits)
{
    if (grid.Empty() || !grid.Inside(start.first, start.second) || !grid.Inside(goal.first, goal.second)) return {};
    const int w = grid.Width();
    const size_t count = size_t(w) * grid.Height();
    std::vector<float> cost(count, 1e30f);
    std::vector<int> from(count, -1);
    std::vector<uint8_t> closed(count, 0);
    auto index = [w](int x, int y) { return size_t(y) * w + x; };
    auto estimate = [&](int x, int y) {
        const float dx = float(std::abs(x - goal.first)), dy = float(std::abs(y - goal.second));
        return std::max(dx, dy) + 0.41421356f * std::min(dx, dy);
    };
    using Entry = std::pair<float, int>;  // (cost + estimate, cell index)
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    cost[index(start.first, start.second)] = 0.0f;
    open.push({estimate(start.first, start.second), int(index(start.first, start.second))});
    const int goalIndex = int(index(goal.first, goal.second));
    int visits = 0;
    while (!open.empty() && visits < maxVisits) {
        const int current = open.top().second;
        open.pop();
        if (closed[current]) continue;
        closed[current] = 1;
        ++visits;
        if (current == goalIndex) break;
        const int cx = current % w, cy = current / w;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (!dx && !dy) continue;
                const int nx = cx + dx, ny = cy + dy;
                const float enter = EnterCost(grid.At(nx, ny));
                if (enter <= 0.0f) continue;
                // Diagonal steps only where both side cells are passable.
                if (dx && dy && (EnterCost(grid.At(cx + dx, cy)) <= 0.0f || EnterCost(grid.At(cx, cy + dy)) <= 0.0f))
                    continue;
                const size_t next = index(nx, ny);
                const float step = (dx && dy ? 1.41421356f : 1.0f) * enter;
                if (cost[current] + step < cost[next]) {
                    cost[next] = cost[current] + step;
                    from[next] = current;
                    open.push({cost[next] + estimate(nx, ny), int(next)});
                }
            }
    }
    if (!closed[goalIndex]) return {};
    std::vector<Step> path;
    for (int at = goalIndex; at != -1; at = from[at]) path.push_back({at % w, at / w});
    std::reverse(path.begin(), path.end());
    return path;
}
