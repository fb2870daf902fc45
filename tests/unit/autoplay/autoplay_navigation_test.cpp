// The automatic player's map of a level and its way finding: a room split by
// a wall, with a door, a breakable block or nothing in the gap; cover behind
// it; open floor found from deep in a block of walls.
#include "autoplay/AutoTuning.h"
#include "autoplay/CoverFinder.h"
#include "autoplay/NavigationGrid.h"
#include "autoplay/PathFinder.h"
#include "world_test_support.h"
#include <cstdlib>

namespace {

using Cell = TNavigationGrid::Cell;

// A 12 x 6 room of wall blocks split at x = 0 by a wall with a 2-unit gap at
// y = 0; `gap` fills the gap ("" leaves it open).
const char* kRoom = R"(
for x = -6, 6, 2 do CreateBlock(x, -4, 0, 0, 0); CreateBlock(x, 4, 0, 0, 0) end
for y = -2, 2, 2 do CreateBlock(-6, y, 0, 0, 0); CreateBlock(6, y, 0, 0, 0) end
CreateBlock(0, -2, 0, 0, 0); CreateBlock(0, 2, 0, 0, 0)
)";

class NavigationTest : public WorldFixture {
protected:
    std::vector<TPathFinder::Step> WayAcross(const std::string& gap)
    {
        EXPECT_EQ(Run(std::string(kRoom) + gap), "");
        grid.Build(*world);
        int sx = 0, sy = 0, gx = 0, gy = 0;
        EXPECT_TRUE(grid.NearestOpen(b2Vec2(-3.0f, 0.0f), &sx, &sy));
        EXPECT_TRUE(grid.NearestOpen(b2Vec2(3.0f, 0.0f), &gx, &gy));
        return TPathFinder::Find(grid, {sx, sy}, {gx, gy});
    }

    // Every step is to a neighbour, never into a blocked cell, and never
    // diagonally past a blocked corner.
    void ExpectWalkable(const std::vector<TPathFinder::Step>& path)
    {
        for (size_t i = 0; i < path.size(); ++i) {
            EXPECT_NE(grid.At(path[i].first, path[i].second), Cell::Blocked) << "step " << i;
            if (i == 0) continue;
            const int dx = path[i].first - path[i - 1].first, dy = path[i].second - path[i - 1].second;
            EXPECT_TRUE(std::abs(dx) <= 1 && std::abs(dy) <= 1 && (dx || dy)) << "step " << i;
            if (dx && dy) {
                EXPECT_NE(grid.At(path[i - 1].first + dx, path[i - 1].second), Cell::Blocked) << "corner at " << i;
                EXPECT_NE(grid.At(path[i - 1].first, path[i - 1].second + dy), Cell::Blocked) << "corner at " << i;
            }
        }
    }

    TNavigationGrid grid;
};

TEST_F(NavigationTest, WallsKeepTheirClearanceAndTheWayGoesThroughTheGap)
{
    const auto path = WayAcross("");
    ASSERT_FALSE(path.empty());
    ExpectWalkable(path);
    // A wall block covers its 2 x 2 units and the player's clearance around it.
    EXPECT_EQ(grid.At(grid.CellX(0.0f), grid.CellY(-2.0f)), Cell::Blocked);
    EXPECT_EQ(grid.At(grid.CellX(0.0f), grid.CellY(-1.1f)), Cell::Blocked);
    EXPECT_EQ(grid.At(grid.CellX(-3.0f), grid.CellY(0.0f)), Cell::Open);
    bool crossedInGap = false;
    for (auto [x, y] : path) {
        const b2Vec2 c = grid.Centre(x, y);
        if (std::abs(c.x) < 0.3f) crossedInGap = std::abs(c.y) < 1.0f;
    }
    EXPECT_TRUE(crossedInGap);
}

TEST_F(NavigationTest, OpenFloorIsFoundFromDeepInWhatCountsAsBlocked)
{
    // Pushed or wedged where the map has no room for him (three units into a
    // block of walls): the way out starts at the nearest open floor, not nowhere.
    ASSERT_EQ(Run("for x = -2, 2, 2 do for y = -2, 2, 2 do CreateBlock(x, y, 0, 0, 0) end end"), "");
    grid.Build(*world);
    ASSERT_EQ(grid.At(grid.CellX(0.0f), grid.CellY(0.0f)), Cell::Blocked);
    int x = 0, y = 0;
    ASSERT_TRUE(grid.NearestOpen(b2Vec2(0.0f, 0.0f), &x, &y));
    EXPECT_EQ(grid.At(x, y), Cell::Open);
    EXPECT_LT((grid.Centre(x, y) - b2Vec2(0.0f, 0.0f)).Length(), 5.0f) << "just beyond the block";
}

TEST_F(NavigationTest, DoorsAreWalkedThroughAndBreakableBlocksAreTheLastResort)
{
    auto path = WayAcross("CreateDoor(0, 0, 1.5707963)");
    ASSERT_FALSE(path.empty()) << "a closed door is still a way";
    ExpectWalkable(path);
    EXPECT_EQ(grid.At(grid.CellX(0.0f), grid.CellY(0.0f)), Cell::Door);

    world->Clear();
    path = WayAcross("CreateBlock(0, 0, 0, 0, 6)");
    ASSERT_FALSE(path.empty()) << "a breakable block can be shot away";
    ExpectWalkable(path);
    int breakable = 0;
    for (auto [x, y] : path) breakable += grid.At(x, y) == Cell::Breakable;
    EXPECT_GT(breakable, 0);

    world->Clear();
    path = WayAcross("CreateBlock(0, 0, 0, 0, 0)");
    EXPECT_TRUE(path.empty()) << "a wall in the gap leaves no way";
}

// Cover from a gunman east of the split wall, for a player standing in its gap.
TEST_F(NavigationTest, CoverIsTheNearestSpotTheWallScreensAndNoneInTheOpen)
{
    ASSERT_EQ(Run(kRoom), "");
    grid.Build(*world);
    const b2Vec2 gunman(3.0f, 0.0f), player(-1.2f, 0.0f);
    EXPECT_FALSE(TCoverFinder::Screened(player, gunman));
    const auto way = TCoverFinder::Find(grid, player, gunman, autotune::kCoverMaxSteps);
    ASSERT_FALSE(way.empty());
    ExpectWalkable(way);
    EXPECT_EQ(way.front(), TPathFinder::Step(grid.CellX(player.x), grid.CellY(player.y)));
    const b2Vec2 spot = grid.Centre(way.back().first, way.back().second);
    EXPECT_TRUE(TCoverFinder::Screened(spot, gunman));
    EXPECT_LT(spot.x, 0.0f) << "it stays on its side of the wall";
    EXPECT_LT(way.size(), 10u) << "a step or two aside, not across the room";
    // Screened for the player's whole width: a spot the line of fire grazes is not cover.
    EXPECT_FALSE(TCoverFinder::Screened(b2Vec2(-1.0f, 0.95f), gunman));

    // The room without its split wall: nothing to hide behind.
    world->Clear();
    ASSERT_EQ(Run(R"(
for x = -6, 6, 2 do CreateBlock(x, -4, 0, 0, 0); CreateBlock(x, 4, 0, 0, 0) end
for y = -2, 2, 2 do CreateBlock(-6, y, 0, 0, 0); CreateBlock(6, y, 0, 0, 0) end
)"), "");
    grid.Build(*world);
    EXPECT_TRUE(TCoverFinder::Find(grid, player, gunman, autotune::kCoverMaxSteps).empty());
}

} // namespace
