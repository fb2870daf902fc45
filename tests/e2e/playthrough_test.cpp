// A level played by injected input from start to gate: walk to a crate, take a
// rifle, its ammunition and two materials, shoot a wooden block to pieces,
// reload, combine the materials, get hurt, walk into the gate, leave the
// level-end screen and find the carried state on the next level's player.
#include "GameRun.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace {

// A walled room 16 x 8 units: the player south of a crate whose lid faces
// him, a breakable block east of the crate and a gate trigger at the west wall.
const std::string kFirstLevel = std::string(kWalledRoom) + R"(
for x = -6, 6, 4 do for y = -2, 2, 4 do CreateBitmap(x, y, 0, 0, 0, 48, 48, "tex_floor_metal") end end
testCrate = CreateContainer(0, -1, 0, "spr_metallkast", "automaat", "rifle ammo", "nails", "scrap", "tape")
testBlock = CreateBlock(4, -0.4, 0, 0, 6)
scripttable.testgate = function() LoadLevel('testlevel2', 1) end
CreateTrigger(-6, -0.4, 1.5, "testgate", 15)
CreatePlayer(0, 1.5)
)";

const std::string kSecondLevel = std::string(kWalledRoom) + R"(
for x = -6, 6, 4 do for y = -2, 2, 4 do CreateBitmap(x, y, 0, 0, 0, 48, 48, "tex_floor_tiles") end end
CreatePlayer(0, 0)
)";

// "<tag> x y action A" and "<tag> ammo RIFLE NAILS block N" lines for the console.
const char* kProbes = R"(
function Where(tag)
  local p = player.GetPlayer()
  local x, y = object.GetXForm(p)
  print(tag .. ' ' .. x .. ' ' .. y .. '\n')
end
function Report(tag)
  print(tag .. ' ammo ' .. tostring(player.GetAmmo(1)) .. ' ' .. tostring(player.GetAmmo(4)) ..
        ' block ' .. select('#', object.GetXForm(testBlock)) .. '\n')
end
)";

// The last console line starting with "<tag> ", split into words after the tag.
std::vector<std::string> Probe(const std::string& log, const std::string& tag)
{
    std::istringstream in(log);
    std::string line;
    std::vector<std::string> words;
    while (std::getline(in, line)) {
        if (line.rfind(tag + " ", 0) != 0) continue;
        std::istringstream parts(line.substr(tag.size() + 1));
        words.clear();
        for (std::string word; parts >> word;) words.push_back(word);
    }
    return words;
}

double Number(const std::vector<std::string>& words, size_t index)
{
    return index < words.size() ? std::stod(words[index]) : -1e9;
}

// Which pixels of the rectangle are bright: a fingerprint of the text drawn there.
std::vector<bool> BrightMask(const Screenshot& shot, int x1, int y1, int x2, int y2)
{
    std::vector<bool> mask;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const SDL_Color c = shot.Pixel(x, y);
            mask.push_back(c.r > 180 && c.g > 180 && c.b > 180);
        }
    return mask;
}

// The health line's bright pixels, wherever camera shake or the screen
// distortion has put it: ten rows ending at the lowest bright row above the
// status line, counted from the leftmost bright column.
std::set<std::pair<int, int>> HealthLine(const Screenshot& shot)
{
    std::set<std::pair<int, int>> points;
    int bottom = 428;
    while (bottom > 380 && BrightMask(shot, 6, bottom, 130, bottom + 1) == std::vector<bool>(124, false)) --bottom;
    int left = 130;
    for (int y = bottom - 9; y <= bottom; ++y)
        for (int x = 6; x < 130; ++x)
            if (BrightMask(shot, x, y, x + 1, y + 1)[0]) {
                points.insert({x, bottom - y});
                left = std::min(left, x);
            }
    std::set<std::pair<int, int>> shifted;
    for (auto [x, y] : points) shifted.insert({x - left, y});
    return shifted;
}

// Shared bright pixels over all bright pixels of the two.
double Overlap(const std::set<std::pair<int, int>>& a, const std::set<std::pair<int, int>>& b)
{
    size_t shared = 0;
    for (const auto& p : a) shared += b.count(p);
    const size_t all = a.size() + b.size() - shared;
    return all ? double(shared) / double(all) : 0.0;
}

// The HUD is drawn at 320 x 240 and shown at twice the size: HUD line y of
// the inventory column covers window rows 2y .. 2y + 14.
constexpr int kColumnTop = 124;
constexpr int kLine = 14;

std::string Replay()
{
    std::multimap<int, std::string> at;
    auto add = [&](int frame, const std::string& command) { at.emplace(frame, command); };
    add(3, "lua dofile('probes.lua')");
    add(4, "mouse 320 240");
    add(5, "lua LoadLevel('testlevel', 0); SetMenuState('game')");
    // The level-start freeze holds the player until about frame 132.
    add(140, "lua Where('start')");
    add(141, "down w");  // up to the crate's lid
    add(175, "up w");
    add(180, "lua Where('atcrate')");
    add(182, "press space");  // open it
    add(190, "screenshot crate.bmp");
    for (int frame = 195; frame <= 235; frame += 10) add(frame, "click 1");  // take all five
    add(240, "screenshot taken.bmp");
    add(245, "lua Report('taken')");
    add(250, "press space");  // close it
    add(255, "press 50");     // the rifle's quick-switch key, "2"
    add(325, "mouse 600 240");  // the crosshair east, over the block
    // Aim held from 330 on (a click every frame keeps the button down), fire from 335.
    for (int frame = 330; frame < 400; ++frame) add(frame, "click 3");
    for (int frame = 335; frame < 400; ++frame) add(frame, "click 1");
    add(380, "screenshot firing.bmp");
    add(402, "lua Report('fired')");
    add(405, "press r");
    add(470, "lua Report('reloaded')");
    add(480, "press c");  // the combine menu: nails and scrap make a nail pack
    add(485, "screenshot combine.bmp");
    add(490, "click 1");
    add(495, "lua Report('combined')");
    add(497, "screenshot combined.bmp");
    // A blast beside the player takes some of his health.
    add(500, "lua CreateExplosion(1.0, -0.7, 3)");
    add(540, "screenshot hurt.bmp");
    add(545, "down a");  // west into the gate
    add(620, "lua Where('gate')");
    add(640, "up a");
    add(690, "screenshot levelend.bmp");
    add(700, "press return");
    add(705, "lua Report('next'); Where('next')");
    // Late enough for the arrival's ripple to have left the HUD.
    add(900, "screenshot next.bmp");
    add(902, "lua Report('later')");
    add(905, "lua ExitGame()");
    std::string text;
    for (const auto& [frame, command] : at) text += std::to_string(frame) + " " + command + "\n";
    return text;
}

TEST(Playthrough, CrateRifleBlockCombineGateAndTheCarriedStateOnTheNextLevel)
{
    GameRun run;
    run.WriteData("testlevel/script.lua", kFirstLevel);
    run.WriteData("testlevel/objects.lua", "");
    run.WriteData("testlevel2/script.lua", kSecondLevel);
    run.WriteData("testlevel2/objects.lua", "");
    run.WriteData("probes.lua", kProbes);
    ASSERT_TRUE(run.Run(Replay(), 100)) << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    for (const char* problem : {"not found", "No sound named", "cannot create", "undefined item", "invalid pointer",
                                "cannot combine", "replay:", "Error", "error", "GL:"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << problem << "\n" << run.stderrText;
    const std::string log = run.ReadData("console.log");
    EXPECT_NE(log.find("Loading:testlevel\n"), std::string::npos) << log;

    // Walked north until the crate stopped him, standing in front of its lid.
    const auto start = Probe(log, "start"), atCrate = Probe(log, "atcrate");
    ASSERT_EQ(start.size(), 2u) << log;
    ASSERT_EQ(atCrate.size(), 2u) << log;
    EXPECT_NEAR(Number(start, 1), 1.5, 0.05) << log;
    EXPECT_LT(Number(atCrate, 1), 0.0) << log;
    EXPECT_GT(Number(atCrate, 1), -1.0) << "through the crate?\n" << log;

    // The crate: the rifle ammunition went into the store, the block still stands.
    EXPECT_EQ(Probe(log, "taken"), (std::vector<std::string>{"ammo", "60", "0", "block", "3"})) << log;
    // The block broke under the rifle; rounds left the clip.
    const auto fired = Probe(log, "fired");
    ASSERT_EQ(fired.size(), 5u) << log;
    EXPECT_EQ(fired[4], "0") << "the wooden block should be gone\n" << log;
    EXPECT_EQ(fired[1], "60") << "firing takes from the clip, not the store\n" << log;
    // The reload put the rest of the clip back and filled it: the store lost
    // what was fired, at least the twelve hits the block takes.
    const auto reloaded = Probe(log, "reloaded");
    ASSERT_EQ(reloaded.size(), 5u) << log;
    const double rifleStore = Number(reloaded, 1);
    EXPECT_LE(rifleStore, 48.0) << log;
    EXPECT_GE(rifleStore, 31.0) << log;
    // Nails and scrap made a nail pack, which went straight into the store.
    const auto combined = Probe(log, "combined");
    ASSERT_EQ(combined.size(), 5u) << log;
    EXPECT_EQ(combined[2], "60") << log;
    EXPECT_EQ(combined[1], reloaded[1]) << log;

    const auto gate = Probe(log, "gate");
    ASSERT_EQ(gate.size(), 2u) << log;
    EXPECT_LT(Number(gate, 0), -4.0) << log;

    // The next level, with a new player at its own start carrying the ammunition.
    EXPECT_NE(log.find("Loading:testlevel2\n"), std::string::npos) << log;
    const auto next = Probe(log, "next");
    ASSERT_EQ(next.size(), 2u) << log;
    EXPECT_NEAR(Number(next, 0), 0.0, 0.05) << log;
    EXPECT_NEAR(Number(next, 1), 0.0, 0.05) << log;
    const auto later = Probe(log, "later");
    ASSERT_EQ(later.size(), 5u) << log;
    EXPECT_EQ(later[1], reloaded[1]) << "rifle rounds carried\n" << log;
    EXPECT_EQ(later[2], "60") << "nails carried\n" << log;

    // Pictures: the room around the soldier, the take menu, the level-end
    // page, the next level's HUD.
    Screenshot taken(run.Dir() / "taken.bmp"), crate(run.Dir() / "crate.bmp"),
        combine(run.Dir() / "combine.bmp"), hurt(run.Dir() / "hurt.bmp"), levelEnd(run.Dir() / "levelend.bmp"),
        nextShot(run.Dir() / "next.bmp");
    for (const Screenshot* shot : {&taken, &crate, &combine, &hurt, &levelEnd, &nextShot}) {
        ASSERT_TRUE(shot->Loaded());
        EXPECT_EQ(shot->Width(), 640);
        EXPECT_EQ(shot->Height(), 480);
    }
    // Not a black or washed-out screen: the floor shows around the player.
    for (const Screenshot* shot : {&taken, &crate, &hurt, &nextShot}) {
        EXPECT_GT(shot->BrightShare(160, 120, 480, 360, 40), 0.3);
        EXPECT_LT(shot->BrightShare(160, 120, 480, 360, 230), 0.2);
    }
    // The take menu's heading and lines beside the crate.
    EXPECT_GT(crate.BrightShare(330, 184, 400, 214, 200), 0.05);
    EXPECT_LT(taken.BrightShare(330, 184, 400, 214, 200), 0.01);
    // The open combine menu draws its entry right of the inventory column.
    EXPECT_GT(combine.BrightShare(166, kColumnTop + 18, 250, kColumnTop + 40, 200), 0.02);
    // The level-end page: black but for its text.
    EXPECT_LT(levelEnd.BrightShare(0, 0, 640, 480, 40), 0.1);
    EXPECT_GT(levelEnd.BrightShare(0, 0, 640, 480, 150), 0.002);

    // The inventory column on the next level: the rifle and the tape, the
    // nails and scrap used up.
    EXPECT_GT(nextShot.BrightShare(6, kColumnTop, 90, kColumnTop + kLine, 150), 0.05);
    EXPECT_GT(nextShot.BrightShare(6, kColumnTop + kLine, 90, kColumnTop + 2 * kLine, 150), 0.05);
    EXPECT_EQ(nextShot.BrightShare(6, kColumnTop + 2 * kLine, 90, kColumnTop + 4 * kLine, 150), 0.0);
    // Health: the blast's line carried over, not a fresh player's.
    const auto fresh = HealthLine(taken), hurtLine = HealthLine(hurt), carried = HealthLine(nextShot);
    EXPECT_GT(fresh.size(), 50u);
    EXPECT_GT(carried.size(), 50u);
    std::printf("health line overlap: carried %.3f, fresh %.3f\n", Overlap(carried, hurtLine), Overlap(fresh, hurtLine));
    EXPECT_LT(Overlap(fresh, hurtLine), 0.8) << "the blast should have cost health";
    EXPECT_GT(Overlap(carried, hurtLine), 0.9) << "health carried to the next level";
}

} // namespace
