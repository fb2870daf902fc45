// The campaign's difficulty curve and content, from the levels as the game
// builds them: every enemy kind and every weapon turns up by the last level,
// the ammunition found feeds the weapons found, the first level is fair to a
// newcomer, and docs/levels.md is the table the level scripts give today.
#include "level_test_support.h"

namespace {

const char* kChecks = R"(
local ENEMY_KINDS = { "zombie", "blue zombie", "soldier", "red soldier", "grey soldier", "big soldier",
                      "big zombie", "skeleton", "red robot", "turret", "snake", "zombie spawner" }

-- One problem per line; "" when the campaign is sound.
function CampaignProblems()
  local rows = LevelTable()
  local problems = {}
  local function problem(text) problems[#problems + 1] = text end

  local enemies, items = {}, {}
  for i, row in ipairs(rows) do
    for kind in pairs(row.enemies) do enemies[kind] = enemies[kind] or i end
    for name in pairs(row.loot) do items[name] = items[name] or i end
    -- Every weapon found so far has its ammunition found by now.
    for name, first in pairs(items) do
      local e = itemtable[name]
      if e and e.class == "weapon" and e.ammotype then
        local fed = false
        for other, since in pairs(items) do
          local a = itemtable[other]
          if a and a.class == "ammo" and a.ammotype == e.ammotype then fed = true end
        end
        if not fed then problem(row.name .. ": the " .. name .. " has no ammunition found yet") end
      end
    end
  end
  for _, kind in ipairs(ENEMY_KINDS) do
    if not enemies[kind] then problem("no " .. kind .. " in any level") end
  end
  for name, e in pairs(itemtable) do
    if e.class == "weapon" and not items[name] then problem("the " .. name .. " is never found") end
  end

  -- A newcomer's first level: a gun and rounds for it, and only the slow dead.
  local first = rows[1]
  if not first.loot["pistol"] or (first.loot["pistol ammo"] or 0) < 2 then
    problem("level1: a pistol and at least two packs of pistol ammo")
  end
  for kind, n in pairs(first.enemies) do
    if kind ~= "zombie" then problem("level1: " .. n .. " " .. kind .. " is too much for a newcomer") end
  end
  if (first.enemies.zombie or 0) > 8 then problem("level1: more than eight zombies") end
  table.sort(problems)
  return table.concat(problems, "\n")
end
)";

class CampaignBalance : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        LoadCampaign();
        const std::string tool = (SourceData().parent_path() / "tools/leveltable/leveltable.lua").string();
        ASSERT_EQ(Run("dofile('" + tool + "')"), "");
        ASSERT_EQ(Run(kChecks), "");
    }
};

TEST_F(CampaignBalance, EveryKindAndWeaponAppearsAmmunitionFeedsTheWeaponsAndTheFirstLevelIsFair)
{
    EXPECT_EQ(String("CampaignProblems()"), "");
    EXPECT_EQ(console.Text().find("cannot be built"), std::string::npos) << console.Text();
}

TEST_F(CampaignBalance, TheLevelTableInDocsIsCurrent)
{
    const std::string table = String("LevelTableMarkdown()");
    EXPECT_NE(table.find("| level10 |"), std::string::npos) << table;
    EXPECT_EQ(ReadFile((SourceData().parent_path() / "docs/levels.md").string()), table)
        << "run: cmake --build build --target levels_doc";
}

} // namespace
