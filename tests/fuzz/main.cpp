// The fuzz tests run inside a started game: a copy of data/, the window, the
// scripts, the menu and the world, as the player has them.
#include "core/Game.h"
#include "core/Startup.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

// Xlib keeps a few blocks from visual and locale look-ups for good; they are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libX11.so\n";
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const char* data = std::getenv("KORVANMIRE_DATA");
    std::string root = (fs::temp_directory_path() / "korvanmire-fuzz-XXXXXX").string();
    if (!data || !mkdtemp(root.data())) {
        std::fprintf(stderr, "KORVANMIRE_DATA must name the game's data directory\n");
        return 1;
    }
    // One level down, so that ".." from a fuzzed name still lands in our directory.
    const fs::path work = fs::path(root) / "data";
    fs::copy(data, work, fs::copy_options::recursive);
    for (const char* userFile : {"settings.lua", "stats"}) fs::remove(work / userFile);
    fs::current_path(work);
    setenv("KORVANMIRE_SEED", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    game = new TGame();
    char name[] = "fuzz_tests";
    char windowedFlag[] = "-w";
    char* startArgs[] = {name, windowedFlag, nullptr};
    if (!StartGame(2, startArgs)) {
        std::fprintf(stderr, "the game could not start (no display?)\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    fs::current_path(fs::temp_directory_path());
    if (!std::getenv("KORVANMIRE_KEEP_FUZZ")) fs::remove_all(root);
    return result;
}
