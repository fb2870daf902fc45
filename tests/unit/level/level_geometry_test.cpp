// The oriented-rectangle test and the point transform that level scripts
// place modules with, through the script functions.
#include "level/OrientedRect.h"
#include "level_test_support.h"
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

class LevelGeometry : public LevelFixture {
protected:
    int Obb(double x1, double y1, double a1, double w1, double h1, double x2, double y2, double a2, double w2,
            double h2)
    {
        char code[512];
        std::snprintf(code, sizeof code, "_IntersectOBB(%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g)",
                      x1, y1, a1, w1, h1, x2, y2, a2, w2, h2);
        return int(Number(code));
    }
};

TEST_F(LevelGeometry, AxisAlignedRectanglesOverlapWhenTheyTouchAndNotBeyond)
{
    EXPECT_EQ(Obb(0, 0, 0, 2, 2, 2, 0, 0, 2, 2), 1);        // edges touch
    EXPECT_EQ(Obb(0, 0, 0, 2, 2, 2.01, 0, 0, 2, 2), 0);     // a hair apart
    EXPECT_EQ(Obb(0, 0, 0, 2, 2, 0, 2, 0, 2, 2), 1);        // touching above
    EXPECT_EQ(Obb(0, 0, 0, 2, 2, 2, 2, 0, 2, 2), 1);        // corners touch
    EXPECT_EQ(Obb(0, 0, 0, 2, 2, 2.01, 2.01, 0, 2, 2), 0);
    EXPECT_EQ(Obb(0, 0, 0, 2, 2, 0, 0, 0, 2, 2), 1);        // itself
    EXPECT_EQ(Obb(0, 0, 0, 10, 10, 1, 1, 0, 1, 1), 1);      // one inside the other
    EXPECT_EQ(Obb(1, 1, 0, 1, 1, 0, 0, 0, 10, 10), 1);
    // Width runs along x, height along y.
    EXPECT_EQ(Obb(0, 0, 0, 6, 1, 3.4, 0, 0, 1, 1), 1);
    EXPECT_EQ(Obb(0, 0, 0, 1, 6, 3.4, 0, 0, 1, 1), 0);
}

TEST_F(LevelGeometry, TurnedRectanglesAreTestedAlongTheirOwnEdges)
{
    // A long thin bar turned a quarter turn stands up instead of lying down.
    EXPECT_EQ(Obb(0, 0, kPi / 2, 6, 1, 3.4, 0, 0, 1, 1), 0);
    EXPECT_EQ(Obb(0, 0, kPi / 2, 6, 1, 0, 3.4, 0, 1, 1), 1);
    // A diamond (square at 45°) next to a square: the bounding boxes overlap
    // but the shapes do not; nudged closer they do.
    const double half_diagonal = std::sqrt(2.0);  // of a 2 x 2 square
    EXPECT_EQ(Obb(0, 0, kPi / 4, 2, 2, 1.8, 1.8, 0, 2, 2), 0);
    EXPECT_EQ(Obb(0, 0, kPi / 4, 2, 2, 1.6, 1.6, 0, 2, 2), 1);
    EXPECT_EQ(Obb(0, 0, kPi / 4, 2, 2, half_diagonal + 1.0 - 0.1, 0, 0, 2, 2), 1);
    // Two diamonds side by side: tip to tip they meet, a little apart they don't.
    EXPECT_EQ(Obb(0, 0, kPi / 4, 2, 2, 2 * half_diagonal - 0.01, 0, kPi / 4, 2, 2), 1);
    EXPECT_EQ(Obb(0, 0, kPi / 4, 2, 2, 2 * half_diagonal + 0.05, 0, kPi / 4, 2, 2), 0);
    // The test is symmetric.
    EXPECT_EQ(Obb(3.4, 0, 0, 1, 1, 0, 0, kPi / 2, 6, 1), 0);
    EXPECT_EQ(Obb(0, 3.4, 0, 1, 1, 0, 0, kPi / 2, 6, 1), 1);
}

TEST_F(LevelGeometry, DegenerateRectanglesAreHandledAsSegmentsAndPoints)
{
    TOrientedRect segment{0, 0, 0, 4, 0};
    TOrientedRect box{0, 0.5, 0, 1, 1};
    TOrientedRect away{0, 0.6, 0, 1, 0.1};
    EXPECT_TRUE(segment.Intersects(box));
    EXPECT_FALSE(segment.Intersects(away));
    TOrientedRect point{5, 5, 0, 0, 0};
    EXPECT_TRUE(point.Intersects(point));
    EXPECT_FALSE(point.Intersects(box));
}

TEST_F(LevelGeometry, ScriptErrorsForMissingArguments)
{
    EXPECT_NE(Run("_IntersectOBB(0,0,0,2,2,1,1,0,2)"), "");
    EXPECT_NE(Run("_IntersectOBB('a',0,0,2,2,1,1,0,2,2)"), "");
}

TEST_F(LevelGeometry, TransformPointTurnsThenMoves)
{
    ASSERT_EQ(Run("tx, ty = TransformPoint(1, 0, 10, 20, math.pi / 2)"), "");
    EXPECT_NEAR(Number("tx"), 10.0, 1e-9);
    EXPECT_NEAR(Number("ty"), 21.0, 1e-9);
    ASSERT_EQ(Run("tx, ty = TransformPoint(2, 3, -1, 1, 0)"), "");
    EXPECT_NEAR(Number("tx"), 1.0, 1e-9);
    EXPECT_NEAR(Number("ty"), 4.0, 1e-9);
    ASSERT_EQ(Run("tx, ty = TransformPoint(0, 1, 0, 0, math.pi)"), "");
    EXPECT_NEAR(Number("tx"), 0.0, 1e-9);
    EXPECT_NEAR(Number("ty"), -1.0, 1e-9);
}

} // namespace
