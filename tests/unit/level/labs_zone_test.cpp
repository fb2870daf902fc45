// The laboratories' trigger scripts (data/zones/labs.lua) against a stand-in
// engine that records what they build: each finds its own copy of its room in
// the level's plan, builds in that room's coordinates, goes off once, and
// leaves the creation transform as it found it.
#include "TestSupport.h"

#include <lua.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

const char* kStandIns = R"lua(
local tx, ty, ta = 0, 0, 0
function GetCreationTransform() return tx, ty, ta end
function SetCreationTransform(x, y, a) tx, ty, ta = x, y, a end
function TransformPoint(px, py, x, y, a)
  local c, s = math.cos(a), math.sin(a)
  return px * c - py * s + x, px * s + py * c + y
end
made = {}
local function record(kind)
  return function(x, y, ...)
    local wx, wy = TransformPoint(x, y, tx, ty, ta)
    if kind == "text" then wx, wy = x, y end
    made[#made + 1] = { kind = kind, x = wx, y = wy, args = { ... } }
    return { kind = kind }
  end
end
CreateDoor, CreateObject, CreateZombie = record("door"), record("object"), record("zombie")
CreateZSpawner, CreateContainer, CreateTextObj = record("spawner"), record("container"), record("text")
added = {}
container = { AddItem = function(crate, item) added[#added + 1] = item end }
stocked = 0
function StockCrate() stocked = stocked + 1 end
function LevelNumber(name) return tonumber(string.match(name, "(%d+)$")) end
currentLevel = "level5"
playerX, playerY = 0, 0
player = { GetPlayer = function() return "the player" end }
object = { GetXForm = function() return playerX, playerY, 0 end }
zones, scripttable = {}, {}
function Count(kind)
  local n = 0
  for _, m in ipairs(made) do if m.kind == kind then n = n + 1 end end
  return n
end
function Find(kind)
  for _, m in ipairs(made) do if m.kind == kind then return m end end
end
)lua";

class LabsZone : public ::testing::Test {
protected:
    void SetUp() override
    {
        L_ = luaL_newstate();
        luaL_openlibs(L_);
        ASSERT_EQ(luaL_dostring(L_, kStandIns), 0) << lua_tostring(L_, -1);
        const std::string zone = (testing_support::SourceDir() / "data" / "zones" / "labs.lua").string();
        ASSERT_EQ(luaL_dofile(L_, zone.c_str()), 0) << lua_tostring(L_, -1);
    }
    void TearDown() override { lua_close(L_); }

    void Run(const std::string& code) { ASSERT_EQ(luaL_dostring(L_, code.c_str()), 0) << lua_tostring(L_, -1); }
    double Number(const std::string& expression)
    {
        Run("result = " + expression);
        lua_getglobal(L_, "result");
        const double value = lua_tonumber(L_, -1);
        lua_pop(L_, 1);
        return value;
    }

    lua_State* L_ = nullptr;
};

TEST_F(LabsZone, TheZoneHasItsLook)
{
    EXPECT_EQ(Number("zones.labs.wall"), 8);
    EXPECT_EQ(Number("zones.labs.door"), 2);
    EXPECT_NEAR(Number("zones.labs.tint[1]"), 0.80, 1e-9);
    EXPECT_NEAR(Number("zones.labs.tint[2]"), 0.92, 1e-9);
    EXPECT_NEAR(Number("zones.labs.tint[3]"), 1.0, 1e-9);
}

TEST_F(LabsZone, TheAmbushShutsTheFrameBehindThePlayerInHisOwnCopyOfTheHallOnce)
{
    // Two tank halls; the second is turned a half turn and the player
    // stands at its west trigger (room point -5.8, 0).
    Run("levelPlan = { modules = { { name = 'labs_tank_hall', x = 0, y = 0, a = 0 },"
        "                          { name = 'labs_tank_hall', x = 100, y = 50, a = math.pi } } }"
        "playerX, playerY = TransformPoint(-5.8, 0, 100, 50, math.pi)"
        "SetCreationTransform(7, 8, 0.5)");
    Run("scripttable.labs_ambush_w() scripttable.labs_ambush_w() scripttable.labs_ambush_e()");
    EXPECT_EQ(Number("Count('door')"), 1) << "once per hall";
    // The west frame (-8, 0) of the turned hall.
    EXPECT_NEAR(Number("Find('door').x"), 108, 1e-6);
    EXPECT_NEAR(Number("Find('door').y"), 50, 1e-6);
    EXPECT_EQ(Number("Find('door').args[2]"), 2) << "the zone's door kind";
    EXPECT_EQ(Number("Count('object')"), 6) << "every tank bursts";
    EXPECT_GE(Number("Count('zombie')"), 3);
    EXPECT_EQ(Number("Count('text')"), 1);
    EXPECT_EQ(Number("select(1, GetCreationTransform())"), 7);
    EXPECT_EQ(Number("select(3, GetCreationTransform())"), 0.5);

    // The other hall still has its ambush.
    Run("playerX, playerY = 5.8, 0 scripttable.labs_ambush_e()");
    EXPECT_EQ(Number("Count('door')"), 2);
    // Its sign, centred on the floor at (2, -4): "!" is 2.5 units wide and 50/12 high.
    EXPECT_EQ(Number("Count('text')"), 2);
    EXPECT_NEAR(Number("made[#made].x"), 0.75, 1e-6);
    EXPECT_NEAR(Number("made[#made].y"), -4 - 25.0 / 12, 1e-6);
}

TEST_F(LabsZone, TheThawSwitchHandsOutALockerAndWakesThePodsOnce)
{
    Run("levelPlan = { modules = { { name = 'labs_cold_store', x = 10, y = -20, a = math.pi / 2 } } }");
    Run("scripttable.labs_thaw() scripttable.labs_thaw()");
    EXPECT_EQ(Number("Count('spawner')"), 1);
    EXPECT_EQ(Number("Count('container')"), 1);
    EXPECT_EQ(Number("stocked"), 1);
    EXPECT_EQ(Number("#added"), 1);
    // The spawner at the pods, room point (-3.8, 3.5), turned with the room.
    EXPECT_NEAR(Number("Find('spawner').x"), 10 - 3.5, 1e-6);
    EXPECT_NEAR(Number("Find('spawner').y"), -20 - 3.8, 1e-6);
    EXPECT_EQ(Number("Find('spawner').args[2]"), 3) << "level 5 wakes three";
}

TEST_F(LabsZone, ScriptsWithoutTheirRoomInThePlanDoNothing)
{
    Run("levelPlan = nil scripttable.labs_thaw() scripttable.labs_ambush_w()");
    Run("levelPlan = { modules = { { name = 'labs_benches', x = 0, y = 0, a = 0 } } }"
        "scripttable.labs_thaw() scripttable.labs_ambush_e()");
    Run("levelPlan = { modules = 'broken' } scripttable.labs_thaw()");
    EXPECT_EQ(Number("#made"), 0);
}

} // namespace
