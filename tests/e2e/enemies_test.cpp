// Every enemy kind in the real game: a bare test level with the player, first
// the gunmen at a distance, then the rest close by; their attacks show on the
// HUD's health line, then the scripts kill them all (most through their
// health, two by explosions). Kills and score are checked where the game
// shows and keeps them: the level-end page, the game-over page after the
// player dies in the next level, and the run record in the stats file.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

// The test level: an open floor with the player in the middle.
const char* kLevelScript = "level = { name = 'enemytest' }\n";
const char* kLevelObjects = "testPlayer = CreatePlayer(0, 0)\n";

// Helpers the replay calls.
const char* kHelpers = R"(
foes = {}
blasted = 0
local function add(name, handle) foes[#foes + 1] = { name = name, handle = handle } end
function Alive(handle) return type(object.GetCollisionType(handle)) == 'string' end

-- The gunmen first, well away from the player: what hurts him now comes from afar.
function SpawnGunmen()
  add('soldat', CreateSoldier(7, 2))
  add('red_soldat', CreateRedSoldier(-7, 2, 'automaat'))
  add('grey_soldat', CreateGreySoldier(2, -7))
  add('sentry_gun', CreateTurret(-6, -5, 0.7))
end

-- Then everything else in a ring round him.
function SpawnTheRest()
  add('zombie', CreateZombie(3, 0, ''))
  add('zombie', CreateZombie(0, 3, 'H'))
  add('zombie', CreateZombie(-3, 0, 'B'))
  add('giant_zombie', CreateBigZombie(3, 3))
  add('giant_soldat', CreateBigSoldier(-3, -3))
  add('skeleton', CreateMSkeleton(-3, 3))
  add('red_commander', CreateRedRobot(3, -3))
  add('snake', CreateSnake(0, -5, 0))
  spawner = CreateZSpawner(1, 1, 0, 2)
end

function ReportFoes(tag)
  local alive, names = 0, ''
  for _, foe in ipairs(foes) do
    if Alive(foe.handle) then alive = alive + 1; names = names .. ' ' .. foe.name end
  end
  print(tag .. ' ' .. #foes .. ' ' .. alive .. names .. '\n')
end

-- Explosions for the first two zombies, the rest through their health.
function KillFoes()
  for _, foe in ipairs(foes) do
    if Alive(foe.handle) then
      if foe.name == 'zombie' and blasted < 2 then
        local x, y = object.GetXForm(foe.handle)
        CreateExplosion(x, y, 1.0)
        blasted = blasted + 1
      else
        actor.SetHealth(foe.handle, -10)
      end
    end
  end
end

-- Whatever is still standing a moment later (a blast that only hurt).
function FinishFoes()
  for _, foe in ipairs(foes) do
    if Alive(foe.handle) then actor.SetHealth(foe.handle, -10) end
  end
end
)";

std::string Frame(int frame, const std::string& command) { return std::to_string(frame) + " " + command + "\n"; }

// Pixels that differ between two shots in a rectangle.
int DifferentPixels(const Screenshot& a, const Screenshot& b, int x1, int y1, int x2, int y2)
{
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const SDL_Color p = a.Pixel(x, y), q = b.Pixel(x, y);
            if (p.r != q.r || p.g != q.g || p.b != q.b) ++count;
        }
    return count;
}

// Pixels in a rectangle that are not nearly black.
int LitPixels(const Screenshot& shot, int x1, int y1, int x2, int y2)
{
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const SDL_Color c = shot.Pixel(x, y);
            if (c.r + c.g + c.b > 60) ++count;
        }
    return count;
}

// Lines "<tag> <total> <alive>" of the console log.
bool FoeReport(const std::string& log, const std::string& tag, int* total, int* alive)
{
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && word == tag && words >> *total >> *alive) return true;
    }
    return false;
}

struct RunRecord {
    int records = 0;
    int score = -1;
    std::map<std::string, int> kills;
};

// The stats file: a count, then "start", "scr N", ..., "enm NAME N"..., "end".
RunRecord ReadStats(const std::string& text)
{
    RunRecord record;
    std::istringstream in(text);
    in >> record.records;
    std::string word;
    while (in >> word) {
        if (word == "scr") in >> record.score;
        if (word == "enm") {
            std::string name;
            int count = 0;
            in >> name >> count;
            record.kills[name] += count;
        }
    }
    return record;
}

// The text line at (x, y) of a page (laid out on a 320 x 240 grid, doubled in
// the window) holds white text within `width` grid units.
bool TextRow(const Screenshot& shot, int x, int y, int width)
{
    for (int yy = 2 * y; yy < 2 * y + 10; ++yy)
        for (int xx = 2 * x; xx < 2 * (x + width); ++xx) {
            const SDL_Color c = shot.Pixel(xx, yy);
            if (c.r > 200 && c.g > 200 && c.b > 200) return true;
        }
    return false;
}

TEST(Enemies, EveryKindFightsDiesAndCountsOnTheLevelEndAndInTheRunRecord)
{
    GameRun run;
    run.WriteData("enemytest/script.lua", kLevelScript);
    run.WriteData("enemytest/objects.lua", kLevelObjects);
    run.WriteData("enemyhelpers.lua", kHelpers);

    std::string replay;
    replay += Frame(3, "lua dofile('enemyhelpers.lua')");
    replay += Frame(4, "mouse 320 140");
    replay += Frame(5, "lua LoadLevel('enemytest', 0); SetMenuState('game')");
    // The level-start effect is over after about 130 frames. Scripts cannot
    // heal the player (his maximum health stays 0), so each group only gets
    // a short while at him before the scripts put it down.
    replay += Frame(170, "screenshot base.bmp");
    replay += Frame(172, "lua SpawnGunmen()");
    for (int i = 0; i < 17; ++i) replay += Frame(175 + 5 * i, "screenshot ranged" + std::to_string(i) + ".bmp");
    replay += Frame(256, "lua KillFoes()");
    replay += Frame(260, "lua SpawnTheRest()");
    replay += Frame(263, "screenshot foes.bmp");
    for (int i = 0; i < 7; ++i) replay += Frame(270 + 5 * i, "screenshot close" + std::to_string(i) + ".bmp");
    replay += Frame(302, "lua ReportFoes('before'); KillFoes()");
    replay += Frame(307, "lua FinishFoes()");
    replay += Frame(370, "screenshot after.bmp");
    replay += Frame(372, "lua ReportFoes('after')");
    // Through the gate: the level-end page after the 57-frame countdown.
    replay += Frame(405, "lua LoadLevel('level1', 1)");
    replay += Frame(520, "screenshot levelend.bmp");
    replay += Frame(525, "press space");
    // In the next level the player dies (once its start freeze is over): the
    // game-over page, then the run record.
    replay += Frame(535, "lua local p = player.GetPlayer(); actor.SetHealth(p, -1); object.SetFrame(p, 19)");
    replay += Frame(760, "screenshot gameover.bmp");
    replay += Frame(765, "press return");
    replay += Frame(772, "lua ExitGame()");

    ASSERT_TRUE(run.Run(replay, 90)) << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    for (const char* problem : {"not found", "No sound named", "cannot create", "invalid pointer", "rror"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << problem << "\n" << run.stderrText;
    const std::string log = run.ReadData("console.log");
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;
    EXPECT_EQ(log.find("invalid pointer"), std::string::npos) << log;

    // The health line changes from "health=100/100" when the enemies hurt the
    // player: once while only the gunmen are there, once with everyone.
    Screenshot base(run.Dir() / "base.bmp");
    ASSERT_TRUE(base.Loaded());
    ASSERT_GT(base.BrightShare(4, 392, 120, 408, 200), 0.01) << "the health line is drawn";
    auto hurtShots = [&](const std::string& prefix, int count) {
        int hurt = 0;
        for (int i = 0; i < count; ++i) {
            Screenshot hud(run.Dir() / (prefix + std::to_string(i) + ".bmp"));
            EXPECT_TRUE(hud.Loaded()) << prefix << i;
            if (DifferentPixels(base, hud, 4, 392, 120, 408) > 5) ++hurt;
        }
        return hurt;
    };
    EXPECT_GE(hurtShots("ranged", 17), 1) << "the soldiers and the turret never hit the player";
    EXPECT_GE(hurtShots("close", 7), 1) << "nothing close by hurt the player";

    // Right after they appear, the enemies stand drawn round the player (the
    // camera centres him; 2 window pixels per screen pixel, 12 per unit).
    Screenshot foes(run.Dir() / "foes.bmp");
    ASSERT_TRUE(foes.Loaded());
    EXPECT_LT(LitPixels(base, 0, 0, 640, 380), 2000) << "an empty floor before they come";
    EXPECT_GT(LitPixels(foes, 0, 0, 640, 380), LitPixels(base, 0, 0, 640, 380) + 3000);

    int total = 0, alive = 0;
    ASSERT_TRUE(FoeReport(log, "before", &total, &alive)) << log;
    EXPECT_EQ(total, 12);
    EXPECT_GE(alive, 6) << "the close group hardly killed each other in a second";
    // The soldiers, put down 1.5 s earlier, are gone; the turret's wreck may still stand.
    EXPECT_LE(alive, 9) << log;
    const size_t beforeLine = log.find("before ");
    const std::string standing = log.substr(beforeLine, log.find('\n', beforeLine) - beforeLine) + " ";
    for (const char* soldier : {" soldat ", " red_soldat ", " grey_soldat "})
        EXPECT_EQ(standing.find(soldier), std::string::npos) << soldier << "\n" << log;
    ASSERT_TRUE(FoeReport(log, "after", &total, &alive)) << log;
    EXPECT_EQ(alive, 0) << "every enemy fell and was removed";

    // The level-end page: title, accuracy, time and score at the left, one
    // "name=count" line per kind under KILLS: (ten kinds, 7 pixels a row).
    Screenshot levelEnd(run.Dir() / "levelend.bmp");
    ASSERT_TRUE(levelEnd.Loaded());
    EXPECT_TRUE(TextRow(levelEnd, 80, 60, 150)) << "the FINISHED line";
    EXPECT_TRUE(TextRow(levelEnd, 160, 74, 30)) << "KILLS:";
    for (int row = 0; row < 10; ++row)
        EXPECT_TRUE(TextRow(levelEnd, 160, 81 + 7 * row, 40)) << "kill line " << row;
    EXPECT_FALSE(TextRow(levelEnd, 160, 81 + 7 * 10, 100)) << "no eleventh kind";

    Screenshot gameOver(run.Dir() / "gameover.bmp");
    ASSERT_TRUE(gameOver.Loaded());
    EXPECT_TRUE(TextRow(gameOver, 160, 81, 30)) << "KILLS:";
    for (int row = 0; row < 10; ++row)
        EXPECT_TRUE(TextRow(gameOver, 160, 88 + 7 * row, 40)) << "run kill line " << row;

    // The run record: one kill per kind (the spawner's three zombies may have
    // fallen to the blasts too) and the score of exactly those kills.
    const RunRecord record = ReadStats(run.ReadData("stats"));
    ASSERT_EQ(record.records, 1) << run.ReadData("stats");
    const std::map<std::string, int> points = {
        {"zombie", 1},        {"soldat", 2},       {"red_soldat", 2}, {"grey_soldat", 2},
        {"giant_zombie", 2},  {"giant_soldat", 4}, {"skeleton", 2},   {"red_commander", 6},
        {"sentry_gun", 3},    {"snake", 6},
    };
    int expectedScore = 0;
    for (const auto& [name, value] : points) {
        const int kills = record.kills.count(name) ? record.kills.at(name) : 0;
        if (name == "zombie") {
            EXPECT_GE(kills, 3) << run.ReadData("stats");
            EXPECT_LE(kills, 6) << run.ReadData("stats");  // a spawner lets out one more than its count
        } else {
            EXPECT_EQ(kills, 1) << name << "\n" << run.ReadData("stats");
        }
        expectedScore += kills * value;
    }
    EXPECT_EQ(record.kills.size(), points.size()) << run.ReadData("stats");
    EXPECT_EQ(record.score, expectedScore) << run.ReadData("stats");
}

} // namespace
