// Random and mutated bytes in the files the game reads: input replays, module
// files, level scripts and the settings file. Bad files are reported; the game
// goes on and never crashes.
#include "FuzzInput.h"
#include "QuietStdErr.h"
#include "core/screens/ControlsMenuState.h"
#include "core/Frame.h"
#include "core/replay/InputReplay.h"
#include "core/screens/StateRegistry.h"
#include "script/ScriptHost.h"
#include "util/FileText.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) { return ReadWholeFile(path).value_or(""); }

void WriteFile(const fs::path& path, const std::string& text)
{
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(FileFuzz, ReplayParserTakesAnyBytes)
{
    fuzz::Random random(fuzz::Seed());
    const std::string sample = "20 screenshot menu.bmp\n25 press f1\n28 type print(1+1)\n30 burst 3 abc\n"
                               "40 press return 13\n41 down a\n42 up 97\n43 click 1\n44 mouse 10 20\n45 quit\n"
                               "2147483647 press a\n-5 type x\n";
    QuietStdErr quiet;
    for (int round = 0; round < fuzz::Rounds(3000); ++round) {
        TInputReplay replay;
        replay.Parse(random.OneIn(3) ? random.Bytes(static_cast<size_t>(random.Int(0, 400))) : random.Mutate(sample));
    }
}

TEST(FileFuzz, MutatedModulesLevelsAndSettingsLoadOrAreReported)
{
    fuzz::Random random(fuzz::Seed() + 1);
    std::vector<std::string> modules;
    for (const auto& entry : fs::directory_iterator("mods"))
        if (entry.path().extension() == ".lua") modules.push_back(ReadFile(entry.path()));
    ASSERT_FALSE(modules.empty());
    const std::string levelScript = ReadFile("level1/script.lua");
    const std::string levelObjects = ReadFile("level1/objects.lua");
    ASSERT_TRUE(CallScriptFunction("SaveSettings", {}, 0, ScriptErrors::StdErr));
    const std::string settings = ReadFile("settings.lua");
    ASSERT_FALSE(settings.empty());
    auto* controls = dynamic_cast<TControlsMenuState*>(stateRegistry.Find("controls"));
    ASSERT_NE(controls, nullptr);

    QuietStdErr quiet;
    for (int round = 0; round < fuzz::Rounds(60); ++round) {
        // Modules: a few mutated ones beside a good one, loaded and placed.
        fs::remove_all("fuzzmods");
        for (int i = 0; i < 3; ++i) {
            const std::string& original = modules[random.Int(0, static_cast<int>(modules.size()) - 1)];
            WriteFile(fs::path("fuzzmods") / ("m" + std::to_string(i) + ".lua"), random.Mutate(original));
        }
        RunScriptString("for _, name in ipairs(LoadModules('fuzzmods') or {}) do PlaceModule(0, 0, 0, name) end",
                        ScriptErrors::Silent);

        // A level with mutated scripts, built and run for a few frames.
        WriteFile("fuzzlevel/script.lua", random.OneIn(4) ? levelScript : random.Mutate(levelScript));
        WriteFile("fuzzlevel/objects.lua", random.OneIn(4) ? levelObjects : random.Mutate(levelObjects));
        RunScriptString("LoadLevel('fuzzlevel', 0) SetMenuState('game')", ScriptErrors::Silent);
        for (int frame = 0; frame < 3; ++frame) RunFrame();

        // Settings: mutated, read as at start-up, the bindings taken from them,
        // saved again; what was saved must read back.
        WriteFile("settings.lua", random.OneIn(5) ? random.Bytes(200) : random.Mutate(settings));
        RunScriptFile("settings.lua", ScriptErrors::StdErr);
        controls->InitBindings();
        CallScriptFunction("SaveSettings", {}, 0, ScriptErrors::StdErr);
        EXPECT_TRUE(RunScriptFile("settings.lua", ScriptErrors::StdErr)) << ReadFile("settings.lua");
    }
    // Good settings again for whatever runs next.
    WriteFile("settings.lua", settings);
    RunScriptFile("settings.lua", ScriptErrors::StdErr);
    RunScriptString("SetMenuState('mainmenu')", ScriptErrors::Silent);
    RunFrame();
}
