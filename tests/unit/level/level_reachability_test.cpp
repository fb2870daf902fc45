// Every level of the campaign, built from its seed against the engine (no
// window): a body of the player's size gets from the arrival point to the
// teleporter gate. Doors open, breakable blocks break, pushable things move and
// enemies can be killed, so only fixed obstacles stand in the way. A level that
// fails names the room of its plan where the way is cut.
#include "enemies/Enemy.h"
#include "enemies/Turret.h"
#include "level_test_support.h"
#include "player/Player.h"
#include "world/Door.h"
#include "world/PuuSein.h"
#include "world/Trigger.h"
#include "world/UkseSein.h"
#include <box2d/box2d.h>
#include <deque>
#include <vector>

namespace {

constexpr float kCell = 0.25f;  // world units per grid cell

// The modules of the level's plan and the chain of modules from the start room
// to the gate room, through the joints the plan made.
const char* kPlanHelpers = R"(
function PlanModule(i)
  local m = levelPlan.modules[i]
  local f = m.footprint
  return m.name, f.x, f.y, f.a, f.w, f.h
end
function PlanPath()
  local index = {}
  for i, m in ipairs(levelPlan.modules) do index[m] = i end
  local from, queue = { [1] = 0 }, { 1 }
  local head = 1
  while queue[head] do
    local i = queue[head]
    head = head + 1
    for _, c in ipairs(levelPlan.modules[i].connections) do
      local j = c.peer and index[c.peer.owner]
      if j and not from[j] then from[j] = i; queue[#queue + 1] = j end
    end
  end
  local path, i = {}, index[levelPlan.gate]
  while i and i ~= 0 do table.insert(path, 1, i); i = from[i] end
  return table.concat(path, " ")
end
)";

// What a player cannot get through: bodies that neither move, open, break nor
// die; a turret dies, but its wreck stays where it stood.
bool Blocks(TGameObject* object)
{
    if (!object->body || object->dead || object->body->GetType() == b2_dynamicBody) return false;
    if (dynamic_cast<TTurret*>(object)) return true;
    return !dynamic_cast<TPlayer*>(object) && !dynamic_cast<TEnemy*>(object) && !dynamic_cast<TDoor*>(object) &&
           !dynamic_cast<TUkseSein*>(object) && !dynamic_cast<TPuuSein*>(object);
}

// The player's reach around his body's centre: the farthest point of any of its fixtures.
float PlayerExtent(const TPlayer& player)
{
    float extent = 0.0f;
    for (const b2Fixture* f = player.body->GetFixtureList(); f; f = f->GetNext()) {
        if (f->GetType() != b2Shape::e_circle) continue;
        const auto* circle = static_cast<const b2CircleShape*>(f->GetShape());
        extent = std::max(extent, circle->m_p.Length() + circle->m_radius);
    }
    return extent;
}

class Grid {
public:
    Grid(float x0, float y0, float x1, float y1)
        : x0(x0), y0(y0), width(int((x1 - x0) / kCell) + 1), height(int((y1 - y0) / kCell) + 1),
          blocked(size_t(width) * size_t(height), 0), reached(blocked.size(), 0)
    {
    }

    b2Vec2 Centre(int cx, int cy) const { return {x0 + (cx + 0.5f) * kCell, y0 + (cy + 0.5f) * kCell}; }
    int CellX(float x) const { return std::clamp(int((x - x0) / kCell), 0, width - 1); }
    int CellY(float y) const { return std::clamp(int((y - y0) / kCell), 0, height - 1); }
    size_t Index(int cx, int cy) const { return size_t(cy) * size_t(width) + size_t(cx); }

    // Marks every cell where a circle of the given radius would touch the fixture.
    void Block(const b2Fixture& fixture, float radius)
    {
        b2CircleShape probe;
        probe.m_radius = radius;
        const b2Transform& xf = fixture.GetBody()->GetTransform();
        for (int child = 0; child < fixture.GetShape()->GetChildCount(); ++child) {
            b2AABB box;
            fixture.GetShape()->ComputeAABB(&box, xf, child);
            for (int cy = CellY(box.lowerBound.y - radius); cy <= CellY(box.upperBound.y + radius); ++cy)
                for (int cx = CellX(box.lowerBound.x - radius); cx <= CellX(box.upperBound.x + radius); ++cx) {
                    if (blocked[Index(cx, cy)]) continue;
                    const b2Transform at(Centre(cx, cy), b2Rot(0.0f));
                    if (b2TestOverlap(&probe, 0, fixture.GetShape(), child, at, xf)) blocked[Index(cx, cy)] = 1;
                }
        }
    }

    // Walks from (x, y) to every free cell joined to it by free cells.
    void Flood(float x, float y)
    {
        std::deque<std::pair<int, int>> queue{{CellX(x), CellY(y)}};
        reached[Index(CellX(x), CellY(y))] = 1;
        while (!queue.empty()) {
            const auto [cx, cy] = queue.front();
            queue.pop_front();
            const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& step : steps) {
                const int nx = cx + step[0], ny = cy + step[1];
                if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
                const size_t i = Index(nx, ny);
                if (blocked[i] || reached[i]) continue;
                reached[i] = 1;
                queue.push_back({nx, ny});
            }
        }
    }

    // True when some reached cell's centre passes `test`.
    template <typename Test>
    bool AnyReached(Test test) const
    {
        for (int cy = 0; cy < height; ++cy)
            for (int cx = 0; cx < width; ++cx)
                if (reached[Index(cx, cy)] && test(Centre(cx, cy))) return true;
        return false;
    }

    bool IsBlocked(float x, float y) const { return blocked[Index(CellX(x), CellY(y))]; }

private:
    float x0, y0;
    int width, height;
    std::vector<uint8_t> blocked;
    std::vector<uint8_t> reached;
};

// Inside an oriented rectangle (centre, angle, full sizes)?
bool Inside(b2Vec2 p, float x, float y, float a, float w, float h)
{
    const float dx = p.x - x, dy = p.y - y;
    const float u = dx * std::cos(a) + dy * std::sin(a);
    const float v = -dx * std::sin(a) + dy * std::cos(a);
    return std::fabs(u) <= w / 2 && std::fabs(v) <= h / 2;
}

class LevelReachability : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        LoadCampaign();
        ASSERT_EQ(Run(kPlanHelpers), "");
    }

    // "" when the gate can be reached, else where the way is cut.
    std::string CheckLevel(const std::string& dir)
    {
        console = TConsole();
        const std::string error = Run("LoadLevel('" + dir + "', 0)");
        if (!error.empty()) return "does not load: " + error;
        return CheckBuiltLevel();
    }

    // The same for the level standing in the world now.
    std::string CheckBuiltLevel()
    {
        if (!game->player) return "has no player\n" + console.Text();
        const float radius = PlayerExtent(*game->player);
        const b2Vec2 start = game->player->body->GetPosition();

        const TTrigger* gate = nullptr;
        b2AABB bounds{{start.x - 1, start.y - 1}, {start.x + 1, start.y + 1}};
        for (TGameObject* object : world->objects) {
            if (auto* trigger = dynamic_cast<TTrigger*>(object); trigger && trigger->scriptName == "gate") gate = trigger;
            if (!object->body) continue;
            for (const b2Fixture* f = object->body->GetFixtureList(); f; f = f->GetNext())
                bounds.Combine(f->GetAABB(0));
        }
        if (!gate) return "has no gate";
        const b2Vec2 gateAt = gate->body->GetPosition();

        Grid grid(bounds.lowerBound.x - 2, bounds.lowerBound.y - 2, bounds.upperBound.x + 2, bounds.upperBound.y + 2);
        for (TGameObject* object : world->objects) {
            if (!Blocks(object)) continue;
            for (const b2Fixture* f = object->body->GetFixtureList(); f; f = f->GetNext())
                if (!f->IsSensor()) grid.Block(*f, radius);
        }
        if (grid.IsBlocked(start.x, start.y)) return "starts the player inside an obstacle";
        grid.Flood(start.x, start.y);
        const float reach = gate->radius;
        if (grid.AnyReached([&](b2Vec2 p) { return (p - gateAt).Length() < reach; })) return "";

        // Along the plan's chain of rooms from the start to the gate, the first
        // room the player never gets into is where the way is cut.
        std::string where;
        std::istringstream path(String("PlanPath()"));
        std::string previous = "the start";
        for (int i; path >> i;) {
            lua_State* L = luaState;
            lua_getglobal(L, "PlanModule");
            lua_pushinteger(L, i);
            lua_call(L, 1, 6);
            const std::string name = lua_tostring(L, -6);
            const float x = float(lua_tonumber(L, -5)), y = float(lua_tonumber(L, -4)), a = float(lua_tonumber(L, -3));
            const float w = float(lua_tonumber(L, -2)), h = float(lua_tonumber(L, -1));
            lua_pop(L, 6);
            if (!grid.AnyReached([&](b2Vec2 p) { return Inside(p, x, y, a, w, h); })) {
                return "is cut on the way into room " + std::to_string(i) + " (" + name + ") from " + previous;
            }
            previous = "room " + std::to_string(i) + " (" + name + ")";
        }
        return "is cut inside " + previous + ", before the gate";
    }
};

TEST_F(LevelReachability, EveryLevelsGateCanBeReachedFromItsArrivalPoint)
{
    for (int n = 1; n <= 10; ++n) {
        const std::string dir = "level" + std::to_string(n);
        const std::string problem = CheckLevel(dir);
        EXPECT_EQ(problem, "") << dir << " " << problem;
    }
}

// The generator itself, beyond the ten seeded levels: for every zone, at the
// sizes of the zone's levels in the campaign, 200 seeds each build a level
// whose modules do not overlap, whose gate the player can reach and whose
// start room holds the first level's pistol. The enemies are left out: they never stand in the way (see Blocks).
TEST_F(LevelReachability, EveryZoneBuildsReachableLevelsForAnySeed)
{
    ASSERT_EQ(Run("PopulateLevel = nil\n"
                  "sizesOfZone = {}\n"
                  "for _, dir in ipairs(levels) do\n"
                  "  level = nil; dofile(dir .. '/script.lua')\n"
                  "  local z = LevelZone(level)\n"
                  "  sizesOfZone[z] = sizesOfZone[z] or {}\n"
                  "  table.insert(sizesOfZone[z], level.size)\n"
                  "end\n"
                  "zoneNames = {}\n"
                  "for z in pairs(sizesOfZone) do zoneNames[#zoneNames + 1] = z end\n"
                  "table.sort(zoneNames)\n"
                  "function Overlapping(plan)\n"
                  "  for i = 1, #plan.modules do for j = i + 1, #plan.modules do\n"
                  "    local f, g = plan.modules[i].footprint, plan.modules[j].footprint\n"
                  "    if _IntersectOBB(f.x, f.y, f.a, f.w, f.h, g.x, g.y, g.a, g.w, g.h) == 1 then\n"
                  "      return plan.modules[i].name .. ' and ' .. plan.modules[j].name\n"
                  "    end\n"
                  "  end end\n"
                  "  return ''\n"
                  "end\n"
                  // Every one of these builds is a first level: its pistol goes
                  // into a crate of the start room, so a newcomer is armed
                  // before any zombie sees him.
                  "local addItem = container.AddItem\n"
                  "function container.AddItem(crate, name)\n"
                  "  if name == 'pistol' then pistolCrates[#pistolCrates + 1] = crate end\n"
                  "  return addItem(crate, name)\n"
                  "end\n"
                  "function PistolOutsideTheStartRoom(plan)\n"
                  "  if #pistolCrates == 0 then return 'no crate holds the pistol' end\n"
                  "  local f = plan.modules[1].footprint\n"
                  "  local x, y = object.GetXForm(pistolCrates[1])\n"
                  "  if _IntersectOBB(f.x, f.y, f.a, f.w, f.h, x, y, 0, 0.2, 0.2) == 1 then return '' end\n"
                  "  return string.format('the first pistol lies at %.1f, %.1f, outside %s', x, y, plan.modules[1].name)\n"
                  "end"),
              "");
    const int zoneCount = int(Number("#zoneNames"));
    ASSERT_GE(zoneCount, 4);
    int built = 0;
    for (int z = 1; z <= zoneCount; ++z) {
        const std::string zone = String("zoneNames[" + std::to_string(z) + "]");
        const int sizes = int(Number("#sizesOfZone['" + zone + "']"));
        for (int k = 1; k <= sizes; ++k) {
            const int size = int(Number("sizesOfZone['" + zone + "'][" + std::to_string(k) + "]"));
            for (int seed = 1; seed <= 200; ++seed) {
                const std::string replay = "zone " + zone + ", size " + std::to_string(size) + ", seed " +
                                           std::to_string(seed * 104729);
                console = TConsole();
                ASSERT_EQ(Run("ClearLevel() SetCreationTransform(0, 0, 0) pistolCrates = {} "
                              "built = BuildLevel { name = 'level1', zone = '" + zone + "', size = " +
                              std::to_string(size) + ", seed = " + std::to_string(seed * 104729) + " }"),
                          "")
                    << replay;
                ASSERT_EQ(Number("built and 1 or 0"), 1) << replay << " is refused:\n" << console.Text();
                ASSERT_EQ(Number("built.zone == '" + zone + "' and 1 or 0"), 1) << replay;
                ASSERT_EQ(String("Overlapping(built)"), "") << replay << ": modules overlap";
                ASSERT_EQ(CheckBuiltLevel(), "") << replay;
                ASSERT_EQ(String("PistolOutsideTheStartRoom(built)"), "") << replay;
                ++built;
            }
        }
    }
    EXPECT_EQ(built, 200 * int(Number("#levels")));
}

TEST_F(LevelReachability, AWalledUpGateRoomIsFoundAndNamed)
{
    // The same check on a level whose gate room's door gap is walled shut.
    ASSERT_EQ(Run("local build = BuildPlan\n"
                  "function BuildPlan(plan)\n"
                  "  build(plan)\n"
                  "  for _, c in ipairs(plan.gate.connections) do\n"
                  "    local a = c.a\n"
                  "    for s = -3, 3 do\n"
                  "      CreateBlock(c.x - math.cos(a) * 3 - math.sin(a) * 2 * s,\n"
                  "                  c.y - math.sin(a) * 3 + math.cos(a) * 2 * s, a, 0, 0)\n"
                  "    end\n"
                  "  end\n"
                  "end"),
              "");
    const std::string problem = CheckLevel("level2");
    const std::string gateRoom = String("levelPlan.gate.name");
    EXPECT_NE(problem.find("(" + gateRoom + ")"), std::string::npos) << problem;
}

} // namespace
