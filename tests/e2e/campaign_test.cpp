// The campaign as a whole game: "continue" picks up at the last gate (at full
// health) after a restart and after a death (on "hard" a death
// forgets it, as does a new game), a broken save is only reported, and the
// tenth gate ends the game on the win page with the run recorded.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

// "<tag> level has-player rifle-ammo screen" lines for the console.
const char* kProbes = R"(
function Report(tag)
  local p = player.GetPlayer()
  print(tag .. ' ' .. tostring(currentLevel) .. ' ' .. tostring(p ~= nil) .. ' ' ..
        tostring((player.GetAmmo(1))) .. ' ' .. GetMenuState() .. '\n')
end
function Where(tag)
  local x, y = object.GetXForm(player.GetPlayer())
  local g = levelPlan.gate
  local gx, gy = TransformPoint(0, -0.5, g.x, g.y, g.a)
  print(tag .. ' ' .. (x - gx) .. ' ' .. (y - gy) .. '\n')
end
-- Puts a fresh player three units south of the gate, for walking north into
-- it; he becomes the player, the one who arrived stays behind unseen.
-- Where the level's gate trigger stands, whichever gate room it is in.
local createTrigger = CreateTrigger
function CreateTrigger(x, y, r, name, ...)
  if name == "gate" then
    local tx, ty, ta = GetCreationTransform()
    gateX, gateY = TransformPoint(x, y, tx, ty, ta)
  end
  return createTrigger(x, y, r, name, ...)
end
function BesideTheGate()
  SetCreationTransform(0, 0, 0)
  CreatePlayer(gateX, gateY + 1)
end
)";

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

// The last word of the probe, "" when there was none.
std::string Last(const std::vector<std::string>& words)
{
    return words.empty() ? "" : words.back();
}

// Replay lines that keep the player at full health every other frame.
std::string Heals(int from, int to)
{
    std::string lines;
    for (int frame = from; frame <= to; frame += 2)
        lines += std::to_string(frame) + " lua actor.SetHealth(player.GetPlayer(), 100)\n";
    return lines;
}

void ExpectCleanRun(const GameRun& run)
{
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    for (const char* problem : {"not found", "No sound named", "cannot create", "replay:", "broken"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << problem << "\n" << run.stderrText;
}

TEST(Campaign, ContinueStartsAtTheLastGateAfterARestartOrADeathAndHardDeathOrANewGameForgetIt)
{
    GameRun run;
    run.WriteData("probes.lua", kProbes);
    // Through a gate from level 3 into level 4 with a marked ammunition count, nearly dead.
    ASSERT_TRUE(run.Run("3 lua dofile('probes.lua')\n"
                        "5 lua LoadLevel('level3', 0); SetMenuState('game')\n"
                        "140 lua player.SetAmmo(77, 1); actor.SetHealth(player.GetPlayer(), 30); LoadLevel('level4', 1)\n"
                        "200 screenshot levelend.bmp\n"
                        "205 press return\n"
                        "210 lua Report('arrived')\n"
                        "215 lua ExitGame()\n"))
        << run.stderrText;
    ExpectCleanRun(run);
    ASSERT_TRUE(run.HasData("campaign")) << run.ReadData("console.log");
    EXPECT_FALSE(run.HasData("campaign.tmp"));
    const std::string save = run.ReadData("campaign");
    EXPECT_NE(save.find("level\tlevel4\n"), std::string::npos) << save;
    EXPECT_NE(save.find("ammo\t0 77 "), std::string::npos) << save;
    EXPECT_NE(save.find("health\t30.000000\n"), std::string::npos) << save;
    EXPECT_EQ(Probe(run.ReadData("console.log"), "arrived").at(0), "level4") << run.ReadData("console.log");

    // Started again: "continue" leads the menu and brings back level 4 with the ammunition.
    ASSERT_TRUE(run.Run("3 lua dofile('probes.lua')\n"
                        "8 screenshot menu.bmp\n"
                        "10 press return\n"
                        "150 lua Report('continued')\n"
                        "155 lua actor.SetHealth(player.GetPlayer(), 0)\n"
                        "400 lua Report('dead')\n"
                        // Past the game-over screen the menu's first entry
                        // is "continue" (not a "resume" into the cleared world).
                        "410 press return\n"
                        "430 press return\n"
                        "570 lua Report('after death')\n"
                        "575 lua ExitGame()\n"))
        << run.stderrText;
    ExpectCleanRun(run);
    std::string log = run.ReadData("console.log");
    EXPECT_NE(log.find("Loading:level4\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Loading:level1\n"), std::string::npos) << "continue, not a new game\n" << log;
    EXPECT_EQ(Probe(log, "continued"), (std::vector<std::string>{"level4", "true", "77", "game"})) << log;
    EXPECT_EQ(Last(Probe(log, "dead")), "gameover") << log;
    EXPECT_EQ(Probe(log, "after death"), (std::vector<std::string>{"level4", "true", "77", "game"})) << log;

    // On "normal" a death keeps the save: "continue" starts level 4 again
    // with what the player carried through its gate, but at full health, not
    // the 30 he had: a level entered nearly dead is not begun so after every
    // death. The next gate's save shows what he began with.
    ASSERT_TRUE(run.HasData("campaign")) << "a death on normal keeps the campaign";
    EXPECT_NE(run.ReadData("campaign").find("difficulty\tnormal\n"), std::string::npos) << run.ReadData("campaign");
    ASSERT_TRUE(run.Run("3 lua dofile('probes.lua')\n"
                        "10 press return\n"
                        "150 lua Report('again')\n"
                        "152 lua LoadLevel('level5', 1)\n"
                        "215 press return\n"
                        "220 lua Report('through')\n"
                        "225 lua ExitGame()\n"))
        << run.stderrText;
    log = run.ReadData("console.log");
    EXPECT_EQ(Probe(log, "again"), (std::vector<std::string>{"level4", "true", "77", "game"})) << log;
    EXPECT_EQ(Probe(log, "through").at(0), "level5") << log;
    const std::string next = run.ReadData("campaign");
    EXPECT_NE(next.find("level\tlevel5\n"), std::string::npos) << next;
    EXPECT_NE(next.find("health\t100.000000\n"), std::string::npos) << next;

    // On "hard" a death ends the campaign: nothing is left to continue.
    std::string hard = run.ReadData("campaign");
    hard.replace(hard.find("difficulty\tnormal"), 17, "difficulty\thard");
    run.WriteData("campaign", hard);
    ASSERT_TRUE(run.Run("3 lua dofile('probes.lua')\n"
                        "10 press return\n"
                        "150 lua Report('hard')\n"
                        "155 lua actor.SetHealth(player.GetPlayer(), -50)\n"
                        "400 lua Report('dead')\n"
                        "405 lua ExitGame()\n"))
        << run.stderrText;
    log = run.ReadData("console.log");
    EXPECT_EQ(Probe(log, "hard").at(0), "level5") << log;
    EXPECT_EQ(Last(Probe(log, "dead")), "gameover") << log;
    EXPECT_FALSE(run.HasData("campaign")) << "a death on hard forgets the campaign";

    // A broken save is reported, never continued, and a new game replaces it.
    run.WriteData("campaign", "korvanmire campaign 1\nlevel\t../../etc\nend\n");
    ASSERT_TRUE(run.Run("3 lua dofile('probes.lua')\n"
                        "10 press return\n"
                        "20 lua Report('fresh')\n"
                        "25 lua ExitGame()\n"))
        << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    log = run.ReadData("console.log");
    EXPECT_NE(log.find("campaign\" is broken (line 2"), std::string::npos) << log;
    EXPECT_EQ(Probe(log, "fresh").at(0), "level1") << log;
    EXPECT_FALSE(run.HasData("campaign")) << "a new game forgets the campaign";
}

TEST(Campaign, TheTenthGateEndsTheGameOnTheWinPageAndRecordsTheRun)
{
    GameRun run;
    run.WriteData("probes.lua", kProbes);
    // A save from an earlier gate, which the win must clear.
    run.WriteData("campaign", "korvanmire campaign 1\nlevel\tlevel10\nend\n");
    ASSERT_TRUE((run.Run(std::string("3 lua dofile('probes.lua')\n"
                        "5 lua LoadLevel('level10', 0); SetMenuState('game')\n"
                        "140 lua BesideTheGate()\n"
                        "142 down w\n"
                        "160 up w\n"
                        "165 lua Where('walked')\n") +
                        // The gate's guard shoots; the test is about the gate, not the fight.
                        Heals(141, 240) +
                        "290 lua Report('won')\n"
                        "292 screenshot win.bmp\n"
                        "300 press return\n"
                        "305 lua Report('menu')\n"
                        "310 lua ExitGame()\n",
                        90)))
        << run.stderrText;
    ExpectCleanRun(run);
    const std::string log = run.ReadData("console.log");
    EXPECT_EQ(Last(Probe(log, "won")), "win") << log;
    EXPECT_EQ(Last(Probe(log, "menu")), "mainmenu") << log;
    EXPECT_EQ(log.find("Loading:level1\n"), std::string::npos) << "the tenth gate no longer leads back\n" << log;
    EXPECT_FALSE(run.HasData("campaign")) << "a won campaign has nothing to continue";

    // The run went into the stats file as a won run.
    const std::string stats = run.ReadData("stats");
    EXPECT_EQ(stats.rfind("1\nstart\n", 0), 0u) << stats;
    EXPECT_NE(stats.find("won 1\n"), std::string::npos) << stats;

    // The win page: white text on black.
    Screenshot win(run.Dir() / "win.bmp");
    ASSERT_TRUE(win.Loaded());
    EXPECT_GT(win.BrightShare(60, 50, 600, 260, 200), 0.01);
    EXPECT_LT(win.BrightShare(0, 0, 640, 480, 60), 0.2);
}

// Killed on the last gate: his body lies on it, and a gate that went on
// counting down for him took him to the win page once the game-over screen
// was left (the campaign forgotten, a new game next). He died: "continue"
// must still lead to the last level.
TEST(Campaign, APlayerKilledOnTheLastGateIsNotTakenThroughIt)
{
    GameRun run;
    run.WriteData("probes.lua", std::string(kProbes) + R"(
-- Leaves the game-over screen the moment it shows, as an impatient player
-- does, and notes every screen the game went to.
function Watch()
  local state = GetMenuState()
  if state ~= lastState then print('screen ' .. state .. '\n') lastState = state end
  if state == 'gameover' then SetMenuState('mainmenu') end
end
)");
    run.WriteData("campaign", "korvanmire campaign 1\nlevel\tlevel10\nend\n");
    std::string replay = "3 lua dofile('probes.lua')\n"
                         "5 lua LoadLevel('level10', 0); SetMenuState('game')\n"
                         "140 lua BesideTheGate()\n"
                         "142 down w\n"
                         "160 up w\n"
                         "165 lua actor.SetHealth(player.GetPlayer(), 0)\n";
    replay += Heals(141, 163);
    for (int frame = 166; frame <= 560; ++frame) replay += std::to_string(frame) + " lua Watch()\n";
    replay += "565 lua Report('after')\n"
              "570 lua ExitGame()\n";
    ASSERT_TRUE(run.Run(replay, 90)) << run.stderrText;
    ExpectCleanRun(run);
    const std::string log = run.ReadData("console.log");
    EXPECT_NE(log.find("screen gameover\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("screen win\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("screen levelend\n"), std::string::npos) << log;
    EXPECT_EQ(Last(Probe(log, "after")), "mainmenu") << log;
    ASSERT_TRUE(run.HasData("campaign")) << "a death on normal keeps the campaign";
    EXPECT_NE(run.ReadData("campaign").find("level\tlevel10\n"), std::string::npos) << run.ReadData("campaign");
    EXPECT_EQ(run.ReadData("stats").find("won 1\n"), std::string::npos) << run.ReadData("stats");
}

} // namespace
