// Starting and leaving the real game: where it finds its data, what it says when it
// cannot start, and that every way out saves like the menu's "exit".
#include "GameRun.h"
#include "util/FileText.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// An empty directory of its own, removed afterwards.
class EmptyDir {
public:
    EmptyDir()
    {
        std::string pattern = (fs::temp_directory_path() / "korvanmire-start-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~EmptyDir() { fs::remove_all(path); }
    fs::path path;
};

struct Outcome {
    GameExit exit;
    std::string out;
    std::string err;
};

Outcome Start(const fs::path& dir, const std::vector<std::string>& arguments,
              const std::vector<std::pair<std::string, const char*>>& environment = {},
              const std::string& binary = GameBinary())
{
    std::vector<std::pair<std::string, const char*>> env{{"SDL_AUDIODRIVER", "dummy"}, {"LIBGL_ALWAYS_SOFTWARE", "1"}};
    env.insert(env.end(), environment.begin(), environment.end());
    Outcome outcome;
    // A display that is still coming up refuses the first connections: try again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        outcome.exit = RunGameBinary(binary, dir, arguments, env, 30);
        outcome.out = ReadWholeFile(dir / "stdout.log").value_or("");
        outcome.err = ReadWholeFile(dir / "stderr.log").value_or("");
        const bool ownDisplay = std::none_of(environment.begin(), environment.end(),
                                             [](const auto& change) { return change.first == "DISPLAY"; });
        if (!ownDisplay || outcome.err.find("open X11 display") == std::string::npos) break;
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    return outcome;
}

bool OneLine(const std::string& text) { return !text.empty() && text.find('\n') == text.size() - 1; }

} // namespace

TEST(Startup, HelpVersionAndBadOptionsNeedNeitherDataNorDisplay)
{
    EmptyDir dir;
    const std::vector<std::pair<std::string, const char*>> noDisplay{{"DISPLAY", nullptr}, {"SDL_VIDEODRIVER", nullptr}};

    const Outcome help = Start(dir.path, {"--help"}, noDisplay);
    EXPECT_TRUE(help.exit.exited);
    EXPECT_EQ(help.exit.exitCode, 0);
    EXPECT_NE(help.out.find("usage: korvanmire"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("-w"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--data DIR"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");

    const Outcome version = Start(dir.path, {"-w", "--version"}, noDisplay);
    EXPECT_EQ(version.exit.exitCode, 0);
    EXPECT_EQ(version.out, "korvanmire 1.0.2048.11155\n");
    EXPECT_EQ(version.err, "");

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--fullscreen"},
                                                std::vector<std::string>{"-w", "level3"},
                                                std::vector<std::string>{"--data"}}) {
        const Outcome outcome = Start(dir.path, bad, noDisplay);
        EXPECT_EQ(outcome.exit.exitCode, 2) << bad.back();
        EXPECT_NE(outcome.err.find("usage: korvanmire"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}

TEST(Startup, FindsInstalledDataAndOtherwiseSaysWhatIsMissingInOneLine)
{
    EmptyDir dir;
    // A copy of the game outside its build tree, started away from any data.
    fs::create_directories(dir.path / "bin");
    fs::copy_file(GameBinary(), dir.path / "bin" / "korvanmire");
    fs::permissions(dir.path / "bin" / "korvanmire", fs::perms::owner_all);
    const Outcome lost = Start(dir.path, {"-w"}, {}, (dir.path / "bin" / "korvanmire").string());
    EXPECT_EQ(lost.exit.exitCode, 1);
    EXPECT_TRUE(OneLine(lost.err)) << lost.err;
    EXPECT_NE(lost.err.find("luainit.lua"), std::string::npos) << lost.err;
    EXPECT_NE(lost.err.find("--data"), std::string::npos) << lost.err;
    // Installed, the data sits in share/korvanmire beside bin/: found from anywhere.
    const char* data = std::getenv("KORVANMIRE_DATA");
    ASSERT_NE(data, nullptr);
    fs::create_directories(dir.path / "share");
    fs::copy(data, dir.path / "share" / "korvanmire", fs::copy_options::recursive);
    std::ofstream(dir.path / "replay.txt")
        << "3 lua io.stderr:write(io.open('luainit.lua') and 'in the data\\n' or 'lost\\n') os.exit(0)\n";
    const std::string replay = (dir.path / "replay.txt").string();
    const Outcome installed =
        Start(dir.path, {"-w"}, {{"KORVANMIRE_REPLAY", replay.c_str()}}, (dir.path / "bin" / "korvanmire").string());
    EXPECT_EQ(installed.exit.exitCode, 0) << installed.err;
    EXPECT_NE(installed.err.find("in the data\n"), std::string::npos) << installed.err;

    const Outcome wrongData = Start(dir.path, {"-w", "--data", "no-such-place"});
    EXPECT_EQ(wrongData.exit.exitCode, 1);
    EXPECT_TRUE(OneLine(wrongData.err)) << wrongData.err;
    EXPECT_NE(wrongData.err.find("no-such-place"), std::string::npos) << wrongData.err;

    // Data but no display: a message naming the display, never a text-mode picture.
    const Outcome unset = Start(dir.path, {"-w", "--data", data}, {{"DISPLAY", nullptr}, {"SDL_VIDEODRIVER", nullptr}});
    EXPECT_EQ(unset.exit.exitCode, 1);
    EXPECT_NE(unset.err.find("DISPLAY"), std::string::npos) << unset.err;
    EXPECT_EQ(unset.out, "");
    const Outcome unreachable =
        Start(dir.path, {"-w", "--data", data}, {{"DISPLAY", ":1234"}, {"SDL_VIDEODRIVER", nullptr}});
    EXPECT_EQ(unreachable.exit.exitCode, 1);
    EXPECT_NE(unreachable.err.find("\":1234\""), std::string::npos) << unreachable.err;
    EXPECT_EQ(unreachable.out, "");
    EXPECT_EQ(unreachable.err.find('\x1b'), std::string::npos) << unreachable.err;
}

TEST(Startup, TheBuiltGameFindsItsDataFromAnyFolder)
{
    EmptyDir dir;
    // The replay proves the scripts ran in the data directory, then leaves at once
    // so that nothing is written into the source tree's data.
    std::ofstream(dir.path / "replay.txt")
        << "3 lua io.stderr:write(io.open('luainit.lua') and 'in the data\\n' or 'lost\\n') os.exit(0)\n";
    const std::string replay = (dir.path / "replay.txt").string();
    const Outcome outcome = Start(dir.path, {"-w"}, {{"KORVANMIRE_REPLAY", replay.c_str()}});
    EXPECT_EQ(outcome.exit.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("in the data\n"), std::string::npos) << outcome.err;
    EXPECT_FALSE(fs::exists(dir.path / "settings.lua"));
}

TEST(Leaving, QuitSignalsAndTheCloseButtonSaveLikeTheMenusExit)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        GameRun run;
        bool sent = false;
        run.whileRunning = [&](pid_t pid) {
            if (!sent && run.HasData("ready")) sent = kill(pid, signal) == 0;
        };
        ASSERT_TRUE(run.Run("5 lua settings.keys.map = 77\n20 lua io.open('ready', 'w'):close()\n"))
            << "signal " << signal << " did not end the game; stderr:\n" << run.stderrText;
        EXPECT_TRUE(sent);
        EXPECT_EQ(run.exitCode, 0) << run.stderrText;
        EXPECT_NE(run.ReadData("settings.lua").find("map = 77"), std::string::npos) << run.ReadData("settings.lua");
        EXPECT_EQ(run.ReadData("stats"), "0\n");
    }

    // A script caught in an endless loop is stopped, and the exit still saves.
    GameRun looping;
    bool stopped = false;
    looping.whileRunning = [&](pid_t pid) {
        if (!stopped && looping.HasData("ready")) stopped = kill(pid, SIGTERM) == 0;
    };
    ASSERT_TRUE(looping.Run("5 lua settings.keys.map = 79\n20 lua io.open('ready', 'w'):close() while true do end\n"))
        << "a looping script kept the game from ending; stderr:\n" << looping.stderrText;
    EXPECT_EQ(looping.exitCode, 0) << looping.stderrText;
    EXPECT_NE(looping.ReadData("settings.lua").find("map = 79"), std::string::npos);
    EXPECT_NE(looping.stderrText.find("script stopped"), std::string::npos) << looping.stderrText;

    GameRun closed;
    ASSERT_TRUE(closed.Run("5 lua settings.keys.map = 78\n20 quit\n")) << closed.stderrText;
    EXPECT_EQ(closed.exitCode, 0) << closed.stderrText;
    EXPECT_NE(closed.ReadData("settings.lua").find("map = 78"), std::string::npos);
    EXPECT_EQ(closed.ReadData("stats"), "0\n");
}

TEST(Startup, FirstStartIsQuietAboutTheSettingsItHasNotWrittenYet)
{
    GameRun first;
    ASSERT_TRUE(first.Run("5 lua ExitGame()\n"));
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.stderrText.find("settings.lua"), std::string::npos) << first.stderrText;
    EXPECT_TRUE(first.HasData("settings.lua"));
}

TEST(Typing, EveryKeyOfAFastTypistReachesTheConsoleInOrder)
{
    // A long line at three and then five keys a frame, with repeated keys and quotes
    // going down together in one frame; then a line with a correction.
    const std::string line = "print(string.format('%s=%d', 'keys kept in order, all of them', 40 + 2))";
    const int typed = 20 + static_cast<int>(line.size()) / 3 + 3;
    std::ostringstream replay;
    replay << "5 press f1\n"
           << "20 burst 3 " << line << "\n"
           << typed << " press return 13\n"
           << typed + 3 << " burst 5 ExitGamx\n"
           << typed + 8 << " press backspace 08\n"
           << typed + 10 << " burst 5 e()\n"
           << typed + 13 << " press return 13\n";
    GameRun run;
    ASSERT_TRUE(run.Run(replay.str())) << "the typed ExitGame() did not arrive; stderr:\n" << run.stderrText;
    EXPECT_EQ(run.exitCode, 0);
    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find(line + "\nkeys kept in order, all of them=42"), std::string::npos) << consoleText;
}
