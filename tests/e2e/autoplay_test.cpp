// The automatic player in the real game: it takes the first level to its
// gate on its own, and a recorded automatic run replays to the same state.
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

    // The record played back on the keyboard device, without the automatic player.
    GameRun replayed;
    replayed.arguments = {"--fast"};
    ASSERT_TRUE(replayed.Run(record, 120)) << replayed.stderrText;
    EXPECT_EQ(RunState(replayed.stderrText), original);
    EXPECT_EQ(replayed.stderrText.find("autoplay:"), std::string::npos);
}
