#include "GameRun.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

::testing::AssertionResult ColorNear(const SDL_Color& c, int r, int g, int b, int tolerance = 10)
{
    if (std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour (" << int(c.r) << ", " << int(c.g) << ", " << int(c.b)
                                         << ") is not near (" << r << ", " << g << ", " << b << ")";
}

// The player opens the console, types a line of Lua and leaves through the console.
const char* kConsoleSession =
    "20 screenshot menu.bmp\n"
    "25 press f1\n"
    "28 type print(1+1)\n"
    "50 press return 13\n"
    "56 screenshot console.bmp\n"
    "60 type ExitGame()\n"
    "82 press return 13\n";

TEST(Game, ShowsTheMainMenuRunsConsoleInputAndExitsCleanly)
{
    GameRun run;
    ASSERT_TRUE(run.Run(kConsoleSession)) << "the game did not exit; stderr:\n" << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;

    // Every name the start-up scripts use exists.
    for (const char* missing : {"not found", "No sound named", "Bitmap loading failed", "Sound file loading failed",
                                "ERROR"})
        EXPECT_EQ(run.stderrText.find(missing), std::string::npos) << run.stderrText;

    // The main menu: the top row's bar, the selected "new game" box with its underline.
    Screenshot menu(run.Dir() / "menu.bmp");
    ASSERT_TRUE(menu.Loaded());
    ASSERT_EQ(menu.Width(), 640);
    EXPECT_TRUE(ColorNear(menu.Pixel(600, 4), 18, 18, 18));   // current row bar
    EXPECT_TRUE(ColorNear(menu.Pixel(5, 2), 63, 63, 63));     // selected item box
    EXPECT_TRUE(ColorNear(menu.Pixel(40, 20), 107, 145, 250, 20));  // underline
    EXPECT_GT(menu.BrightShare(6, 4, 76, 18, 200), 0.05);     // white label text
    EXPECT_TRUE(ColorNear(menu.Pixel(320, 300), 0, 0, 0));    // the empty world below

    // The console covers the top of the screen with its scroll-back.
    Screenshot withConsole(run.Dir() / "console.bmp");
    ASSERT_TRUE(withConsole.Loaded());
    EXPECT_GT(withConsole.BrightShare(8, 8, 400, 60, 200), 0.02);

    // The console showed the banner, the typed line and its result.
    const std::string consoleText = run.ReadData("console.log");
    EXPECT_EQ(consoleText.rfind("KORVANMIRE v1.0.2048.11155\n", 0), 0u) << consoleText;
    EXPECT_NE(consoleText.find("print(1+1)\n2"), std::string::npos) << consoleText;

    // Exiting saved the settings and the statistics.
    const std::string settings = run.ReadData("settings.lua");
    EXPECT_NE(settings.find("settings = {"), std::string::npos) << settings;
    EXPECT_NE(settings.find("map = 9"), std::string::npos) << settings;
    EXPECT_EQ(run.ReadData("stats"), "0\n");
    EXPECT_FALSE(run.HasData("settings.lua.tmp"));
}

TEST(Game, ChangedSettingsAreThereAfterARestart)
{
    GameRun run;
    ASSERT_TRUE(run.Run("5 lua settings.keys.map = 77; settings.viewrotate = true\n10 lua ExitGame()\n"));
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;
    ASSERT_TRUE(run.Run("5 lua if settings.keys.map == 77 and settings.viewrotate then print('kept\\n') end\n"
                        "10 lua ExitGame()\n"));
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;
    EXPECT_NE(run.ReadData("console.log").find("kept"), std::string::npos) << run.ReadData("settings.lua");
}

TEST(Game, BrokenScriptsAndFilesAreReportedAndTheGameGoesOn)
{
    GameRun run;
    run.WriteData("init.lua", "this is not lua (");
    run.WriteData("settings.lua", "settings = {{{\n");
    run.WriteData("stats", "garbage\x01\x02 start scr\nend\n");
    run.WriteData("objects.lua", "error('objects broke')");
    run.WriteData("gfx/font.png", "not a png at all");
    ASSERT_TRUE(run.Run("5 lua print('alive\\n')\n10 lua ExitGame()\n")) << run.stderrText;
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.stderrText.find("settings.lua"), std::string::npos) << run.stderrText;
    // The broken settings file is the player's: kept as it was, and the player is told.
    EXPECT_EQ(run.ReadData("settings.lua"), "settings = {{{\n");
    EXPECT_NE(run.stderrText.find("settings.lua did not load: this run uses the default settings"),
              std::string::npos)
        << run.stderrText;
    EXPECT_NE(run.stderrText.find("settings not saved"), std::string::npos) << run.stderrText;
    EXPECT_NE(run.stderrText.find("objects broke"), std::string::npos) << run.stderrText;
    EXPECT_NE(run.stderrText.find("Bitmap loading failed"), std::string::npos) << run.stderrText;
    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find("init.lua"), std::string::npos) << consoleText;
    EXPECT_NE(consoleText.find("alive"), std::string::npos) << consoleText;
    // The stats file is rewritten from what could be read; the player's bytes are kept beside it.
    EXPECT_EQ(run.ReadData("stats"), "0\n");
    EXPECT_EQ(run.ReadData("stats.broken"), std::string("garbage\x01\x02 start scr\nend\n"));
}

TEST(Game, ModuleSaveKeyRefusesBadNames)
{
    GameRun run;
    ASSERT_TRUE(run.Run("3 lua mname = nil\n4 press f7\n"
                        "6 lua mname = string.rep('m', 64)\n7 press f7\n"
                        "9 lua mname = {}\n10 press f7\n"
                        "12 lua mname = 'room'\n13 press f7\n"
                        "16 lua ExitGame()\n"));
    EXPECT_EQ(run.exitCode, 0);
    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find("F7: set mname"), std::string::npos) << consoleText;
    EXPECT_NE(consoleText.find("at most 63 characters"), std::string::npos) << consoleText;
    // A good name, but nothing is selected: an empty module is never written.
    EXPECT_NE(consoleText.find("Module not saved: nothing is selected"), std::string::npos) << consoleText;
    EXPECT_FALSE(run.HasData("mods/room.lua"));
}

} // namespace
