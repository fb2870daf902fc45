// The level scripts: levels.lua and population.lua build every level against
// a stand-in engine that records where the blocks and enemies go.
#include "TestSupport.h"
#include "util/FileText.h"

#include <lua.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

int printDirectory(lua_State* L)
{
    const char* dir = luaL_checkstring(L, 1);
    std::string listing;
    std::error_code error;
    for (const auto& e : fs::directory_iterator(dir, error))
        listing += e.path().filename().string() + "\n";
    lua_pushstring(L, listing.c_str());
    return 1;
}

const char* kLevelEngine = R"lua(
local tx, ty, ta = 0, 0, 0
function GetCreationTransform() return tx, ty, ta end
function SetCreationTransform(x, y, a) tx, ty, ta = x, y, a end
function TransformPoint(px, py, x, y, a)
  local c, s = math.cos(a), math.sin(a)
  return px * c - py * s + x, px * s + py * c + y
end
function AddModule() end
function ModuleDirectories() return { "mods" } end
function LevelNumber(name) return tonumber(string.match(name, "(%d+)$")) end
local function corners(x, y, a, w, h)
  local out = {}
  for _, k in ipairs({ { -1, -1 }, { 1, -1 }, { 1, 1 }, { -1, 1 } }) do
    local px, py = TransformPoint(k[1] * w / 2, k[2] * h / 2, x, y, a)
    out[#out + 1] = { px, py }
  end
  return out
end
function _IntersectOBB(x1, y1, a1, w1, h1, x2, y2, a2, w2, h2)
  local A, B = corners(x1, y1, a1, w1, h1), corners(x2, y2, a2, w2, h2)
  for _, axis in ipairs({ a1, a1 + math.pi / 2, a2, a2 + math.pi / 2 }) do
    local ax, ay = math.cos(axis), math.sin(axis)
    local function span(P)
      local lo, hi = math.huge, -math.huge
      for _, p in ipairs(P) do
        local d = p[1] * ax + p[2] * ay
        lo, hi = math.min(lo, d), math.max(hi, d)
      end
      return lo, hi
    end
    local l1, h1 = span(A)
    local l2, h2 = span(B)
    if h1 <= l2 or h2 <= l1 then return 0 end
  end
  return 1
end
made, blocks = {}, {}
function CreateBlock(x, y)
  local wx, wy = TransformPoint(x, y, tx, ty, ta)
  blocks[#blocks + 1] = { wx, wy }
end
local function enemy(kind)
  return function(x, y, extra, count)
    local wx, wy = TransformPoint(x, y, tx, ty, ta)
    made[#made + 1] = { kind = kind, x = wx, y = wy, extra = extra, count = count }
    return {}
  end
end
CreateZombie, CreateBigZombie = enemy("zombie"), enemy("big_zombie")
CreateSoldier, CreateRedSoldier = enemy("soldier"), enemy("red_soldier")
CreateGreySoldier, CreateBigSoldier = enemy("grey_soldier"), enemy("big_soldier")
CreateMSkeleton, CreateRedRobot = enemy("skeleton"), enemy("red_robot")
CreateTurret, CreateSnake, CreateZSpawner = enemy("turret"), enemy("snake"), enemy("spawner")
-- everything else a module builds is of no interest here
setmetatable(_G, { __index = function(_, key)
  if type(key) == "string" and string.match(key, "^Create") then return function() end end
end })

-- The module of the plan whose floor, 1 unit in from its footprint, holds
-- (x, y); how far the point is from the nearest block's edge, and from the
-- nearest joint between modules (a doorway).
function Site(plan, x, y)
  local inside
  for _, placed in ipairs(plan.modules) do
    local f = placed.footprint
    local c, s = math.cos(f.a), math.sin(f.a)
    local dx, dy = x - f.x, y - f.y
    local lx, ly = dx * c + dy * s, -dx * s + dy * c
    if math.abs(lx) <= f.w / 2 - 1 and math.abs(ly) <= f.h / 2 - 1 then inside = placed end
  end
  local nearest = math.huge
  for _, b in ipairs(blocks) do
    local d = math.max(math.abs(x - b[1]), math.abs(y - b[2])) - 1
    nearest = math.min(nearest, d)
  end
  local doorway = math.huge
  for _, placed in ipairs(plan.modules) do
    for _, joint in ipairs(modlist[placed.name]) do
      local jx, jy = TransformPoint(joint.x, joint.y, placed.x, placed.y, placed.a)
      doorway = math.min(doorway, math.sqrt((x - jx) ^ 2 + (y - jy) ^ 2))
    end
  end
  return inside and inside.name or "", inside ~= nil and inside == plan.gate, nearest, doorway
end
)lua";

struct Enemy {
    std::string kind, extra, module;
    double x, y, blockGap, doorway;
    bool inGate;
    bool operator==(const Enemy& o) const
    {
        return std::tie(kind, extra, x, y) == std::tie(o.kind, o.extra, o.x, o.y);
    }
};

class LevelScripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("korvanmire_levels_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(testing_support::SourceDir() / "data" / "mods", dir_ / "mods");
        fs::copy(testing_support::SourceDir() / "data" / "zones", dir_ / "zones");
        fs::copy_file(testing_support::SourceDir() / "data" / "population.lua", dir_ / "population.lua");
        L_ = luaL_newstate();
        luaL_openlibs(L_);
        lua_register(L_, "_PrintDirectory", printDirectory);
        ASSERT_EQ(luaL_dostring(L_, kLevelEngine), 0) << lua_tostring(L_, -1);
        const fs::path previous = fs::current_path();
        fs::current_path(dir_);
        const int status = luaL_dofile(L_, (testing_support::SourceDir() / "data" / "levels.lua").string().c_str());
        fs::current_path(previous);
        ASSERT_EQ(status, 0) << lua_tostring(L_, -1);
    }

    void TearDown() override
    {
        lua_close(L_);
        fs::remove_all(dir_);
    }

    void lua(const std::string& code)
    {
        ASSERT_EQ(luaL_dostring(L_, code.c_str()), 0) << lua_tostring(L_, -1) << "\n" << code;
    }

    // What the last build or PopulateLevel call made, placed in `plan`.
    std::vector<Enemy> enemies()
    {
        std::vector<Enemy> out;
        lua("sites = {} for i, e in ipairs(made) do "
            "local m, g, gap, doorway = Site(plan, e.x, e.y) "
            "sites[i] = { e.kind, tostring(e.extra) .. '/' .. tostring(e.count), e.x, e.y, m, g, gap, doorway } end");
        lua_getglobal(L_, "sites");
        const int n = int(lua_objlen(L_, -1));
        for (int i = 1; i <= n; ++i) {
            lua_rawgeti(L_, -1, i);
            std::string field[2];
            double number[3];
            for (int k = 0; k < 2; ++k) {
                lua_rawgeti(L_, -1, k + 1);
                field[k] = lua_tostring(L_, -1);
                lua_pop(L_, 1);
            }
            lua_rawgeti(L_, -1, 3);
            number[0] = lua_tonumber(L_, -1);
            lua_rawgeti(L_, -2, 4);
            number[1] = lua_tonumber(L_, -1);
            lua_rawgeti(L_, -3, 5);
            std::string module = lua_tostring(L_, -1);
            lua_rawgeti(L_, -4, 6);
            const bool inGate = lua_toboolean(L_, -1);
            lua_rawgeti(L_, -5, 7);
            number[2] = lua_tonumber(L_, -1);
            lua_rawgeti(L_, -6, 8);
            const double doorway = lua_tonumber(L_, -1);
            lua_pop(L_, 7);
            out.push_back({field[0], field[1], module, number[0], number[1], number[2], doorway, inGate});
        }
        lua_pop(L_, 1);
        return out;
    }

    // Builds data/level<n> as the game does.
    std::vector<Enemy> build(int n)
    {
        lua("made, blocks = {}, {}");
        const std::string script = (testing_support::SourceDir() / "data" / ("level" + std::to_string(n)) / "script.lua").string();
        lua("dofile('" + script + "') plan = BuildLevel(level)");
        return enemies();
    }

    fs::path dir_;
    lua_State* L_ = nullptr;
};

} // namespace

TEST_F(LevelScripts, EveryLevelGetsEnemiesOnFreeFloorAwayFromTheStart)
{
    const std::string weapons = ReadWholeFile((testing_support::SourceDir() / "data" / "relvad.lua").string()).value_or("");
    size_t previous = 0;
    std::set<std::string> kindsOfLevel1, kindsOfLevel10;
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        const auto first = build(n);
        ASSERT_FALSE(first.empty());
        EXPECT_GE(first.size(), previous) << "a deeper level has fewer enemies";
        previous = first.size();
        bool gateGuarded = false, hidden = false;
        std::set<std::string> inGate;
        for (const auto& e : first) {
            SCOPED_TRACE(e.kind + " at " + std::to_string(e.x) + ", " + std::to_string(e.y));
            EXPECT_GE(std::hypot(e.x, e.y), 8.0) << "too near the player's arrival";
            EXPECT_NE(e.module, "") << "not on a module's floor";
            EXPECT_EQ(e.module.find("start_"), std::string::npos) << "in the start room";
            EXPECT_GE(e.blockGap, 0.5) << "in or against a wall block";
            if (e.kind == "turret" || e.kind == "spawner") {
                // It never moves (a turret's wreck neither): not in the way through a door.
                EXPECT_GE(e.doorway, 4.0) << "just inside a doorway";
            }
            gateGuarded = gateGuarded || e.inGate;
            if (e.inGate) inGate.insert(e.kind);
            if (e.kind == "snake") {
                EXPECT_EQ(e.module.find("corridor_"), std::string::npos) << "a snake needs a room's floor";
                EXPECT_EQ(e.module.find("junction_"), std::string::npos) << "a snake needs a room's floor";
            }
            if (e.kind == "zombie") hidden = hidden || e.extra[0] == '1';
            if (e.kind.find("soldier") != std::string::npos && e.kind != "big_soldier") {
                const std::string gun = e.extra.substr(0, e.extra.find('/'));
                EXPECT_NE(weapons.find("weapon(\"" + gun + "\""), std::string::npos) << "no such gun: " << gun;
            }
            (n == 1 ? kindsOfLevel1 : kindsOfLevel10).insert(e.kind);
        }
        if (n >= 3) {
            EXPECT_TRUE(gateGuarded) << "the gate room has no guard";
        }
        if (n == 1) {
            EXPECT_TRUE(hidden) << "no hidden zombie";
        }
        if (n == 10) {
            for (const char* kind : {"big_soldier", "red_robot", "turret", "snake"})
                EXPECT_EQ(inGate.count(kind), 1u) << "the finale's arena has no " << kind;
            EXPECT_EQ(inGate.size(), 4u) << "the arena holds its garrison only";
        }
        EXPECT_EQ(build(n), first) << "the same level is populated differently";
    }
    EXPECT_EQ(kindsOfLevel1, std::set<std::string>{"zombie"});
    for (const char* kind : {"soldier", "red_soldier", "grey_soldier", "big_zombie", "big_soldier", "skeleton",
                             "red_robot", "turret", "spawner"})
        EXPECT_TRUE(kindsOfLevel10.count(kind)) << kind << " missing on the last level";
}

TEST_F(LevelScripts, TheSeedDecidesThePlacement)
{
    build(5);
    lua("made = {} PopulateLevel(plan, 5, 100)");
    const auto a = enemies();
    lua("made = {} PopulateLevel(plan, 5, 100)");
    EXPECT_EQ(enemies(), a);
    lua("made = {} PopulateLevel(plan, 5, 101)");
    EXPECT_NE(enemies(), a);
    lua("made = {} PopulateLevel(plan, 9, 100)");
    EXPECT_GT(enemies().size(), a.size());
    // the creation transform is left as it was
    lua("SetCreationTransform(3, 4, 0.5) made = {} PopulateLevel(plan, 5, 100) "
        "local x, y, a = GetCreationTransform() assert(x == 3 and y == 4 and a == 0.5)");
}
