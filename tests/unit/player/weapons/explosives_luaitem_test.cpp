// Items programmed in Lua: callbacks, their odd results and errors, itemdata.
#include "effects_test_support.h"
#include "player/Actor.h"
#include "player/items/Container.h"
#include "player/items/LuaItem.h"
#include "script/Console.h"

namespace {

const char* kLuaItems = R"(
itemdata = {}
calls = {}
local common = { frame = 1, invtext = "gadget", longtext = "a gadget", shortcutkey = "none",
                 sprite = "spr_asjad", r = 1, g = 1, b = 1 }
local function item(fields)
  local t = {}
  for k, v in pairs(common) do t[k] = v end
  for k, v in pairs(fields) do t[k] = v end
  return t
end
itemtable = {
  plain = item{},
  counter = item{
    oninit = function(it, name) itemdata[it].charges = 3; calls.init = name end,
    onactivate = function(it, holder, aiming)
      itemdata[it].charges = itemdata[it].charges - 1
      calls.aiming = aiming
      return activateResult
    end,
    onequip = function(it, holder, current) calls.equip = (calls.equip or 0) + 1 end,
    ongroundupdate = function(it, carried) calls.ground = (calls.ground or 0) + 1 end,
    onpickup = function(it, actor) return pickupResult end,
  },
  broken = item{
    onactivate = function() error("jammed") end,
    onequip = function() error("sparks") end,
    onpickup = function() return {} end,
  },
}
)";

class THolder : public TActor {
public:
    THolder()
    {
        body = CreateCircleBody(0.15f, 17.5f, false, this, 3.5f, 10.0f);
        inventory = new TContainer(4, this);
    }
};

class LuaItemTest : public EffectsFixture {
protected:
    TLuaItem* Make(const std::string& name)
    {
        EXPECT_EQ("", Run("made = _CreateLuaItem(0, 0, '" + name + "')"));
        return ObjectFromHandleAs<TLuaItem>(GlobalPointer("made"));
    }
    std::string ConsoleText() const { return console.Text(); }
};

TEST_F(LuaItemTest, CallbacksGetTheItemAndTheirResultsDecideUseAndPickUp)
{
    ASSERT_EQ("", Run(kLuaItems));
    TLuaItem* plain = Make("plain");
    ASSERT_NE(nullptr, plain);
    EXPECT_FALSE(plain->Activate()) << "no onactivate: holding shoot does nothing";

    TLuaItem* item = Make("counter");
    ASSERT_NE(nullptr, item);
    ASSERT_EQ("", Run("init = calls.init; charges = itemdata[made].charges"));
    EXPECT_EQ("counter", GlobalString("init"));
    EXPECT_EQ(3.0, GlobalNumber("charges"));

    auto* holder = new THolder();
    ASSERT_EQ("", Run("pickupResult = 0"));
    item->PickUp(holder);
    EXPECT_EQ(0, holder->inventory->ItemCount()) << "onpickup returned 0: left lying";
    ASSERT_EQ("", Run("pickupResult = nil"));
    item->PickUp(holder);
    EXPECT_EQ(1, holder->inventory->ItemCount());

    holder->action = kActionAim;
    EXPECT_TRUE(item->Activate()) << "nothing returned: one use per press";
    ASSERT_EQ("", Run("aiming = tostring(calls.aiming); charges = itemdata[made].charges"));
    EXPECT_EQ("true", GlobalString("aiming"));
    EXPECT_EQ(2.0, GlobalNumber("charges"));
    ASSERT_EQ("", Run("activateResult = 0"));
    EXPECT_FALSE(item->Activate()) << "0: automatic, shoot stays held";
    ASSERT_EQ("", Run("activateResult = 5"));
    EXPECT_TRUE(item->Activate());

    // Carried items hear onequip every frame; floor items ongroundupdate.
    Make("counter");
    Steps(3);
    ASSERT_EQ("", Run("equip = calls.equip; ground = calls.ground"));
    EXPECT_EQ(3.0, GlobalNumber("equip"));
    EXPECT_EQ(3.0, GlobalNumber("ground"));
}

TEST_F(LuaItemTest, FailingAndOddCallbacksAreReportedAndTheGameGoesOn)
{
    ASSERT_EQ("", Run(kLuaItems));
    TLuaItem* item = Make("broken");
    ASSERT_NE(nullptr, item);
    auto* holder = new THolder();
    item->PickUp(holder);
    EXPECT_EQ(1, holder->inventory->ItemCount()) << "a table from onpickup counts as nothing";
    EXPECT_NE(std::string::npos, ConsoleText().find("onpickup")) << ConsoleText();

    EXPECT_TRUE(item->Activate());
    EXPECT_NE(std::string::npos, ConsoleText().find("jammed")) << ConsoleText();
    Steps(2);
    EXPECT_NE(std::string::npos, ConsoleText().find("sparks")) << ConsoleText();

    ASSERT_EQ("", Run("counterItem = _CreateLuaItem(1, 1, 'counter'); activateResult = 'yes'"));
    auto* counter = ObjectFromHandleAs<TLuaItem>(GlobalPointer("counterItem"));
    ASSERT_NE(nullptr, counter);
    EXPECT_TRUE(counter->Activate());
    EXPECT_NE(std::string::npos, ConsoleText().find("returned a string")) << ConsoleText();

    const size_t before = world->objects.size();
    EXPECT_NE("", Run("_CreateLuaItem(0, 0, 'missing')"));
    EXPECT_NE("", Run("_CreateLuaItem(0, 0)"));
    EXPECT_EQ(before, world->objects.size());
}

TEST_F(LuaItemTest, ItemDataGoesIntoTheCarriedTextAndLeavesWithTheItem)
{
    LoadGameLuainit();
    ASSERT_EQ("", Run(kLuaItems));
    TLuaItem* item = Make("counter");
    ASSERT_NE(nullptr, item);
    ASSERT_EQ("", Run("itemdata[made].owner = 'tanel'"));
    const TLevelProgress::CarriedSlot slot = item->GetCarryState();
    EXPECT_EQ("counter", slot.name);
    EXPECT_EQ(0, slot.count);
    ASSERT_EQ("", Run("copy = loadstring('return ' .. [[" + slot.text + "]])()"
                      " restored = copy.charges .. ':' .. copy.owner"));
    EXPECT_EQ("3:tanel", GlobalString("restored"));

    item->dead = 1;
    world->Step();
    ASSERT_EQ("", Run("left = 0 for _ in pairs(itemdata) do left = left + 1 end"));
    EXPECT_EQ(0.0, GlobalNumber("left"));
}

} // namespace
