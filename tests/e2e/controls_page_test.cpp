// Options -> controls: the whole page, both columns of bindings on the panel, at
// the size of the 320 x 240 screen it is laid out for, whatever the window size.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

namespace {

bool Near(const SDL_Color& c, int r, int g, int b, int tolerance = 12)
{
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

bool White(const SDL_Color& c) { return c.r > 200 && c.g > 200 && c.b > 200; }

// Checks the page in a 4:3 window `scale` window pixels to a screen pixel.
void ExpectWholePage(const Screenshot& shot, double scale)
{
    ASSERT_TRUE(shot.Loaded());
    auto at = [&](double x, double y) { return shot.Pixel(int(x * scale + 0.5 * scale), int(y * scale + 0.5 * scale)); };
    // The panel, centred at (160, 130) and 304 x 196: its rim on the left, right and bottom.
    const SDL_Color rim{0x5a, 0x63, 0x50, 0};
    for (auto [x, y] : {std::pair{8.0, 130.0}, std::pair{311.0, 130.0}, std::pair{160.0, 227.0}})
        EXPECT_TRUE(Near(at(x, y), rim.r, rim.g, rim.b)) << "no panel rim at (" << x << ", " << y << ")";
    // Outside it, the dark world.
    EXPECT_TRUE(Near(at(4.0, 130.0), 0, 0, 0, 20));
    // The left edge of the white frame around a key name (x - 3, from y - 1 to
    // y + h): the second row on the left (the cursor tints the first), the first and
    // the last row on the right.
    for (auto [x, y] : {std::pair{17.0, 55.0}, std::pair{171.0, 44.0}, std::pair{171.0, 143.0}})
        EXPECT_TRUE(White(at(x, y))) << "no key frame at (" << x << ", " << y << ")";
    // Labels in both columns, down to the last row.
    EXPECT_GT(shot.BrightShare(int(74 * scale), int(140 * scale), int(130 * scale), int(147 * scale), 200), 0.05);
    EXPECT_GT(shot.BrightShare(int(228 * scale), int(140 * scale), int(290 * scale), int(147 * scale), 200), 0.05);
}

} // namespace

TEST(ControlsPage, ShowsEveryBindingInTwoColumnsOnItsPanelAtAnyWindowSize)
{
    GameRun run;
    ASSERT_TRUE(run.Run("5 lua SetMenuState('controls')\n"
                        "25 screenshot controls640.bmp\n"
                        "27 resize 800 600\n"
                        "35 screenshot controls800.bmp\n"
                        "37 lua ExitGame()\n"))
        << run.stderrText;
    Screenshot small(run.Dir() / "controls640.bmp");
    ASSERT_EQ(small.Width(), 640);
    ExpectWholePage(small, 2.0);
    Screenshot large(run.Dir() / "controls800.bmp");
    ASSERT_EQ(large.Width(), 800);
    ExpectWholePage(large, 2.5);
}
