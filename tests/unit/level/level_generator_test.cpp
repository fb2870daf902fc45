// The module files, PlaceModule and the level generator of levels.lua, with
// the piece creators replaced by recorders so every placed piece can be checked.
#include "level_test_support.h"
#include <cmath>
#include <set>

namespace {

// Records every piece in level coordinates, tagged with the module being placed.
const char* kRecorders = R"(
built = {}
tag = "none"
local function rec(kind, x, y, a, extra)
  local tx, ty, ta = GetCreationTransform()
  local wx, wy = TransformPoint(x, y, tx, ty, ta)
  built[#built + 1] = { kind = kind, x = wx, y = wy, a = (a or 0) + ta, extra = extra, tag = tag }
  return {}
end
function CreateBlock(x, y, a, v, t) return rec("block", x, y, a, t) end
function CreateNode(x, y, a, k) return rec("node", x, y, a, k) end
function CreateDoor(x, y, a) return rec("door", x, y, a) end
function CreateContainer(x, y, a, kind) return rec("crate", x, y, a, kind) end
function CreateObject(x, y, a, name) return rec("object", x, y, a, name) end
function CreateMapMarker(x, y) return rec("marker", x, y, 0) end
function CreateTrigger(x, y, r, name) return rec("trigger", x, y, 0, name) end
function CreateBitmap(x, y, a) return rec("bitmap", x, y, a) end
local place = PlaceModule
local placed = 0
function PlaceModule(x, y, a, name)
  placed = placed + 1
  tag = placed
  local ok = place(x, y, a, name)
  tag = "joint"
  return ok
end
function Built(kind)
  local list = {}
  for _, b in ipairs(built) do if b.kind == kind then list[#list + 1] = b end end
  return list
end
function Layout(plan)
  local parts = {}
  for _, m in ipairs(plan.modules) do
    parts[#parts + 1] = string.format("%s@%.3f,%.3f,%.3f", m.name, m.x, m.y, m.a)
  end
  return table.concat(parts, ";")
end
)";

class LevelGenerator : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        CopyLevelScripts();
    }

    void LoadGenerator()
    {
        ASSERT_EQ(Run("dofile('levels.lua')"), "");
        ASSERT_EQ(Run(kRecorders), "");
    }

    // Builds a level with the recorders; the number of pieces built.
    int Build(int seed, int size)
    {
        const std::string code = "built = {}; plan = PlanLevel{seed = " + std::to_string(seed) +
                                 ", size = " + std::to_string(size) + "}; BuildPlan(plan)";
        const std::string error = Run(code);
        EXPECT_EQ(error, "") << "seed " << seed;
        return int(Number("#built"));
    }
};

TEST_F(LevelGenerator, ModuleFilesLoadIntoModlistAndTheModuleList)
{
    LoadGenerator();
    ASSERT_GE(game->moduleNames.size(), 12u);
    EXPECT_TRUE(std::is_sorted(game->moduleNames.begin(), game->moduleNames.end()));
    EXPECT_EQ(console.Text().find("broken"), std::string::npos) << console.Text();
    int rooms = 0, passages = 0, starts = 0, gates = 0;
    for (const std::string& name : game->moduleNames) {
        const std::string m = "modlist." + name;
        const double w = Number(m + ".w"), h = Number(m + ".h");
        EXPECT_LT(w, 0) << name << ": the width is written negated";
        EXPECT_LT(h, 0) << name;
        const int connections = int(Number("#" + m));
        EXPECT_GE(connections, 1) << name;
        // Connection points lie on the module's rectangle, which is centred on the origin.
        for (int i = 1; i <= connections; ++i) {
            const std::string c = m + "[" + std::to_string(i) + "]";
            EXPECT_LE(std::fabs(Number(c + ".x")), -w / 2 + 1e-6) << c;
            EXPECT_LE(std::fabs(Number(c + ".y")), -h / 2 + 1e-6) << c;
        }
        if (name.rfind("start_", 0) == 0) ++starts;
        else if (name.rfind("gate_", 0) == 0) ++gates;
        else if (name.rfind("corridor_", 0) == 0 || name.rfind("junction_", 0) == 0) ++passages;
        else ++rooms;
    }
    EXPECT_GE(starts, 1);
    EXPECT_GE(gates, 1);
    EXPECT_GE(rooms, 4);
    EXPECT_GE(passages, 4);
    EXPECT_EQ(Number("#modlist.gate_chamber"), 1) << "the gate room is a dead end";
}

TEST_F(LevelGenerator, BrokenModuleFilesAreReportedAndLeftOut)
{
    fixture.scratch.Write("mods/aaa_syntax.lua", "modlist.aaa_syntax={\n");
    fixture.scratch.Write("mods/aab_runtime.lua", "modlist.aab_runtime={} error('module exploded')\n");
    fixture.scratch.Write("mods/aac_nothing.lua", "x = 1\n");
    fixture.scratch.Write("mods/aad_nofunc.lua", "modlist.aad_nofunc={} modlist.aad_nofunc.w=-2 modlist.aad_nofunc.h=-2\n");
    fixture.scratch.Write("mods/not a module.txt", "whatever");
    LoadGenerator();
    for (const char* name : {"aaa_syntax", "aab_runtime", "aac_nothing", "aad_nofunc"}) {
        EXPECT_NE(console.Text().find(std::string("mods/") + name + ".lua"), std::string::npos)
            << name << "\n" << console.Text();
        EXPECT_EQ(std::count(game->moduleNames.begin(), game->moduleNames.end(), name), 0) << name;
        EXPECT_EQ(String(std::string("tostring(modlist.") + name + ")"), "nil");
    }
    EXPECT_GE(game->moduleNames.size(), 12u) << "the good modules still load";
    EXPECT_NE(String("tostring(PlanLevel{seed = 5, size = 6})"), "nil");
}

// A broken level description or module file (a hand edit, a bad byte) is
// reported and bounded: the generator never runs on for good.
TEST_F(LevelGenerator, BadLevelDescriptionsAndHugeModulesAreReportedAndBounded)
{
    fixture.scratch.Write("mods/room_vast.lua",
                          "modlist.room_vast={{x=0,y=0,a=0}} modlist.room_vast.w=-1e300 modlist.room_vast.h=-4\n"
                          "modlist.room_vast.CreateObjects=function() end\n");
    LoadCampaign();
    EXPECT_NE(console.Text().find("mods/room_vast.lua: modlist.room_vast has a size beyond"), std::string::npos)
        << console.Text();
    EXPECT_EQ(String("tostring(modlist.room_vast)"), "nil");
    ASSERT_EQ(Run(kRecorders), "");
    ASSERT_EQ(Run("container.AddItem = function() end"), "");  // the recorded crates take no loot

    struct Case {
        const char* level;
        const char* report;  // what the console must say, "" for nothing
    };
    const Case cases[] = {
        {"{name = 'level4294967296', seed = 9028, size = 4}", ""},
        {"{name = 'huge', seed = 5, size = 1e308}", "level huge: size 1e+308 is not a whole number from 1 to 40, using 40"},
        {"{name = 'inf', seed = 5, size = 1/0}", "size inf is not a whole number"},
        {"{name = 'nan', seed = 5, size = 0/0}", "using 6"},
        {"{name = 'neg', seed = 5, size = -5}", "size -5 is not a whole number from 1 to 40, using 1"},
        {"{name = 'text', seed = 5, size = 'many'}", "size many is not"},
        {"{name = 'seed', seed = 1/0, size = 3}", "level seed: seed inf is not a number up to 2147483647, using 1"},
        {"{name = 'seed2', seed = 'x', size = 3}", "seed x is not a number"},
    };
    for (const Case& c : cases) {
        console = TConsole();
        ASSERT_EQ(Run(std::string("built = {}; plan = BuildLevel(") + c.level + ")"), "") << c.level;
        EXPECT_NE(String("tostring(plan)"), "nil") << c.level << "\n" << console.Text();
        EXPECT_LE(Number("#plan.modules"), 42) << c.level;
        if (*c.report) EXPECT_NE(console.Text().find(c.report), std::string::npos) << c.level << "\n" << console.Text();
        else EXPECT_EQ(console.Text().find("level "), std::string::npos) << c.level << "\n" << console.Text();
    }
    // A level numbered past the last one gets the deepest level's enemies and loot.
    EXPECT_EQ(Number("LevelNumber('level4294967296')"), 10);
    EXPECT_EQ(Number("LevelNumber(0/0)"), 1);
    EXPECT_EQ(Number("LevelPopulation(1e300).zombie"), Number("LevelPopulation(10).zombie"));

    for (const char* nothing : {"nil", "'level1'"}) {
        console = TConsole();
        ASSERT_EQ(Run(std::string("plan = BuildLevel(") + nothing + ")"), "");
        EXPECT_EQ(String("tostring(plan)"), "nil");
        EXPECT_NE(console.Text().find("no description"), std::string::npos) << console.Text();
    }
}

TEST_F(LevelGenerator, PlaceModuleMovesAndTurnsTheModuleAndRestoresTheTransform)
{
    LoadGenerator();
    ASSERT_EQ(Run("SetCreationTransform(3, 4, 0.5)"), "");
    ASSERT_EQ(Run("built = {}; PlaceModule(10, 20, math.pi / 2, 'corridor_short')"), "");
    // Each node lands where TransformPoint puts the module's connection point.
    const int nodes = int(Number("#Built('node')"));
    ASSERT_EQ(nodes, int(Number("#modlist.corridor_short")));
    for (int i = 1; i <= nodes; ++i) {
        const std::string c = "modlist.corridor_short[" + std::to_string(i) + "]";
        ASSERT_EQ(Run("ex, ey = TransformPoint(" + c + ".x, " + c + ".y, 10, 20, math.pi / 2)"), "");
        const std::string n = "Built('node')[" + std::to_string(i) + "]";
        EXPECT_NEAR(Number(n + ".x"), Number("ex"), 1e-6);
        EXPECT_NEAR(Number(n + ".y"), Number("ey"), 1e-6);
        EXPECT_NEAR(Number(n + ".a"), Number(c + ".a") + M_PI / 2, 1e-6);
    }
    ASSERT_EQ(Run("tx, ty, ta = GetCreationTransform()"), "");
    EXPECT_NEAR(Number("tx"), 3, 1e-6);
    EXPECT_NEAR(Number("ty"), 4, 1e-6);
    EXPECT_NEAR(Number("ta"), 0.5, 1e-6);

    // A module that fails half way is reported and the transform still comes back.
    ASSERT_EQ(Run("modlist.bad = {w = -2, h = -2, CreateObjects = function() error('half built') end}"), "");
    EXPECT_EQ(String("tostring(PlaceModule(1, 1, 1, 'bad'))"), "false");
    EXPECT_EQ(String("tostring(PlaceModule(1, 1, 1, 'missing'))"), "false");
    EXPECT_NE(console.Text().find("half built"), std::string::npos) << console.Text();
    EXPECT_NEAR(Number("select(3, GetCreationTransform())"), 0.5, 1e-6);
}

TEST_F(LevelGenerator, TheSameSeedGivesTheSameLevel)
{
    LoadGenerator();
    const std::string first = String("Layout(PlanLevel{seed = 1234, size = 10})");
    const std::string again = String("Layout(PlanLevel{seed = 1234, size = 10})");
    const std::string other = String("Layout(PlanLevel{seed = 4321, size = 10})");
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    EXPECT_EQ(first.rfind("start_bay@0.000,0.000,0.000", 0), 0u) << first;
    // Bigger levels have more modules.
    EXPECT_LT(Number("#PlanLevel{seed = 99, size = 3}.modules"), Number("#PlanLevel{seed = 99, size = 14}.modules"));
}

TEST_F(LevelGenerator, PlacedModulesNeverOverlapAndEveryConnectionIsUsedOrCapped)
{
    LoadGenerator();
    for (int seed = 1; seed <= 25; ++seed) {
        const int size = 4 + seed % 12;
        Build(seed * 977, size);
        ASSERT_NE(String("tostring(plan)"), "nil") << "seed " << seed;

        // Wall blocks of different modules never share ground.
        const int blocks = int(Number("#built"));
        struct Block { double x, y; std::string tag; };
        std::vector<Block> walls;
        for (int i = 1; i <= blocks; ++i) {
            const std::string b = "built[" + std::to_string(i) + "]";
            if (String(b + ".kind") != "block" || Number(b + ".extra") != 0) continue;
            walls.push_back({Number(b + ".x"), Number(b + ".y"), String("tostring(" + b + ".tag)")});
        }
        for (size_t i = 0; i < walls.size(); ++i)
            for (size_t j = i + 1; j < walls.size(); ++j)
                if (walls[i].tag != walls[j].tag) {
                    ASSERT_FALSE(std::fabs(walls[i].x - walls[j].x) < 1.8 && std::fabs(walls[i].y - walls[j].y) < 1.8)
                        << "seed " << seed << ": walls of " << walls[i].tag << " and " << walls[j].tag << " at ("
                        << walls[i].x << ", " << walls[i].y << ")";
                }

        // Every connection node meets a node of a neighbour facing it, or its
        // gap is walled up.
        const int nodes = int(Number("#Built('node')"));
        for (int i = 1; i <= nodes; ++i) {
            const std::string n = "Built('node')[" + std::to_string(i) + "]";
            const double x = Number(n + ".x"), y = Number(n + ".y"), a = Number(n + ".a");
            bool met = false;
            for (int j = 1; j <= nodes && !met; ++j) {
                if (j == i) continue;
                const std::string m = "Built('node')[" + std::to_string(j) + "]";
                const double turn = std::remainder(Number(m + ".a") - a - M_PI, 2 * M_PI);
                met = std::fabs(Number(m + ".x") - x) < 1e-3 && std::fabs(Number(m + ".y") - y) < 1e-3 &&
                      std::fabs(turn) < 1e-3;
            }
            bool capped = false;
            const double gx = x - std::cos(a), gy = y - std::sin(a);
            for (const Block& wall : walls)
                if (wall.tag == "joint" && std::fabs(wall.x - gx) < 1e-3 && std::fabs(wall.y - gy) < 1e-3) capped = true;
            ASSERT_TRUE(met != capped) << "seed " << seed << ": node at (" << x << ", " << y << ") is "
                                       << (met ? "both joined and capped" : "left open");
        }

        // One teleporter gate per level.
        int gates = 0;
        for (int i = 1; i <= int(Number("#Built('trigger')")); ++i)
            if (String("Built('trigger')[" + std::to_string(i) + "].extra") == "gate") ++gates;
        EXPECT_EQ(gates, 1) << "seed " << seed;
    }
}

TEST_F(LevelGenerator, TheLevelsAreListedInOrderAndTheirGatesLeadOn)
{
    LoadGenerator();
    ASSERT_EQ(Number("#levels"), 10);
    EXPECT_EQ(String("levels[1]"), "level1");
    EXPECT_EQ(String("NextLevel('level3')"), "level4");
    EXPECT_EQ(String("tostring(NextLevel('level10'))"), "nil") << "the last gate leads out";

    game->levelEndCountdown = -1;
    ASSERT_EQ(Run("currentLevel = 'level3'; scripttable.gate()"), "");
    EXPECT_EQ(game->nextLevelName, "level4");
    EXPECT_EQ(game->levelEndCountdown, 57);
    EXPECT_FALSE(game->campaignEnding);

    // The tenth gate counts down to the win page instead.
    game->levelEndCountdown = -1;
    ASSERT_EQ(Run("currentLevel = 'level10'; scripttable.gate()"), "");
    EXPECT_EQ(game->levelEndCountdown, 57);
    EXPECT_TRUE(game->campaignEnding);
    for (int frame = 0; frame < 57; ++frame) game->Update();
    EXPECT_EQ(game->currentStateName, "win");
    EXPECT_FALSE(game->campaignEnding);
    game->levelEndCountdown = -1;

    // Every level directory builds through the generator, growing as the game goes on.
    namespace fs = std::filesystem;
    double previous = 0;
    for (int n = 1; n <= 10; ++n) {
        const std::string dir = "level" + std::to_string(n);
        fs::create_directories(fixture.scratch.path() / dir);
        for (const char* file : {"script.lua", "objects.lua"})
            fs::copy_file(SourceData() / dir / file, fixture.scratch.path() / dir / file);
        console = TConsole();
        ASSERT_EQ(Run("built = {}; LoadLevel('" + dir + "', 0)"), "");
        ASSERT_EQ(Run(kRecorders), "");  // loading cleared nothing of the script state
        EXPECT_EQ(String("currentLevel"), dir) << console.Text();
        EXPECT_EQ(console.Text().find("cannot be built"), std::string::npos) << console.Text();
        const double size = Number("level.size");
        EXPECT_GT(size, previous) << dir;
        previous = size;
    }
}

} // namespace
