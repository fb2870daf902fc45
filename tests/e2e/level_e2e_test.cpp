// A generated level in the real game: built from the modules, counted through
// the script API, saved with SaveLevel, rebuilt from the saved file.
#include "GameRun.h"
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

// Wraps every piece and enemy creator so the scripts count what they make, by creator
// and collision type, and can write the counts to a file.
const char* kCounting = R"(
counts = {}
for _, name in ipairs{ "CreateBlock", "CreateDoor", "CreateNode", "CreateContainer", "CreateTrigger",
                       "CreateMapMarker", "CreateObject", "CreateBitmap",
                       "CreateZombie", "CreateSoldier", "CreateRedSoldier", "CreateGreySoldier",
                       "CreateBigZombie", "CreateBigSoldier", "CreateMSkeleton", "CreateRedRobot",
                       "CreateTurret", "CreateSnake", "CreateZSpawner" } do
  local create = _G[name]
  _G[name] = function(...)
    local made = create(...)
    local kind = type(made) == "userdata" and object.GetCollisionType(made) or "none"
    if name == "CreateBitmap" then kind = type(made) end
    local key = name .. ":" .. tostring(kind)
    counts[key] = (counts[key] or 0) + 1
    return made
  end
end
function WriteCounts(path)
  local keys = {}
  for k in pairs(counts) do keys[#keys + 1] = k end
  table.sort(keys)
  local f = io.open(path, "w")
  for _, k in ipairs(keys) do f:write(k, " ", counts[k], "\n") end
  f:close()
  counts = {}
end
)";

std::map<std::string, int> ReadCounts(const std::string& text)
{
    std::map<std::string, int> counts;
    std::istringstream in(text);
    std::string key;
    int count = 0;
    while (in >> key >> count) counts[key] = count;
    return counts;
}

int LinesStartingWith(const std::string& text, const std::string& prefix)
{
    int lines = 0;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) ++lines;
    return lines;
}

TEST(Levels, GeneratedLevelSavesAndRebuildsTheSameObjects)
{
    GameRun run;
    run.WriteData("counting.lua", kCounting);
    ASSERT_TRUE(run.Run("3 lua dofile('counting.lua')\n"
                        "5 lua LoadLevel('level2', 0); SetMenuState('editor')\n"
                        "8 lua WriteCounts('built.txt')\n"
                        "10 screenshot level.bmp\n"
                        "12 lua SaveLevel('level2')\n"
                        "14 lua ClearLevel(); dofile('level2/static.lua'); WriteCounts('rebuilt.txt')\n"
                        "16 lua SaveLevel('level2')\n"
                        "18 lua SaveLevel('no/such/dir')\n"
                        "20 lua ExitGame()\n"))
        << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    for (const char* problem : {"not found", "No sound named", "cannot create", "undefined item"})
        EXPECT_EQ(run.stderrText.find(problem), std::string::npos) << run.stderrText;

    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find("Loading:level2\n"), std::string::npos) << consoleText;
    EXPECT_EQ(consoleText.find("cannot be built"), std::string::npos) << consoleText;
    EXPECT_EQ(consoleText.find("module "), std::string::npos) << consoleText;
    EXPECT_NE(consoleText.find("Level not saved: \"no/such/dir\" is not a level directory's plain name"),
              std::string::npos)
        << consoleText;

    // What the generator built, by creator and collision type.
    const auto built = ReadCounts(run.ReadData("built.txt"));
    EXPECT_GE(built.count("CreateBlock:wall") ? built.at("CreateBlock:wall") : 0, 100) << run.ReadData("built.txt");
    EXPECT_GE(built.count("CreateNode:null") ? built.at("CreateNode:null") : 0, 6);
    EXPECT_GE(built.count("CreateTrigger:unknown") ? built.at("CreateTrigger:unknown") : 0, 1) << "the gate at least";
    EXPECT_GE(built.count("CreateBitmap:userdata") ? built.at("CreateBitmap:userdata") : 0, 20);
    EXPECT_GE(built.count("CreateDoor:door") ? built.at("CreateDoor:door") : 0, 1);
    EXPECT_GE(built.count("CreateMapMarker:null") ? built.at("CreateMapMarker:null") : 0, 2);

    // The saved level: one creation line per object and bitmap, and the same
    // objects again when it is run.
    const std::string saved = run.ReadData("level2/static.lua");
    int pieces = 0;
    for (const auto& [key, count] : built) pieces += count;
    EXPECT_EQ(LinesStartingWith(saved, "Create"), pieces) << "door leaves and text write nothing; all else one line";
    EXPECT_FALSE(run.HasData("level2/static.lua.tmp"));
    EXPECT_EQ(ReadCounts(run.ReadData("rebuilt.txt")), built) << run.ReadData("rebuilt.txt");

    // The level is there to see (the editor view shows it without shadows).
    Screenshot level(run.Dir() / "level.bmp");
    ASSERT_TRUE(level.Loaded());
    EXPECT_GT(level.BrightShare(0, 0, 640, 480, 40), 0.3);
}

TEST(Levels, NewGameFromTheMenuLoadsTheFirstLevel)
{
    GameRun run;
    ASSERT_TRUE(run.Run("10 press return 13\n"
                        "14 lua print('level=' .. tostring(currentLevel) .. '\\n')\n"
                        "16 lua ExitGame()\n"))
        << run.stderrText;
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    const std::string consoleText = run.ReadData("console.log");
    EXPECT_NE(consoleText.find("Loading:level1\n"), std::string::npos) << consoleText;
    EXPECT_NE(consoleText.find("level=level1"), std::string::npos) << consoleText;
    EXPECT_EQ(consoleText.find("no levels yet"), std::string::npos) << consoleText;
}

} // namespace
