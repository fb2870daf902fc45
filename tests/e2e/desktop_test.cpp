// Desktop manners: Alt+Return switches between a window and the full screen
// and the next start keeps the choice, F9 saves the frame, the picture can
// keep whole pixels, and a window that loses the focus pauses the game.
#include "GameRun.h"
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// Width and height from a PNG's header, 0 x 0 when it is none.
std::pair<int, int> PngSize(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[1] != 'P' || header[2] != 'N') return {0, 0};
    auto word = [&](int at) { return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]; };
    return {word(16), word(20)};
}

std::vector<std::filesystem::path> Pictures(const GameRun& run)
{
    std::vector<std::filesystem::path> found;
    const auto dir = run.Dir() / "screenshots";
    if (std::filesystem::is_directory(dir))
        for (const auto& entry : std::filesystem::directory_iterator(dir)) found.push_back(entry.path());
    return found;
}

TEST(Desktop, AltReturnSwitchesBothWaysF9SavesTheFrameAndTheNextStartKeepsTheChoice)
{
    GameRun run;
    std::string replay = "10 screenshot window.bmp\n";
    replay += "20 down 308\n21 press return\n22 up 308\n";  // left Alt
    replay += "30 screenshot full.bmp\n35 press f9\n";
    replay += "40 down 307\n41 press return\n42 up 307\n";  // right Alt
    replay += "50 screenshot back.bmp\n";
    replay += "55 lua print('state ' .. GetMenuState() .. '\\n')\n60 lua ExitGame()\n";
    ASSERT_TRUE(run.Run(replay)) << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;

    const Screenshot window(run.Dir() / "window.bmp"), full(run.Dir() / "full.bmp"), back(run.Dir() / "back.bmp");
    ASSERT_TRUE(window.Loaded() && full.Loaded() && back.Loaded());
    EXPECT_EQ(window.Width(), 640);
    EXPECT_GT(full.Width(), 640) << "the full screen is the desktop's size";
    EXPECT_EQ(back.Width(), 640);
    EXPECT_EQ(back.Height(), 480);
    // The menu is drawn in both; the Return was the switch's, not the menu's.
    EXPECT_GT(full.BrightShare(0, 0, full.Width(), full.Height() / 2, 100), 0.001);
    const std::string log = run.ReadData("console.log");
    EXPECT_NE(log.find("state mainmenu"), std::string::npos) << log;

    const auto pictures = Pictures(run);
    ASSERT_EQ(pictures.size(), 1u) << log;
    EXPECT_EQ(pictures[0].extension(), ".png");
    EXPECT_EQ(PngSize(pictures[0]), std::make_pair(full.Width(), full.Height()));
    EXPECT_NE(log.find("screenshot saved to "), std::string::npos) << log;

    // Back in a window at exit: the next start without -w opens a window.
    EXPECT_NE(run.ReadData("settings.lua").find("fullscreen = false"), std::string::npos) << run.ReadData("settings.lua");
    run.windowed = false;
    ASSERT_TRUE(run.Run("10 screenshot next.bmp\n15 lua ExitGame()\n")) << run.stderrText;
    EXPECT_EQ(Screenshot(run.Dir() / "next.bmp").Width(), 640);
    // And full screen again when the settings say so.
    run.WriteData("settings.lua", "settings = { fullscreen = true }\n");
    ASSERT_TRUE(run.Run("10 screenshot next.bmp\n15 lua ExitGame()\n")) << run.stderrText;
    EXPECT_EQ(Screenshot(run.Dir() / "next.bmp").Width(), full.Width());
}

TEST(Desktop, TheIntegerScaleCentresTheDoubledPictureBetweenBlackBars)
{
    GameRun run;
    // 900 x 600 holds the picture twice over: 640 x 480 at (130, 60).
    ASSERT_TRUE(run.Run("5 resize 900 600\n"
                        "10 lua settings.scale = 'integer'; ApplyScreenScale()\n"
                        "12 lua LoadLevel('level1', 0); SetMenuState('game')\n"
                        "152 screenshot integer.bmp\n"
                        "155 lua ExitGame()\n"))
        << run.stderrText;
    const Screenshot shot(run.Dir() / "integer.bmp");
    ASSERT_EQ(shot.Width(), 900);
    EXPECT_EQ(shot.BrightShare(0, 0, 129, 600, 10), 0.0) << "the bar left of the picture is black";
    EXPECT_EQ(shot.BrightShare(771, 0, 900, 600, 10), 0.0) << "the bar right of the picture is black";
    EXPECT_EQ(shot.BrightShare(0, 0, 900, 59, 10), 0.0) << "the bar above the picture is black";
    EXPECT_GT(shot.BrightShare(140, 70, 760, 530, 10), 0.3);
}

TEST(Desktop, ALostFocusDuringPlayOpensTheMainMenuAndResumeGoesBackToTheSameWorld)
{
    GameRun run;
    const char* where = "local x, y = object.GetXForm(player.GetPlayer()); "
                        "print(string.format('%s %s %.4f %.4f\\n', TAG, GetMenuState(), x, y))";
    auto probe = [&](int frame, const char* tag) {
        return std::to_string(frame) + " lua TAG = '" + tag + "'; " + where + "\n";
    };
    // A few steps east, standing still again by frame 185.
    ASSERT_TRUE(run.Run("5 lua LoadLevel('level1', 0); SetMenuState('game')\n"
                        "140 down d\n150 up d\n" + probe(185, "before") +
                        "190 unfocus\n" + probe(195, "paused") +
                        // The first entry is "resume" while a level is loaded.
                        "230 press return\n" + probe(240, "resumed") + "245 lua ExitGame()\n"))
        << run.stderrText;
    const std::string log = run.ReadData("console.log");
    auto line = [&](const std::string& tag) {
        const size_t at = log.find(tag + " ");
        return at == std::string::npos ? std::string() : log.substr(at, log.find('\n', at) - at);
    };
    ASSERT_NE(line("before"), "") << log;
    EXPECT_EQ(line("before").find("before game "), 0u) << log;
    EXPECT_EQ(line("paused").find("paused mainmenu "), 0u) << log;
    EXPECT_EQ(line("resumed").find("resumed game "), 0u) << log;
    // The same level where the player left it, not loaded again.
    auto x = [&](const std::string& tag) {
        const std::string text = line(tag);
        return std::atof(text.substr(text.find(' ', text.find(' ') + 1)).c_str());
    };
    EXPECT_NEAR(x("before"), x("resumed"), 0.01) << log;
    EXPECT_EQ(log.find("Loading:"), log.rfind("Loading:")) << log;
}

}  // namespace
