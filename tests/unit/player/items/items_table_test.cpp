// Items made by scripts: the itemtable entry checks of every creator, the
// creation transform, the engine's CreateItemByName and the data fixes for
// weapon numbers that would divide by zero.
#include "items_test_support.h"
#include "player/weapons/Ammo.h"
#include "player/items/ItemFactory.h"
#include "player/weapons/Medkit.h"
#include "player/items/SimpleItem.h"
#include "player/weapons/Tulirelv.h"
#include "script/Console.h"
#include <cmath>

namespace {

using ItemTable = ItemFixture;

TEST_F(ItemTable, BrokenEntriesRaiseScriptErrorsAndLeaveNothingBehind)
{
    const size_t before = world->objects.size();

    testing::internal::CaptureStderr();
    std::string error = Run("_CreateSimpleItem(0, 0, 'unicorn')");
    const std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("unicorn"), std::string::npos) << error;
    EXPECT_NE(stderrText.find("ERROR: cannot create item \"unicorn\"! \n"), std::string::npos);

    ASSERT_EQ(Run("itemtable.nolong = {frame = 1, invtext = 'x', shortcutkey = 'none',"
                  " sprite = 's', r = 1, g = 1, b = 1}"), "");
    error = Run("_CreateSimpleItem(0, 0, 'nolong')");
    EXPECT_NE(error.find("longtext"), std::string::npos) << error;

    ASSERT_EQ(Run("itemtable.redstone = {frame = 1, invtext = 'x', longtext = 'y',"
                  " shortcutkey = 'none', sprite = 's', r = 'red', g = 1, b = 1}"), "");
    error = Run("_CreateSimpleItem(0, 0, 'redstone')");
    EXPECT_NE(error.find("number expected"), std::string::npos) << error;

    // Each kind checks its own fields too.
    ASSERT_EQ(Run("itemtable.noclip = gun{}; itemtable.noclip.clipsize = nil"), "");
    error = Run("_CreateWeapon(0, 0, 'noclip')");
    EXPECT_NE(error.find("clipsize"), std::string::npos) << error;
    ASSERT_EQ(Run("itemtable.mute = gun{shootsound = {}}"), "");
    EXPECT_NE(Run("_CreateWeapon(0, 0, 'mute')").find("shootsound"), std::string::npos);
    ASSERT_EQ(Run("itemtable.farammo = gun{ammotype = 10}"), "");
    EXPECT_NE(Run("_CreateWeapon(0, 0, 'farammo')").find("ammotype"), std::string::npos);
    EXPECT_NE(Run("_CreateMedkit(0, 0, 'stone')").find("health"), std::string::npos);
    EXPECT_NE(Run("_CreateAmmo(0, 0, 'stone')").find("count"), std::string::npos);
    // Wrong argument types are script errors as well.
    EXPECT_NE(Run("_CreateWeapon('a', 0, 'pistol')"), "");
    EXPECT_NE(Run("_CreateWeapon(0, 0)"), "");

    EXPECT_EQ(world->objects.size(), before);
}

TEST_F(ItemTable, CreatorsPlaceItemsThroughTheTransformWithTheirEntryFields)
{
    creationTransform.Set(10.0f, 5.0f, float(M_PI / 2));
    auto* stone = Make<TSimpleItem>("stone", 2.0f, 0.0f);
    ASSERT_NE(stone, nullptr);
    EXPECT_NEAR(stone->GetPosition().x, 10.0f, 1e-4);
    EXPECT_NEAR(stone->GetPosition().y, 7.0f, 1e-4);
    EXPECT_EQ(stone->itemName, "stone");
    EXPECT_EQ(stone->GetInventoryText(), "stone");
    EXPECT_EQ(stone->GetStatusText(), "a thing");
    // A channel of exactly 0 shows as full.
    EXPECT_FLOAT_EQ(stone->colorR, 1.0f);
    EXPECT_FLOAT_EQ(stone->colorB, 0.25f);
    EXPECT_FLOAT_EQ(stone->frame, 3.0f);
    EXPECT_EQ(stone->GetDepth(), kItemDepth);
    EXPECT_EQ(stone->inContainer, 0);
    // A light sensor: it never blocks anything.
    ASSERT_NE(stone->body, nullptr);
    EXPECT_TRUE(stone->body->GetFixtureList()->IsSensor());

    auto* gun = Make<TTulirelv>("pistol");
    ASSERT_NE(gun, nullptr);
    EXPECT_EQ(gun->roundsLoaded, 3);
    EXPECT_EQ(gun->cooldown, 0);
    EXPECT_EQ(gun->shootFrame, 6);
    auto* kit = Make<TMedkit>("bandage");
    ASSERT_NE(kit, nullptr);
    EXPECT_EQ(kit->healAmount, 25);
    auto* box = Make<TAmmo>("shells");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count, 12);
    EXPECT_EQ(box->ammoType, 2);
    EXPECT_EQ(box->GetInventoryText(), "");
}

TEST_F(ItemTable, SavedLineOnlyForItemsOnTheFloor)
{
    TActor* holder = MakeHolder(0.0f, 0.0f);
    auto* key = Make("key", 1.5f, -2.0f);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->GetCreateCommand(), "CreateItem(1.500000,-2.000000,\"key\")\n");
    key->PickUp(holder);
    EXPECT_EQ(key->GetCreateCommand(), "");
}

TEST_F(ItemTable, CreateItemByNameReportsResolverFailures)
{
    TItem* rope = CreateItemByName(2.0f, 3.0f, "rope");
    ASSERT_NE(rope, nullptr);
    EXPECT_EQ(rope->itemName, "rope");
    EXPECT_NEAR(rope->GetPosition().x, 2.0f, 1e-4);
    EXPECT_NEAR(rope->GetPosition().y, 3.0f, 1e-4);

    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateItemByName(0.0f, 0.0f, "ghost"), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("ERROR: item \"ghost\" not defined\n"),
              std::string::npos);

    // A resolver that returns something else than an item is no item either.
    ASSERT_EQ(Run("itemtable.odd = {kind = 'simple'}; "
                  "local old = CreateItem; function CreateItem(x, y, n)"
                  " if n == 'number' then return 5 end"
                  " if n == 'broken' then error('resolver broke') end return old(x, y, n) end"),
              "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateItemByName(0.0f, 0.0f, "number"), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("\"number\" not defined"),
              std::string::npos);

    console = TConsole();
    EXPECT_EQ(CreateItemByName(0.0f, 0.0f, "broken"), nullptr);
    EXPECT_NE(console.Text().find("resolver broke\n"), std::string::npos) << console.Text();
    // An entry that is missing its fields fails inside the resolver: reported, nothing made.
    const size_t before = world->objects.size();
    EXPECT_EQ(CreateItemByName(0.0f, 0.0f, "odd"), nullptr);
    EXPECT_EQ(world->objects.size(), before);
}

TEST_F(ItemTable, WeaponNumbersThatWouldDivideByZeroAreTakenAsOneAndReportedOnce)
{
    ASSERT_EQ(Run("itemtable.dud = gun{spread = 0, range = 0, pierce = 0, clipreloadtime = 0}"),
              "");
    testing::internal::CaptureStderr();
    auto* first = Make<TTulirelv>("dud");
    auto* second = Make<TTulirelv>("dud");
    const std::string text = testing::internal::GetCapturedStderr();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    for (TTulirelv* w : {first, second}) {
        EXPECT_EQ(w->spread, 1);
        EXPECT_EQ(w->range, 1);
        EXPECT_EQ(w->pierce, 1);
        EXPECT_EQ(w->clipReloadTime, 1);
    }
    for (const char* field : {"spread", "range", "pierce"}) {
        const std::string line = std::string("\"dud\": ") + field + " 0 is taken as 1";
        const size_t at = text.find(line);
        EXPECT_NE(at, std::string::npos) << field << "\n" << text;
        EXPECT_EQ(text.find(line, at + 1), std::string::npos) << "reported twice: " << field;
    }

    // And the weapon fires without dividing by zero.
    TActor* holder = MakeHolder(0.0f, 0.0f);
    first->PickUp(holder);
    holder->action = kActionAim;
    EXPECT_FALSE(first->Activate());
    EXPECT_EQ(CountInWorld<TKuul>(), 1);
}

} // namespace
