// Recipes and the combine menu: AddReaction and the table's limits, which
// recipes the menu offers, making one, and a result that cannot be made.
#include "items_test_support.h"
#include "player/items/CombineMenu.h"
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include "script/Console.h"
#include <memory>

namespace {

class Combine : public ItemFixture {
protected:
    void SetUp() override
    {
        ItemFixture::SetUp();
        player = new TPlayer(0.0f, 0.0f);
        auto device = std::make_unique<TTestInput>();
        input = device.get();
        player->SetInputDevice(std::move(device));
        inventory = dynamic_cast<TPlayerInventory*>(player->inventory);
        ASSERT_NE(inventory, nullptr);
        console = TConsole();
    }
    void Carry(std::initializer_list<const char*> names)
    {
        for (const char* name : names) ASSERT_TRUE(inventory->Insert(Make(name))) << name;
    }
    // One HUD frame of the menu with the combine key tapped or not.
    void MenuFrame(bool combinePressed)
    {
        input->combine = combinePressed;
        inventory->combineMenu->Update(input);
        input->combine = false;
    }
    TPlayer* player = nullptr;
    TPlayerInventory* inventory = nullptr;
    TTestInput* input = nullptr;
};

TEST_F(Combine, AddReactionKeepsToTheTableLimits)
{
    EXPECT_EQ(Run("AddReaction('sling', 'rope')"), "");
    EXPECT_EQ(Run("AddReaction()"), "");
    EXPECT_EQ(reactionTable.Count(), 0) << "fewer than three arguments are ignored";
    EXPECT_NE(Run("AddReaction('sling', 'rope', {})"), "") << "names must be strings";
    EXPECT_EQ(reactionTable.Count(), 0);

    const std::string name31(31, 'r'), name32(32, 'r'), name15(15, 'i'), name16(16, 'i');
    EXPECT_EQ(Run("AddReaction('" + name31 + "', '" + name15 + "', 'rope')"), "");
    ASSERT_EQ(reactionTable.Count(), 1);
    EXPECT_EQ(std::string(reactionTable.At(0).result), name31);
    EXPECT_EQ(std::string(reactionTable.At(0).ingredients[0]), name15);
    EXPECT_EQ(reactionTable.At(0).ingredientCount, 2);

    EXPECT_EQ(Run("AddReaction('" + name32 + "', 'a', 'b')"), "");
    EXPECT_EQ(Run("AddReaction('x', '" + name16 + "', 'b')"), "");
    EXPECT_EQ(reactionTable.Count(), 1);
    EXPECT_NE(console.Text().find(name32), std::string::npos) << console.Text();
    EXPECT_NE(console.Text().find(name16), std::string::npos) << console.Text();

    // 32 ingredients fit, 33 do not.
    EXPECT_EQ(Run("local t = {} for i = 1, 32 do t[i] = 'rope' end AddReaction('big', unpack(t))"), "");
    EXPECT_EQ(reactionTable.Count(), 2);
    EXPECT_EQ(reactionTable.At(1).ingredientCount, 32);
    EXPECT_EQ(Run("local t = {} for i = 1, 33 do t[i] = 'rope' end AddReaction('huge', unpack(t))"), "");
    EXPECT_EQ(reactionTable.Count(), 2);

    // Up to 256 recipes; the next one is refused with a message.
    const std::string quiet = console.Text();
    EXPECT_EQ(Run("for i = 3, 256 do AddReaction('sling', 'rope', 'stone') end"), "");
    EXPECT_EQ(reactionTable.Count(), 256);
    EXPECT_EQ(console.Text(), quiet);
    EXPECT_EQ(Run("AddReaction('last', 'rope', 'stone')"), "");
    EXPECT_EQ(reactionTable.Count(), 256);
    EXPECT_NE(console.Text().find("full"), std::string::npos) << console.Text();
    EXPECT_EQ(std::string(reactionTable.At(255).result), "sling");
}

TEST_F(Combine, RecipesNeedEachIngredientInItsOwnSlot)
{
    ASSERT_EQ(Run("AddReaction('sling', 'key', 'rope', 'rope')"), "");
    ASSERT_EQ(Run("AddReaction('pistol', 'stone')"), "");   // ignored: too few arguments
    ASSERT_EQ(Run("AddReaction('bandage', 'stone', 'stone')"), "");
    Carry({"rope", "key", "stone"});

    TCombineMenu& menu = *inventory->combineMenu;
    menu.Rebuild();
    EXPECT_EQ(menu.entryCount, 0) << "one rope is not two";

    Carry({"rope"});
    menu.Rebuild();
    ASSERT_EQ(menu.entryCount, 1);
    EXPECT_STREQ(menu.entries[0].recipe->result, "sling");
    EXPECT_EQ(menu.entries[0].slotIndex[0], 1);
    EXPECT_EQ(menu.entries[0].slotIndex[1], 0);
    EXPECT_EQ(menu.entries[0].slotIndex[2], 3);
}

TEST_F(Combine, ShootMakesTheHighlightedRecipeFromItsIngredients)
{
    ASSERT_EQ(Run("AddReaction('bandage', 'stone', 'stone')"), "");
    ASSERT_EQ(Run("AddReaction('sling', 'key', 'rope', 'rope')"), "");
    Carry({"rope", "stone", "key", "rope", "stone", "pistol"});
    TItem* pistol = inventory->Slot(5);

    MenuFrame(true);
    TCombineMenu& menu = *inventory->combineMenu;
    ASSERT_TRUE(menu.open);
    ASSERT_EQ(menu.entryCount, 2);
    // Stepping back from the first entry wraps to the last.
    input->itemStep = -1;
    MenuFrame(false);
    input->itemStep = 0;
    EXPECT_EQ(menu.cursor, 1);

    input->shoot = true;
    MenuFrame(false);
    EXPECT_EQ(input->releases, 1);
    EXPECT_FALSE(input->shoot);
    // The key and both ropes are used up; the sling takes the first free slot.
    TItem* sling = inventory->Slot(0);
    ASSERT_NE(sling, nullptr);
    EXPECT_EQ(sling->itemName, "sling");
    EXPECT_EQ(inventory->Slot(2), nullptr);
    EXPECT_EQ(inventory->Slot(3), nullptr);
    EXPECT_EQ(inventory->Slot(1)->itemName, "stone");
    EXPECT_EQ(inventory->Slot(5), pistol);
    EXPECT_EQ(inventory->ItemCount(), 4);
    Frames(1);
    EXPECT_EQ(CountInWorld<TItem>(), 4) << "the ingredients are gone from the world";
}

TEST_F(Combine, NothingToMakeClosesTheMenuAndUnmakeableResultsKeepTheIngredients)
{
    Carry({"rope", "stone"});
    MenuFrame(true);
    EXPECT_FALSE(inventory->combineMenu->open) << "nothing to make: closed in the same frame";

    ASSERT_EQ(Run("AddReaction('ghost', 'rope', 'stone')"), "");
    MenuFrame(true);
    ASSERT_TRUE(inventory->combineMenu->open);
    testing::internal::CaptureStderr();
    input->shoot = true;
    MenuFrame(false);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(inventory->ItemCount(), 2);
    EXPECT_EQ(inventory->Slot(0)->itemName, "rope");
    EXPECT_FALSE(inventory->Slot(0)->dead);
    EXPECT_FALSE(inventory->Slot(1)->dead);
    EXPECT_NE(console.Text().find("ghost"), std::string::npos) << console.Text();

    // The combine key closes an open menu again.
    MenuFrame(true);
    EXPECT_FALSE(inventory->combineMenu->open);
}

} // namespace
