#pragma once
// Shared set-up for the item and weapon tests: a world with an itemtable and
// the CreateItem resolver, a stand-in input device, and a small actor that
// holds a container.
#include "player/Actor.h"
#include "player/items/Container.h"
#include "player/input/InputDevice.h"
#include "player/items/Item.h"
#include "player/weapons/Kuul.h"
#include "player/items/ReactionTable.h"
#include "world/CreationTransform.h"
#include "world_test_support.h"
#include <box2d/box2d.h>
#include <string>
#include <vector>

// Answers what the test sets; counts the shoot releases.
class TTestInput : public TInputDevice {
public:
    b2Vec2 GetAim(b2Vec2) override { return aim; }
    b2Vec2 GetMove() override { return b2Vec2(0.0f, 0.0f); }
    int GetItemStep() override { return itemStep; }
    bool IsShootHeld() override { return shoot; }
    bool IsAimHeld() override { return aiming; }
    bool IsStabPressed() override { return false; }
    bool IsUsePressed() override { return use; }
    bool IsDropPressed() override { return false; }
    bool IsCombinePressed() override { return combine; }
    void ReleaseShoot() override
    {
        shoot = false;
        ++releases;
    }

    b2Vec2 aim{1.0f, 0.0f};
    int itemStep = 0;
    bool shoot = false;
    bool aiming = false;
    bool use = false;
    bool combine = false;
    int releases = 0;
};

// The smallest actor that carries items: a body and a container of `slots`.
inline TActor* MakeHolder(float x, float y, int slots = 4)
{
    auto* actor = new TActor();
    actor->body = CreateCircleBody(0.15f, 17.5f, false, actor, 3.5f, 10.0f);
    actor->SetPosition(b2Vec2(x, y));
    actor->inventory = new TContainer(slots, actor);
    actor->health = 100.0f;
    return actor;
}

// Item kinds for the tests. Weapons start from TEST_GUN's numbers.
inline const char* kItemTestScript = R"lua(
itemtable = {}
local function entry(fields)
  local e = {frame = 3, invtext = "thing", longtext = "a thing", shortcutkey = "none",
             sprite = "spr_asjad", r = 0.5, g = 0.5, b = 0.5}
  for k, v in pairs(fields) do e[k] = v end
  return e
end
function gun(fields)
  local g = entry{kind = "weapon", invtext = "gun", shortcutkey = "sc_1", r = 1, g = 1, b = 1,
                  clipsize = 3, spread = 1, reloadtime = 5, bulletspeed = 40, damage = 10,
                  range = 30, pierce = 20, shake = 2, holdframe = 5, shootframe = 6,
                  reloadframe = 7, ammotype = 0, clipreloadtime = 10, bulletcount = 1,
                  ammocount = 1, bullettype = 0, shootsound = "pistol_shot",
                  reloadsound = "pistol_reload"}
  for k, v in pairs(fields or {}) do g[k] = v end
  return g
end
itemtable.stone = entry{kind = "simple", invtext = "stone", r = 0, g = 1, b = 0.25}
itemtable.rope = entry{kind = "simple", invtext = "rope"}
itemtable.key = entry{kind = "simple", invtext = "key", shortcutkey = "sc_2"}
itemtable.sling = entry{kind = "simple", invtext = "sling"}
itemtable.pistol = gun()
itemtable.shotgun = gun{invtext = "shotgun", reloadtime = -5, bulletcount = 6, spread = 4}
itemtable.bandage = entry{kind = "medkit", invtext = "bandage", shortcutkey = "sc_medkit",
                          health = 25}
itemtable.shells = entry{kind = "ammo", invtext = "shells", count = 12, ammotype = 2}
local creators = {weapon = "_CreateWeapon", ammo = "_CreateAmmo", medkit = "_CreateMedkit",
                  simple = "_CreateSimpleItem"}
function CreateItem(x, y, name)
  local e = itemtable[name]
  if not e then return nil end
  return _G[creators[e.kind]](x, y, name)
end
)lua";

class ItemFixture : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        creationTransform = TCreationTransform();
        reactionTable.Clear();
        ASSERT_EQ(Run(kItemTestScript), "");
    }
    void TearDown() override
    {
        world->Clear();
        reactionTable.Clear();
        creationTransform = TCreationTransform();
        WorldFixture::TearDown();
    }

    // An item made through the scripts' resolver, as scripts make them.
    template <typename T = TItem>
    T* Make(const std::string& name, float x = 0.0f, float y = 0.0f)
    {
        const std::string code = "made = CreateItem(" + std::to_string(x) + "," +
                                  std::to_string(y) + ",\"" + name + "\")";
        EXPECT_EQ(Run(code), "") << name;
        return ObjectFromHandleAs<T>(GlobalPointer("made"));
    }

    // Steps the world and lets every bullet finish its frame as drawing would.
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i) {
            world->Step();
            for (TGameObject* o : world->objects)
                if (auto* bullet = dynamic_cast<TKuul*>(o)) bullet->FinishFrame();
        }
    }
};
