// The distortion mesh and the letterbox without a window: pure arithmetic.
#include "render/VertexScreenDistortion.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

TEST(RenderLetterbox, WideWindowGetsBarsLeftAndRight)
{
    TVertexScreenDistortion d(1000, 500);
    EXPECT_NEAR(d.width, 666.667f, 0.01f);
    EXPECT_FLOAT_EQ(d.height, 500.0f);
    EXPECT_NEAR(d.xOffset, 166.667f, 0.01f);
    EXPECT_FLOAT_EQ(d.yOffset, 0.0f);
    // The mesh spans exactly the letterbox.
    EXPECT_NEAR(d.PointX(0), 166.667f, 0.01f);
    EXPECT_NEAR(d.PointX(TVertexScreenDistortion::kColumns), 833.333f, 0.01f);
    EXPECT_FLOAT_EQ(d.PointY(TVertexScreenDistortion::kRows), 500.0f);
}

TEST(RenderLetterbox, TallWindowGetsBarsAboveAndBelow)
{
    TVertexScreenDistortion d(800, 800);
    EXPECT_FLOAT_EQ(d.width, 800.0f);
    EXPECT_FLOAT_EQ(d.height, 600.0f);
    EXPECT_FLOAT_EQ(d.xOffset, 0.0f);
    EXPECT_FLOAT_EQ(d.yOffset, 100.0f);
}

TEST(RenderLetterbox, ExactFourToThreeFillsTheWindowAndResizeRecomputes)
{
    TVertexScreenDistortion d(640, 480);
    EXPECT_FLOAT_EQ(d.width, 640.0f);
    EXPECT_FLOAT_EQ(d.height, 480.0f);
    EXPECT_FLOAT_EQ(d.xOffset, 0.0f);
    EXPECT_FLOAT_EQ(d.yOffset, 0.0f);

    d.SetWindowSize(800, 800);
    EXPECT_FLOAT_EQ(d.windowWidth, 800.0f);
    EXPECT_FLOAT_EQ(d.windowHeight, 800.0f);
    EXPECT_FLOAT_EQ(d.yOffset, 100.0f);
    EXPECT_FLOAT_EQ(d.xOffset, 0.0f);
}

TEST(RenderLetterbox, IntegerScaleTakesTheLargestWholeMultipleAndTheMouseMapsIntoIt)
{
    TVertexScreenDistortion d(1920, 1080);
    d.SetScale(TScreenScale::Integer);
    // Four times 320 x 240, centred.
    EXPECT_FLOAT_EQ(d.width, 1280.0f);
    EXPECT_FLOAT_EQ(d.height, 960.0f);
    EXPECT_FLOAT_EQ(d.xOffset, 320.0f);
    EXPECT_FLOAT_EQ(d.yOffset, 60.0f);
    float x = 0.0f, y = 0.0f;
    WindowPointToPicture(d.Picture(), 960, 540, &x, &y);
    EXPECT_FLOAT_EQ(x, 160.0f);
    EXPECT_FLOAT_EQ(y, 120.0f);
    WindowPointToPicture(d.Picture(), 320, 60, &x, &y);
    EXPECT_FLOAT_EQ(x, 0.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);

    // Back to "fit": the 4:3 stretch, and the mouse follows it.
    d.SetScale(TScreenScale::Fit);
    EXPECT_FLOAT_EQ(d.width, 1440.0f);
    WindowPointToPicture(d.Picture(), 240 + 1440, 1080, &x, &y);
    EXPECT_FLOAT_EQ(x, 320.0f);
    EXPECT_FLOAT_EQ(y, 240.0f);

    // A window smaller than one picture fits instead.
    d.SetScale(TScreenScale::Integer);
    d.SetWindowSize(300, 200);
    EXPECT_NEAR(d.width, 266.667f, 0.01f);
}

TEST(RenderVertexGrid, NoDistortionSettingLeavesThePictureAtRest)
{
    TVertexScreenDistortion d(640, 480);
    d.strength = 0.0f;
    d.AddRadial(0.0f, 0.0f, 400.0f, 0);
    d.AddDirectional(0.0f, 0.0f, 60.0f, 0.0f, 4.0f, 1);
    d.AddStreak(0.0f, 0.0f, 30.0f, 0.0f, 20.0f, 2);
    EXPECT_TRUE(d.AtRest());
    // At half strength a push moves the mesh half as far.
    TVertexScreenDistortion full(640, 480), half(640, 480);
    half.strength = 0.5f;
    full.AddRadial(0.0f, 0.0f, 400.0f, 0);
    half.AddRadial(0.0f, 0.0f, 400.0f, 0);
    ASSERT_NE(full.DisplacementX(0, 3, 3), 0.0f);
    EXPECT_FLOAT_EQ(half.DisplacementX(0, 3, 3), 0.5f * full.DisplacementX(0, 3, 3));
}

TEST(RenderLetterbox, ZeroSizedWindowStaysFinite)
{
    TVertexScreenDistortion d(0, 0);
    EXPECT_TRUE(std::isfinite(d.width));
    EXPECT_TRUE(std::isfinite(d.height));
    EXPECT_TRUE(std::isfinite(d.xOffset));
    EXPECT_TRUE(std::isfinite(d.yOffset));
}

TEST(RenderVertexGrid, RadialImpulsePullsPointsTowardItsCentre)
{
    TVertexScreenDistortion d(640, 480);
    // Overlay (100, 50) is mesh point (10, 5): ten overlay pixels a cell.
    d.AddRadialAtScreen(100.0f, 50.0f, 7.0f, 0);

    // Point (13, 9) is 5 cells away: k = 7 / (5 + 2) = 1, pulled by (-3, -4).
    EXPECT_NEAR(d.DisplacementX(0, 13, 9), -3.0f, 1e-4f);
    EXPECT_NEAR(d.DisplacementY(0, 13, 9), -4.0f, 1e-4f);
    // Point (7, 5) sits 3 cells left: k = 7 / 5, pulled right.
    EXPECT_NEAR(d.DisplacementX(0, 7, 5), 3.0f * 7.0f / 5.0f, 1e-4f);
    EXPECT_NEAR(d.DisplacementY(0, 7, 5), 0.0f, 1e-4f);
    // The centre itself does not move.
    EXPECT_NEAR(d.DisplacementX(0, 10, 5), 0.0f, 1e-6f);
    EXPECT_NEAR(d.DisplacementY(0, 10, 5), 0.0f, 1e-6f);
    // Only the 32 x 24 inner points are moved: the last column and row stay.
    EXPECT_NE(d.DisplacementX(0, 31, 23), 0.0f);
    EXPECT_EQ(d.DisplacementX(0, 32, 5), 0.0f);
    EXPECT_EQ(d.DisplacementY(0, 10, 24), 0.0f);
    // Other channels are untouched.
    EXPECT_EQ(d.DisplacementX(1, 13, 9), 0.0f);
    EXPECT_EQ(d.DisplacementX(2, 13, 9), 0.0f);
}

TEST(RenderVertexGrid, NegativeStrengthPushesOutAndImpulsesAdd)
{
    TVertexScreenDistortion d(640, 480);
    d.AddRadialAtScreen(100.0f, 50.0f, -7.0f, 2);
    EXPECT_NEAR(d.DisplacementX(2, 13, 9), 3.0f, 1e-4f);
    d.AddRadialAtScreen(100.0f, 50.0f, -7.0f, 2);
    EXPECT_NEAR(d.DisplacementX(2, 13, 9), 6.0f, 1e-4f);
    EXPECT_NEAR(d.DisplacementY(2, 13, 9), 8.0f, 1e-4f);
}

TEST(RenderVertexGrid, DisplacementsDecayToEightyPercent)
{
    TVertexScreenDistortion d(640, 480);
    d.AddRadialAtScreen(100.0f, 50.0f, 7.0f, 0);
    d.AddDirectionalAtScreen(100.0f, 50.0f, 5.0f, -10.0f, 3.0f, 1);
    d.Decay();
    EXPECT_NEAR(d.DisplacementX(0, 13, 9), -2.4f, 1e-4f);
    EXPECT_NEAR(d.DisplacementY(0, 13, 9), -3.2f, 1e-4f);
    EXPECT_NEAR(d.DisplacementX(1, 10, 5), 4.0f, 1e-4f);
    EXPECT_NEAR(d.DisplacementY(1, 10, 5), -8.0f, 1e-4f);
    d.Decay();
    EXPECT_NEAR(d.DisplacementX(0, 13, 9), -1.92f, 1e-4f);
}

TEST(RenderVertexGrid, DirectionalImpulseFallsOffWithinItsSquare)
{
    TVertexScreenDistortion d(640, 480);
    // Overlay (100, 50) is cell (10, 5); size 3.5 looks at cells 7..12 x 2..7 and
    // moves those closer than 3.5 cells, by 1 - r / 3.5.
    d.AddDirectionalAtScreen(100.0f, 50.0f, 7.0f, 3.5f, 3.5f, 0);
    EXPECT_FLOAT_EQ(d.DisplacementX(0, 10, 5), 7.0f);
    EXPECT_FLOAT_EQ(d.DisplacementY(0, 10, 5), 3.5f);
    EXPECT_NEAR(d.DisplacementX(0, 12, 5), 3.0f, 1e-5f);   // r = 2
    EXPECT_NEAR(d.DisplacementY(0, 12, 5), 1.5f, 1e-5f);
    EXPECT_NEAR(d.DisplacementX(0, 7, 5), 1.0f, 1e-5f);    // r = 3, low edge of the square
    EXPECT_NEAR(d.DisplacementX(0, 10, 2), 1.0f, 1e-5f);
    // r = 3 too, but past the square's open high edge.
    EXPECT_EQ(d.DisplacementX(0, 13, 5), 0.0f);
    EXPECT_EQ(d.DisplacementX(0, 10, 8), 0.0f);
    // Inside the square but outside the circle.
    EXPECT_EQ(d.DisplacementX(0, 7, 2), 0.0f);
}

TEST(RenderVertexGrid, ImpulsesAtTheEdgeOrOutOfRangeAreSafe)
{
    TVertexScreenDistortion d(640, 480);
    // Near the corner the square is clipped to the mesh.
    d.AddDirectionalAtScreen(0.0f, 0.0f, 1.0f, 1.0f, 2.0f, 0);
    EXPECT_FLOAT_EQ(d.DisplacementX(0, 0, 0), 1.0f);
    // Bad channels, absurd sizes and points change nothing and return at once.
    d.AddRadialAtScreen(100.0f, 50.0f, 7.0f, 3);
    d.AddRadialAtScreen(100.0f, 50.0f, 7.0f, -1);
    d.AddDirectionalAtScreen(100.0f, 50.0f, 1.0f, 1.0f, 1e9f, 1);
    d.AddDirectionalAtScreen(1e30f, -1e30f, 1.0f, 1.0f, 5.0f, 2);
    d.AddDirectionalAtScreen(std::numeric_limits<float>::quiet_NaN(), 0.0f, 1.0f, 1.0f, 5.0f, 2);
    d.AddDirectionalAtScreen(100.0f, 50.0f, 1.0f, 1.0f, -4.0f, 2);
    EXPECT_EQ(d.DisplacementX(2, 10, 5), 0.0f);
    // A huge size covers the mesh with (almost) the full push.
    EXPECT_NEAR(d.DisplacementX(1, 0, 0), 1.0f, 1e-2f);
    EXPECT_NEAR(d.DisplacementX(1, 31, 23), 1.0f, 1e-2f);
    // Reading outside the mesh is harmless.
    EXPECT_EQ(d.DisplacementX(5, 0, 0), 0.0f);
    EXPECT_EQ(d.DisplacementY(0, -1, 40), 0.0f);
}
