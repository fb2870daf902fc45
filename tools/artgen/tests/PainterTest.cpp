#include "Painter.h"

#include <gtest/gtest.h>

using namespace artgen;

namespace {
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
} // namespace

TEST(Painter, EnlargedImagesKeepEveryPixelAsASharpSquare)
{
    Image img(2, 1);
    img.set(0, 0, kWhite);
    img.set(1, 0, kBlack);
    const Image big = enlarged(img, 3);
    ASSERT_EQ(big.width(), 6);
    ASSERT_EQ(big.height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(big.at(x, y), kWhite) << x << "," << y;
        for (int x = 3; x < 6; ++x) EXPECT_EQ(big.at(x, y), kBlack) << x << "," << y;
    }
    EXPECT_TRUE(enlarged(img, 0).empty());
}

TEST(Painter, RadialBlobFallsSmoothlyFromCentreToRim)
{
    Image img(64, 64);
    Painter(img).radial(32, 32, 32, 0, kWhite);

    EXPECT_EQ(img.at(31, 31).a, 255);
    EXPECT_EQ(img.at(32, 32).a, 255);
    // rim and corners are fully transparent
    EXPECT_EQ(img.at(0, 0).a, 0);
    EXPECT_EQ(img.at(63, 63).a, 0);
    EXPECT_EQ(img.at(0, 32).a, 0);
    EXPECT_EQ(img.at(32, 0).a, 0);

    // never increases going outward, and it is symmetric
    for (int x = 33; x < 64; ++x)
        EXPECT_LE(img.at(x, 32).a, img.at(x - 1, 32).a) << x;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            EXPECT_EQ(img.at(x, y).a, img.at(63 - x, y).a);
            EXPECT_EQ(img.at(x, y).a, img.at(y, x).a);
        }
    // colour stays white wherever anything is drawn
    EXPECT_EQ(img.at(20, 32).r, 255);
    EXPECT_EQ(img.at(20, 32).g, 255);
    // halfway out the smoothstep is at one half
    EXPECT_NEAR(Painter::falloff(16, 32), 0.5, 1e-9);
}

TEST(Painter, RadialCoreIsSolidAndTheRimStillReachesZero)
{
    EXPECT_DOUBLE_EQ(Painter::falloff(0.9, 10, 1), 1.0);
    EXPECT_DOUBLE_EQ(Painter::falloff(10, 10, 1), 0.0);
    EXPECT_NEAR(Painter::falloff(5.5, 10, 1), 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(Painter::falloff(3, 0, 0), 0.0);

    // 32x32 with the rim on the outermost pixel centres: edges clear, centre solid
    Image img(32, 32);
    Painter(img).radial(16, 16, 15.5, 1, kWhite);
    EXPECT_EQ(img.at(15, 15).a, 255);
    EXPECT_EQ(img.at(0, 15).a, 0);
    EXPECT_EQ(img.at(31, 16).a, 0);
    EXPECT_GT(img.at(1, 15).a, 0);
}

TEST(Painter, OutlineWithAndWithoutDiagonals)
{
    Image plus(3, 3), box(3, 3);
    plus.set(1, 1, kWhite);
    box.set(1, 1, kWhite);
    Painter(plus).outline(Rect{0, 0, 3, 3}, kBlack, false);
    Painter(box).outline(Rect{0, 0, 3, 3}, kBlack, true);

    EXPECT_EQ(plus.at(1, 1), kWhite);
    EXPECT_EQ(plus.at(1, 0), kBlack);
    EXPECT_EQ(plus.at(0, 1), kBlack);
    EXPECT_EQ(plus.at(0, 0), kTransparent);
    EXPECT_EQ(box.at(0, 0), kBlack);
    EXPECT_EQ(box.at(2, 2), kBlack);
    EXPECT_EQ(box.at(1, 1), kWhite);
}

TEST(Painter, OutlineDoesNotGrowFromItsOwnPixels)
{
    Image img(5, 1);
    img.set(0, 0, kWhite);
    Painter(img).outline(Rect{0, 0, 5, 1}, kBlack, false);
    EXPECT_EQ(img.at(1, 0), kBlack);
    EXPECT_EQ(img.at(2, 0), kTransparent);

    // On a sheet of 4 x 3 frames the line stays inside each frame and off
    // its edge pixels, which would smear into the next frame when filtered.
    Image sheet(8, 3);
    sheet.set(2, 1, kWhite);
    sheet.set(5, 1, kWhite);
    Painter(sheet).outline(Rect{0, 0, 8, 3}, kBlack, false, 4, 3);
    EXPECT_EQ(sheet.at(1, 1), kBlack);
    EXPECT_EQ(sheet.at(3, 1), kTransparent) << "a frame's edge pixel";
    EXPECT_EQ(sheet.at(4, 1), kTransparent) << "the next frame's edge pixel";
    EXPECT_EQ(sheet.at(6, 1), kBlack);
}

TEST(Painter, ShadowOnlyFallsOnEmptyPixels)
{
    Image img(3, 1);
    img.set(0, 0, kWhite);
    img.set(1, 0, kWhite);
    Painter(img).shadow(Rect{0, 0, 3, 1}, 1, 0, kBlack);
    EXPECT_EQ(img.at(0, 0), kWhite);
    EXPECT_EQ(img.at(1, 0), kWhite);
    EXPECT_EQ(img.at(2, 0), kBlack);
}

TEST(Painter, GradientsHitBothEndColoursExactly)
{
    Image img(4, 3);
    Painter p(img);
    p.gradient(Rect{0, 0, 4, 3}, Rgba{0, 0, 0, 255}, Rgba{200, 100, 50, 255}, true);
    EXPECT_EQ(img.at(3, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(img.at(0, 1), (Rgba{100, 50, 25, 255}));
    EXPECT_EQ(img.at(2, 2), (Rgba{200, 100, 50, 255}));

    p.gradient(Rect{0, 0, 4, 3}, Rgba{0, 0, 0, 0}, Rgba{30, 30, 30, 30}, false);
    EXPECT_EQ(img.at(0, 2), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(img.at(3, 0), (Rgba{30, 30, 30, 30}));
    EXPECT_EQ(img.at(1, 1), (Rgba{10, 10, 10, 10}));
}

TEST(Painter, RecolourTouchesOnlyTheMatchingColourAndKeepsAlpha)
{
    const Rgba key{128, 128, 128, 200};
    Image img(2, 2);
    img.set(0, 0, key);
    img.set(1, 0, kWhite);
    img.set(0, 1, key);
    Painter(img).recolour(Rect{0, 0, 2, 2}, key, Rgba{255, 0, 0, 255}, Rgba{0, 0, 255, 255});
    EXPECT_EQ(img.at(0, 0), (Rgba{255, 0, 0, 200}));
    EXPECT_EQ(img.at(0, 1), (Rgba{0, 0, 255, 200}));
    EXPECT_EQ(img.at(1, 0), kWhite);
    EXPECT_EQ(img.at(1, 1), kTransparent);
}
