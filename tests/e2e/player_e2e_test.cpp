// The soldier in the real game: a level with a player, walked with injected
// keys, checked through the script API's view of the player and a screenshot.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

// The last "<tag> x y" line of the console log.
bool LastPosition(const std::string& log, const std::string& tag, double* x, double* y)
{
    std::istringstream in(log);
    std::string line;
    bool found = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        double a = 0.0, b = 0.0;
        if (words >> word && word == tag && words >> a >> b) {
            *x = a;
            *y = b;
            found = true;
        }
    }
    return found;
}

// Pixels in the rectangle where green clearly leads red and blue.
int GreenPixels(const Screenshot& shot, int x1, int y1, int x2, int y2)
{
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const SDL_Color c = shot.Pixel(x, y);
            if (c.g > c.r + 12 && c.g > c.b + 25) ++count;
        }
    return count;
}

const char* kWhere =
    "function Where(tag) local p = player.GetPlayer(); local x, y = object.GetXForm(p); "
    "print(tag .. ' ' .. x .. ' ' .. y .. '\\n') end\n";

TEST(Player, WalksWithTheMovementKeysAndIsDrawnAtTheScreenCentre)
{
    GameRun run;
    run.WriteData("where.lua", kWhere);
    // The level-start freeze holds the player for its first 127 frames.
    ASSERT_TRUE(run.Run("3 lua dofile('where.lua')\n"
                        "4 mouse 320 240\n"
                        "5 lua LoadLevel('level1', 0); SetMenuState('game')\n"
                        "150 lua Where('before'); print('action ' .. actor.GetAction(player.GetPlayer()) .. '\\n')\n"
                                                "155 down d\n"
                        "185 up d\n"
                        "186 down s\n"
                        "206 up s\n"
                        "210 lua Where('after')\n"
                        "212 lua print('ammo ' .. tostring(player.GetAmmo(0)) .. ' ' .. select('#', player.GetAmmo(10)) .. '\\n')\n"
                        "214 mouse 500 100\n"
                        "250 screenshot later.bmp\n"
                        "252 lua ExitGame()\n"))
        << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    for (const char* problem : {"not found", "No sound named", "cannot create", "invalid pointer"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << run.stderrText;

    const std::string log = run.ReadData("console.log");
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(LastPosition(log, "before", &x0, &y0)) << log;
    ASSERT_TRUE(LastPosition(log, "after", &x1, &y1)) << log;
    // About a second each way at up to 4 units a second, unless a wall stops it.
    EXPECT_GT(x1 - x0, 0.5) << log;
    EXPECT_GT(y1 - y0, 0.3) << log;
    EXPECT_LT(x1 - x0, 6.0) << log;
    // An idle player turns to aiming at once, and without the aim input goes on walking.
    EXPECT_NE(log.find("action 1"), std::string::npos) << log;
    // A bad ammunition type gives no value rather than reading past the store.
    EXPECT_NE(log.find("ammo 0 0"), std::string::npos) << log;

    // The camera follows the player: the green-clad soldier stands near the
    // middle of the picture (shifted a little away from the crosshair by the
    // look-ahead), and the HUD shows the health line at the bottom left.
    Screenshot shot(run.Dir() / "later.bmp");
    ASSERT_TRUE(shot.Loaded());
    const int cx = shot.Width() / 2, cy = shot.Height() / 2;
    EXPECT_GT(GreenPixels(shot, cx - 60, cy - 40, cx + 20, cy + 40), 40);
    EXPECT_LT(GreenPixels(shot, 0, 0, 120, 80), 10);
    EXPECT_GT(shot.BrightShare(4, 392, 120, 408, 200), 0.05);
}

// A locker like level 1's start-room locker, opened with Space and emptied
// with the left button one item at a time: every pack counts, each for its
// own ammunition, and the HUD says what each one was.
TEST(Player, AmmunitionTakenOneByOneFromALockerAddsEveryPackAndSaysWhichRounds)
{
    GameRun run;
    run.WriteData("level_locker/script.lua",
                  std::string(kWalledRoom) +
                      "CreatePlayer(0, 0)\n"
                      "CreateContainer(0, -1, 0, 'spr_metallkast', 'pistol ammo', 'rifle ammo', 'pistol ammo', "
                      "'pistol ammo')\n");
    std::string replay = "5 lua LoadLevel('level_locker', 0); SetMenuState('game')\n"
                         "140 down w\n150 up w\n"
                         "155 press space\n";
    for (int take = 0; take < 4; ++take) {
        const int frame = 165 + 12 * take;
        replay += std::to_string(frame) + " click 1\n";
        replay += std::to_string(frame + 6) + " lua print(string.format('took %d %d\\n', player.GetAmmo(0), "
                  "player.GetAmmo(1)))\n";
    }
    replay += "214 screenshot taken.bmp\n215 lua ExitGame()\n";
    ASSERT_TRUE(run.Run(replay)) << run.stderrText;
    const std::string log = run.ReadData("console.log");
    // Pistol, rifle, pistol, pistol: the rifle rounds go to their own store.
    EXPECT_NE(log.find("took 24 0\ntook 24 60\ntook 48 60\ntook 72 60\n"), std::string::npos) << log;
    // The pickup lines above the health line: "+24 pistol rounds" and the rest.
    const Screenshot shot(run.Dir() / "taken.bmp");
    ASSERT_TRUE(shot.Loaded());
    EXPECT_GT(shot.BrightShare(4, 336, 150, 368, 150), 0.05);
}

// Pixels of the hint line's warm yellow in the rectangle.
int HintPixels(const Screenshot& shot, int x1, int y1, int x2, int y2)
{
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const SDL_Color c = shot.Pixel(x, y);
            if (c.r > 200 && c.g > 160 && c.b < 140) ++count;
        }
    return count;
}

// Next to a crate the HUD's hint line names the key that opens it, as bound
// now; "hints: off" takes the line away.
TEST(Player, AHintNamesTheReboundKeyAndTheSettingTakesItAway)
{
    GameRun run;
    run.WriteData("level_hint/script.lua", std::string(kWalledRoom) +
                                               "for x = -6, 6, 4 do for y = -2, 2, 4 do CreateBitmap(x, y, 0, 0, 0, "
                                               "48, 48, 'tex_floor_metal') end end\n"
                                               "CreatePlayer(0, 0)\n"
                                               "CreateContainer(0, -1, 0, 'spr_metallkast', 'scrap')\n");
    const std::string replay = "3 lua settings.keys.use = 101\n"
                               "5 lua LoadLevel('level_hint', 0); SetMenuState('game')\n"
                               "140 down w\n150 up w\n"
                               "160 screenshot hint.bmp\n"
                               "161 lua print('hint ' .. tostring(HintText('open')) .. '\\n')\n"
                               "162 lua settings.hints = false\n"
                               "170 screenshot nohint.bmp\n"
                               "172 lua ExitGame()\n";
    ASSERT_TRUE(run.Run(replay)) << run.stderrText;
    const std::string log = run.ReadData("console.log");
    EXPECT_NE(log.find("hint [E] open it"), std::string::npos) << log;
    const Screenshot hint(run.Dir() / "hint.bmp"), none(run.Dir() / "nohint.bmp");
    ASSERT_TRUE(hint.Loaded() && none.Loaded());
    EXPECT_GT(HintPixels(hint, 4, 448, 120, 462), 20);
    EXPECT_EQ(HintPixels(none, 4, 448, 120, 462), 0);
    // The setting is kept for the next start.
    EXPECT_NE(run.ReadData("settings.lua").find("hints = false"), std::string::npos);

    // On a floor the take list sits on a dark plate, which goes with the
    // hints: the list's strip is darker with them on.
    run.WriteData("settings.lua", "settings = { hints = true }\n");
    ASSERT_TRUE(run.Run("5 lua LoadLevel('level_hint', 0); SetMenuState('game')\n"
                        "140 down w\n150 up w\n160 press space\n"
                        "170 screenshot plate.bmp\n"
                        "171 lua settings.hints = false\n"
                        "173 screenshot bare.bmp\n"
                        "175 lua ExitGame()\n"))
        << run.stderrText;
    const Screenshot plate(run.Dir() / "plate.bmp"), bare(run.Dir() / "bare.bmp");
    ASSERT_TRUE(plate.Loaded() && bare.Loaded());
    auto dark = [](const Screenshot& shot) {
        int count = 0;
        for (int y = 186; y < 212; ++y)
            for (int x = 320; x < 400; ++x) {
                const SDL_Color c = shot.Pixel(x, y);
                if (c.r + c.g + c.b < 120) ++count;
            }
        return count;
    };
    EXPECT_GT(dark(plate), dark(bare) + 300) << dark(plate) << " " << dark(bare);
}

} // namespace
