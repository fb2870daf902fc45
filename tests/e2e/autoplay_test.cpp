// The automatic player in the real game: it takes the first level to its
// gate on its own, loots and combines on the way, gives a level up for the
// next one, plays the same wherever memory puts things, and a recorded
// automatic run replays to the same state.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

// The "run state:" line a recorded or replayed run prints when it ends.
std::string RunState(const std::string& log)
{
    const size_t at = log.rfind("run state: ");
    if (at == std::string::npos) return "";
    return log.substr(at, log.find('\n', at) - at);
}

int Field(const std::string& line, const std::string& name)
{
    std::smatch match;
    const std::regex pattern(name + " (-?[0-9]+)");
    return std::regex_search(line, match, pattern) ? std::stoi(match[1]) : -1;
}

} // namespace

TEST(AutoPlay, TakesTheFirstLevelToItsGate)
{
    GameRun run;
    run.arguments = {"--autoplay", "--fast", "--autoplay-levels", "1"};
    ASSERT_TRUE(run.Run("", 150)) << "the automatic player did not finish level 1\n" << run.stderrText;
    EXPECT_EQ(run.exitCode, 0);
    std::smatch match;
    const std::regex line("autoplay: level level1 gate (yes|no) frames ([0-9]+) health (-?[0-9]+)[^\n]*");
    ASSERT_TRUE(std::regex_search(run.stderrText, match, line)) << run.stderrText;
    EXPECT_EQ(match[1], "yes") << match[0];
    EXPECT_GT(std::stoi(match[3]), 0) << "reached the gate dead? " << match[0];
}

TEST(AutoPlay, RecordedAutomaticRunReplaysToTheSameState)
{
    // An automatic run of level 1, recorded and stopped at frame 650, short of the gate.
    GameRun recorded;
    recorded.arguments = {"--autoplay", "--fast", "--record", "run.rec"};
    ASSERT_TRUE(recorded.Run("650 lua ExitGame()\n", 120)) << recorded.stderrText;
    const std::string record = recorded.ReadData("run.rec");
    ASSERT_NE(record.find(" seed "), std::string::npos) << "no seed in the record";
    ASSERT_NE(record.find(" down "), std::string::npos) << "no input in the record";
    const std::string original = RunState(recorded.stderrText);
    ASSERT_FALSE(original.empty()) << recorded.stderrText;
    // The player went somewhere and fought: a still player would prove nothing.
    EXPECT_EQ(Field(original, "frame"), 650);
    EXPECT_NE(original.find("level level1"), std::string::npos) << original;
    EXPECT_GT(Field(original, "shots"), 0) << original;

    // The record played back on the keyboard device, without the automatic
    // player; also on a machine without sound, where no sound ever starts:
    // what the game's dice give must not hang on the mixer.
    for (const char* audioDriver : {"dummy", "no-such-device"}) {
        GameRun replayed;
        replayed.arguments = {"--fast"};
        replayed.audioDriver = audioDriver;
        ASSERT_TRUE(replayed.Run(record, 120)) << replayed.stderrText;
        EXPECT_EQ(RunState(replayed.stderrText), original) << "sound driver " << audioDriver;
        EXPECT_EQ(replayed.stderrText.find("autoplay:"), std::string::npos);
    }
}

TEST(AutoPlay, PlaysTheSameWhereverTheAllocatorPutsThings)
{
    // Nothing the automatic player or the game decides may hang on where
    // objects lie in memory (an address handed out again to a new object):
    // a run with the allocator's reuse turned off and freed memory scribbled
    // over ends where the plain run does.
    std::string states[2];
    for (int i = 0; i < 2; ++i) {
        GameRun run;
        run.arguments = {"--autoplay", "--fast", "--record", "run.rec"};
        if (i == 1) run.environment = {{"GLIBC_TUNABLES", "glibc.malloc.tcache_count=0"}, {"MALLOC_PERTURB_", "165"}};
        ASSERT_TRUE(run.Run("1200 lua ExitGame()\n", 120)) << run.stderrText;
        states[i] = RunState(run.stderrText);
        ASSERT_GT(Field(states[i], "shots"), 0) << states[i];
    }
    EXPECT_EQ(states[1], states[0]);
}

TEST(RecordedRun, APersonsPacedRunReplaysFastToTheSameState)
{
    // A person's input: into the first level, walk, turn the mouse, aim and
    // fire (nothing to fire yet), reload, walk on.
    const std::string person = "10 press return\n150 down d\n200 mouse 600 300\n230 down s\n260 up d\n"
                               "280 up s\n290 down 325\n300 down 323\n340 up 323\n345 up 325\n350 press r\n"
                               "360 down w\n420 mouse 100 100\n430 down a\n500 up w\n520 up a\n600 lua ExitGame()\n";
    GameRun recorded;
    recorded.arguments = {"--record", "person.rec"};
    ASSERT_TRUE(recorded.Run(person, 120)) << recorded.stderrText;
    const std::string original = RunState(recorded.stderrText);
    ASSERT_NE(original.find("frame 600 level level1"), std::string::npos) << recorded.stderrText;
    const std::string record = recorded.ReadData("person.rec");
    EXPECT_NE(record.find("300 down 323"), std::string::npos) << "mouse buttons are recorded";
    EXPECT_NE(record.find(" pointer "), std::string::npos) << "the mouse is recorded";

    // Played back without the frame sleep: pacing must not change the run.
    GameRun replayed;
    replayed.arguments = {"--fast"};
    ASSERT_TRUE(replayed.Run(record, 120)) << replayed.stderrText;
    EXPECT_EQ(RunState(replayed.stderrText), original);
}

TEST(AutoPlay, TakesACratesContentsWorksTheCombineMenuAndCarriesTheResultThroughTheGate)
{
    // A walled room: the player south of a crate whose lid faces him, the
    // gate by the west wall. The crate holds a nail gun without nails in
    // store, and the makings of a nail pack and of a grenade.
    const std::string level = std::string(kWalledRoom) + R"(
for x = -6, 6, 4 do for y = -2, 2, 4 do CreateBitmap(x, y, 0, 0, 0, 48, 48, "tex_floor_metal") end end
CreateContainer(0, -1, 0, "spr_metallkast", "nail gun", "nails", "scrap", "scrap", "fuel", "tape")
scripttable.gate = function() LoadLevel('testlevel2', 1) end
CreateTrigger(-6, -0.4, 1.5, "gate", 15)
CreatePlayer(0, 1.5)
)";
    const std::string next = std::string(kWalledRoom) + R"(
CreatePlayer(0, 0)
)";
    GameRun run;
    run.WriteData("testlevel/script.lua", level);
    run.WriteData("testlevel/objects.lua", "");
    run.WriteData("testlevel2/script.lua", next);
    run.WriteData("testlevel2/objects.lua", "");
    run.arguments = {"--autoplay", "--fast", "--autoplay-levels", "2"};
    ASSERT_TRUE(run.Run("5 lua LoadLevel('testlevel', 0); SetMenuState('game')\n1500 lua ExitGame()\n", 120))
        << run.stderrText;
    EXPECT_NE(run.stderrText.find("autoplay: level testlevel gate yes"), std::string::npos) << run.stderrText;

    // Through the gate the campaign keeps what the player carried in.
    const std::string save = run.ReadData("campaign");
    ASSERT_FALSE(save.empty()) << run.stderrText;
    EXPECT_NE(save.find("\tnail gun\t"), std::string::npos) << save;
    EXPECT_NE(save.find("\tgrenade\t"), std::string::npos) << "no grenade made\n" << save;
    // The nail pack went into the nail gun or its store; its makings and the grenade's are gone.
    std::smatch ammo;
    ASSERT_TRUE(std::regex_search(save, ammo, std::regex("ammo\t[0-9]+ [0-9]+ [0-9]+ [0-9]+ ([0-9]+)"))) << save;
    const bool nailsInStore = std::stoi(ammo[1]) > 0;
    const bool nailsInGun = std::regex_search(save, std::regex("slot\t[0-9]+\t([1-9][0-9]*)\tnail gun\t"));
    EXPECT_TRUE(nailsInStore || nailsInGun) << "no nail pack made\n" << save;
    for (const char* material : {"\tnails\t", "\tfuel\t", "\ttape\t", "\tscrap\t"})
        EXPECT_EQ(save.find(material), std::string::npos) << material << " left over\n" << save;
}

TEST(AutoPlay, AGivenUpLevelAndAGateOfALevelBuiltByHandLeadToTheNextLevel)
{
    // Campaign levels built by hand, as a modder may: no level generator
    // names them. Level 2 has no gate (it is given up), level 3's gate lies
    // under the player and is the campaign's own.
    GameRun run;
    run.WriteData("level2/script.lua", std::string(kWalledRoom) + "CreatePlayer(0, 0)\n");
    run.WriteData("level2/objects.lua", "");
    run.WriteData("level3/script.lua", std::string(kWalledRoom) + "CreateTrigger(0, 0, 1.5, 'gate', 15)\n"
                                                                 "CreatePlayer(0, 0)\n");
    run.WriteData("level3/objects.lua", "");
    run.arguments = {"--autoplay", "--fast", "--autoplay-levels", "2", "--autoplay-level-frames", "200"};
    ASSERT_TRUE(run.Run("5 lua LoadLevel('level2', 0); SetMenuState('game')\n3000 lua ExitGame()\n", 120))
        << run.stderrText;
    EXPECT_NE(run.stderrText.find("autoplay: level level2 gate no"), std::string::npos) << run.stderrText;
    // Not a new campaign at level 1: on to level 3, and through its gate.
    EXPECT_EQ(run.stderrText.find("autoplay: level level1 "), std::string::npos) << run.stderrText;
    EXPECT_NE(run.stderrText.find("autoplay: level level3 gate yes"), std::string::npos) << run.stderrText;
}

TEST(AutoPlay, KnifesAZombieInItsWayWithNothingToShootWith)
{
    // A walled room: the player empty-handed by the east wall, a zombie
    // between him and the gate by the west wall.
    const std::string level = std::string(kWalledRoom) + R"(
for x = -6, 6, 4 do for y = -2, 2, 4 do CreateBitmap(x, y, 0, 0, 0, 48, 48, "tex_floor_metal") end end
scripttable.gate = function() LoadLevel('testlevel2', 1) end
CreateTrigger(-6, 0, 1.5, "gate", 15)
CreateZombie(-2, 0, "")
CreatePlayer(5, 0)
)";
    GameRun run;
    run.WriteData("testlevel/script.lua", level);
    run.WriteData("testlevel/objects.lua", "");
    run.WriteData("testlevel2/script.lua", "CreatePlayer(0, 0)\n");
    run.WriteData("testlevel2/objects.lua", "");
    run.arguments = {"--autoplay", "--fast", "--autoplay-levels", "1"};
    ASSERT_TRUE(run.Run("5 lua LoadLevel('testlevel', 0); SetMenuState('game')\n1500 lua ExitGame()\n", 120))
        << run.stderrText;
    std::smatch match;
    const std::regex line("autoplay: level testlevel gate (yes|no) frames [0-9]+ health (-?[0-9]+) kills ([0-9]+) "
                          "shots ([0-9]+)");
    ASSERT_TRUE(std::regex_search(run.stderrText, match, line)) << run.stderrText;
    EXPECT_EQ(match[1], "yes") << match[0];
    EXPECT_EQ(match[3], "1") << "the zombie was not killed\n" << match[0];
    EXPECT_EQ(match[4], "0") << "nothing was there to shoot with\n" << match[0];
}
