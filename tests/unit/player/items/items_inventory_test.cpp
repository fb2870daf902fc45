// Carrying items: container slots and selection, quick switch, picking up
// from the floor (also into a full inventory), dropping, ammunition and
// medkits, and what happens to items when their holder or they go away.
#include "items_test_support.h"
#include "core/InputTables.h"
#include "player/weapons/Ammo.h"
#include "player/weapons/Medkit.h"
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include <memory>

namespace {

class Inventory : public ItemFixture {
protected:
    // A player standing at (x, y) whose input the test steers.
    TPlayer* PlayerAt(float x, float y)
    {
        auto* player = new TPlayer(x, y);
        auto device = std::make_unique<TTestInput>();
        input = device.get();
        player->SetInputDevice(std::move(device));
        return player;
    }
    static TPlayerInventory* InventoryOf(TPlayer* player)
    {
        return dynamic_cast<TPlayerInventory*>(player->inventory);
    }
    // Puts an item straight into a slot, as Insert would for that slot.
    static void Put(TContainer& c, int slot, TItem* item)
    {
        c.slots[size_t(slot)] = item;
        item->container = &c;
        item->inContainer = 1;
    }
    TTestInput* input = nullptr;
};

TEST_F(Inventory, SelectionWalksToFilledSlotsAndWraps)
{
    TActor* holder = MakeHolder(0.0f, 0.0f, 16);
    TContainer& c = *holder->inventory;
    for (int slot : {0, 3, 7}) Put(c, slot, Make("rope"));
    c.selected = 3;
    c.SelectNext();
    EXPECT_EQ(c.selected, 7);
    c.SelectNext();
    EXPECT_EQ(c.selected, 0);
    c.SelectPrevious();
    EXPECT_EQ(c.selected, 7);
    c.SelectPrevious();
    EXPECT_EQ(c.selected, 3);

    // Empty: both end on 0.
    TContainer empty(16, nullptr);
    empty.selected = 5;
    empty.SelectNext();
    EXPECT_EQ(empty.selected, 0);
    empty.selected = 5;
    empty.SelectPrevious();
    EXPECT_EQ(empty.selected, 0);
}

TEST_F(Inventory, ShortcutsSearchAfterTheStartAndCycleThroughTheirGroup)
{
    TPlayer* player = PlayerAt(0.0f, 0.0f);
    TPlayerInventory* inv = InventoryOf(player);
    ASSERT_NE(inv, nullptr);
    TItem* stone = Make("stone");
    TItem* first = Make("pistol");
    TItem* key = Make("key");
    TItem* second = Make("shotgun");
    for (TItem* item : {stone, first, key, second}) ASSERT_TRUE(inv->Insert(item));
    // Slots: 0 stone, 1 pistol (sc_1), 2 key (sc_2), 3 shotgun (sc_1).
    EXPECT_EQ(inv->FindByShortcut("sc_1", 1), 3);
    EXPECT_EQ(inv->FindByShortcut("sc_1", 3), 1);
    EXPECT_EQ(inv->FindByShortcut("sc_2", 2), 2);  // the start slot comes last
    EXPECT_EQ(inv->FindByShortcut("sc_4", 0), -1);

    inv->selected = 0;
    EXPECT_TRUE(inv->QuickSwitch("sc_1"));
    EXPECT_EQ(inv->selected, 1);
    EXPECT_TRUE(inv->QuickSwitch("sc_1"));
    EXPECT_EQ(inv->selected, 3);
    EXPECT_TRUE(inv->QuickSwitch("sc_1"));
    EXPECT_EQ(inv->selected, 1);
    // From another group's item the search starts at the top.
    EXPECT_TRUE(inv->QuickSwitch("sc_2"));
    EXPECT_EQ(inv->selected, 2);
    EXPECT_FALSE(inv->QuickSwitch("sc_bombs"));
    EXPECT_EQ(inv->selected, 2);

    // The bound key of a group does the same.
    ASSERT_EQ(Run("settings = {keys = {sc_1 = 49, sc_2 = 50}}"), "");
    testing_support::PressKeys({49});
    inv->RunShortcutKeys();
    EXPECT_EQ(inv->selected, 1);
    EXPECT_EQ(inv->SelectedDescription(), "a thing");
}

TEST_F(Inventory, UseWhileTouchingPicksUpUnlessTheInventoryIsFull)
{
    TPlayer* player = PlayerAt(5.0f, 5.0f);
    TItem* rope = Make("rope", 5.0f, 5.0f);
    input->use = false;
    Frames(1);
    EXPECT_EQ(rope->inContainer, 0) << "touching alone picks nothing up";

    input->use = true;
    Frames(1);
    EXPECT_EQ(rope->inContainer, 1);
    EXPECT_EQ(rope->container, player->inventory);
    EXPECT_EQ(player->inventory->Slot(0), rope);

    // Fill the other 15 slots, then try one more.
    for (int i = 1; i < kPlayerInventorySlots; ++i) ASSERT_TRUE(player->inventory->Insert(Make("stone")));
    TItem* extra = Make("key", 5.0f, 5.0f);
    Frames(2);
    EXPECT_EQ(extra->inContainer, 0);
    EXPECT_EQ(extra->container, nullptr);
    EXPECT_FALSE(extra->dead);
    EXPECT_EQ(player->inventory->ItemCount(), kPlayerInventorySlots);
    EXPECT_NE(extra->GetCreateCommand(), "") << "still a floor item that a save keeps";
}

TEST_F(Inventory, DroppingPutsTheItemDownAtTheHolderAndMovesTheSelectionOn)
{
    TActor* holder = MakeHolder(2.0f, 3.0f, 16);
    TContainer& c = *holder->inventory;
    TItem* a = Make("rope", 9.0f, 9.0f);
    TItem* b = Make("stone", 9.0f, 9.0f);
    Put(c, 4, a);
    Put(c, 9, b);
    c.selected = 4;

    EXPECT_EQ(c.DropSlot(4), 1);
    EXPECT_EQ(a->inContainer, 0);
    EXPECT_EQ(a->container, nullptr);
    EXPECT_NEAR(a->GetPosition().x, 2.0f, 1e-4);
    EXPECT_NEAR(a->GetPosition().y, 3.0f, 1e-4);
    EXPECT_EQ(c.selected, 9);
    EXPECT_EQ(c.DropSlot(4), 0);
    EXPECT_EQ(c.DropSlot(-1), 0);
    EXPECT_EQ(c.DropSlot(16), 0);

    c.RemoveItem(b);
    EXPECT_EQ(c.selected, 0);
    EXPECT_EQ(c.ItemCount(), 0);
}

TEST_F(Inventory, ItemsAndContainersForgetEachOtherWhenEitherGoes)
{
    TActor* holder = MakeHolder(0.0f, 0.0f, 3);
    TItem* a = Make("rope");
    TItem* b = Make("stone");
    a->PickUp(holder);
    b->PickUp(holder);
    // An item that dies in the inventory leaves its slot empty.
    a->dead = 1;
    Frames(1);
    EXPECT_EQ(holder->inventory->Slot(0), nullptr);
    EXPECT_EQ(holder->inventory->Slot(1), b);
    EXPECT_EQ(holder->inventory->selected, 1);
    // The holder going takes its items with it.
    holder->dead = 1;
    Frames(2);
    EXPECT_FALSE(InWorld(holder));
    EXPECT_FALSE(InWorld(b));
}

TEST_F(Inventory, AmmunitionGoesToTheStoreAndMedkitsHealUpToAHundred)
{
    TActor* holder = MakeHolder(0.0f, 0.0f, 2);
    auto* shells = Make<TAmmo>("shells");
    shells->PickUp(holder);
    EXPECT_EQ(holder->ammo[2], 12);
    EXPECT_TRUE(shells->dead);
    EXPECT_EQ(holder->inventory->ItemCount(), 0);

    auto* kit = Make<TMedkit>("bandage");
    kit->PickUp(holder);
    holder->health = 100.0f;
    EXPECT_TRUE(kit->Activate());
    EXPECT_FALSE(kit->dead) << "an unhurt holder keeps the medkit";
    EXPECT_EQ(holder->inventory->Slot(0), kit);

    holder->health = 90.0f;
    EXPECT_TRUE(kit->Activate());
    EXPECT_FLOAT_EQ(holder->health, 100.0f);
    EXPECT_TRUE(kit->dead);
    EXPECT_EQ(holder->inventory->ItemCount(), 0);

    auto* second = Make<TMedkit>("bandage");
    second->PickUp(holder);
    holder->health = 30.0f;
    second->Activate();
    EXPECT_FLOAT_EQ(holder->health, 55.0f);
}

} // namespace
