// The player's script functions and the actor and player methods, through Lua.
#include "player_test_support.h"
#include "level/campaign/CarriedState.h"
#include "player/weapons/Tulirelv.h"
#include "world/CreationTransform.h"

using PlayerApi = PlayerFixture;

TEST_F(PlayerApi, HealthAndArmorFollowTheirLimits)
{
    ASSERT_EQ(Run("p = CreatePlayer(1, 2)"), "");
    auto* player = ObjectFromHandleAs<TPlayer>(GlobalPointer("p"));
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(game->player, player);

    // Scripts can heal the player up to full health and no further.
    EXPECT_FLOAT_EQ(player->maxHealth, 100.0f);
    ASSERT_EQ(Run("actor.SetHealth(p, 30.7, 0)"), "");
    EXPECT_FLOAT_EQ(player->health, 30.0f);
    ASSERT_EQ(Run("actor.SetHealth(p, -45.9, 1)"), "");
    EXPECT_FLOAT_EQ(player->health, -15.0f);  // no lower bound
    ASSERT_EQ(Run("actor.SetHealth(p, 1000, 1)"), "");
    EXPECT_FLOAT_EQ(player->health, 100.0f);

    ASSERT_EQ(Run("actor.SetArmor(p, -5, 0)"), "");
    EXPECT_FLOAT_EQ(player->armor, 0.0f);
    ASSERT_EQ(Run("actor.SetArmor(p, 150, 0)"), "");
    EXPECT_FLOAT_EQ(player->armor, 100.0f);
    ASSERT_EQ(Run("actor.SetArmor(p, -20.5, 1)"), "");
    EXPECT_FLOAT_EQ(player->armor, 80.0f);
}

TEST_F(PlayerApi, ActionsByName)
{
    ASSERT_EQ(Run("p = CreatePlayer(0, 0); actor.SetAction(p, 'hit'); a = actor.GetAction(p)"), "");
    EXPECT_EQ(GlobalNumber("a"), 6.0);
    EXPECT_NE(Run("actor.SetAction(p, 'dance')").find("actions"), std::string::npos);
    EXPECT_NE(Run("actor.SetAction(p)"), "");
    EXPECT_EQ(GlobalNumber("a"), 6.0);
}

TEST_F(PlayerApi, AmmunitionOfTheCurrentPlayer)
{
    // Nothing to read or change before a player exists; GetPlayer gives a null handle.
    ASSERT_EQ(Run("n = select('#', player.GetAmmo(1)); h = player.GetPlayer(); "
                  "isnil = tostring(h == nil); kind = type(h); player.SetAmmo(5, 1, 0)"),
              "");
    EXPECT_EQ(GlobalNumber("n"), 0.0);
    EXPECT_EQ(GlobalString("kind"), "userdata");
    EXPECT_EQ(GlobalString("isnil"), "false");
    EXPECT_EQ(GlobalPointer("h"), nullptr);

    ASSERT_EQ(Run("p = CreatePlayer(0, 0); same = player.GetPlayer() == p"), "");
    auto* player = ObjectFromHandleAs<TPlayer>(GlobalPointer("p"));
    ASSERT_NE(player, nullptr);
    ASSERT_EQ(Run("player.SetAmmo(10, 2, 0); player.SetAmmo(-3, 2, 0)"), "");
    EXPECT_EQ(player->ammo[2], 10);
    EXPECT_NE(console.Text().find("player.SetAmmo: cannot set ammo to negative values"), std::string::npos);
    ASSERT_EQ(Run("player.SetAmmo(-3, 2, 1); a = player.GetAmmo(2)"), "");
    EXPECT_EQ(GlobalNumber("a"), 7.0);
    // Types outside 0..9 never touch the store.
    ASSERT_EQ(Run("player.SetAmmo(4, 10, 0); player.SetAmmo(4, -1, 0); "
                  "n10 = select('#', player.GetAmmo(10)); nneg = select('#', player.GetAmmo(-1))"),
              "");
    EXPECT_EQ(GlobalNumber("n10"), 0.0);
    EXPECT_EQ(GlobalNumber("nneg"), 0.0);
    for (int type = 0; type < kActorAmmoTypes; ++type)
        EXPECT_EQ(player->ammo[type], type == 2 ? 7 : 0) << type;
}

TEST_F(PlayerApi, StaleAndWrongHandlesAreReported)
{
    ASSERT_EQ(Run("p = CreatePlayer(0, 0); stone = CreateItem(0, 0, 'stone'); object.Delete(p)"), "");
    world->Step();  // the player leaves the world
    EXPECT_EQ(game->player, nullptr);
    console = TConsole();
    ASSERT_EQ(Run("actor.SetHealth(p, 5, 0); actor.SetArmor(p, 5, 0); a = actor.GetAction(p); "
                  "actor.SetAction(p, 'walk'); actor.SetHealth(nil, 1, 0); actor.SetArmor(stone, 5, 0)"),
              "");
    const std::string text = console.Text();
    for (const char* method : {"actor.SetHealth", "actor.SetArmor", "actor.GetAction", "actor.SetAction"})
        EXPECT_NE(text.find(std::string(method) + ":invalid pointer\n"), std::string::npos) << method;
    EXPECT_EQ(GlobalString("a"), "<nil>");
    // Null and wrong-kind handles are turned away the same way.
    size_t reports = 0;
    for (size_t at = text.find(":invalid pointer"); at != std::string::npos; at = text.find(":invalid pointer", at + 1))
        ++reports;
    EXPECT_EQ(reports, 6u) << text;
}

TEST_F(PlayerApi, ControlFlagAndTheCreationTransform)
{
    ASSERT_EQ(Run("SetPlayerControl(0)"), "");
    EXPECT_EQ(playerControl, 0);
    ASSERT_EQ(Run("SetPlayerControl(true)"), "");
    EXPECT_EQ(playerControl, 1);
    ASSERT_EQ(Run("SetPlayerControl(false)"), "");
    EXPECT_EQ(playerControl, 0);
    ASSERT_EQ(Run("SetPlayerControl(1)"), "");
    EXPECT_EQ(playerControl, 1);

    ASSERT_EQ(Run("SetCreationTransform(10, 20, 0); p = CreatePlayer(1, 2); SetCreationTransform(0, 0, 0)"), "");
    auto* player = ObjectFromHandleAs<TPlayer>(GlobalPointer("p"));
    ASSERT_NE(player, nullptr);
    EXPECT_NEAR(player->GetPosition().x, 11.0f, 1e-4);
    EXPECT_NEAR(player->spawnY, 22.0f, 1e-4);
    float px = 0.0f, py = 0.0f;
    ASSERT_TRUE(PlayerPixelPosition(game, &px, &py));
    EXPECT_NEAR(px, 132.0f, 1e-3);
    EXPECT_NEAR(py, 264.0f, 1e-3);
    // The player is never written into a module or saved level.
    EXPECT_EQ(player->GetCreateCommand(), "");

    // NaN or infinity, given as a place or as the transform, is a script error
    // and leaves no body where Box2D cannot have one.
    for (const char* call : {"CreatePlayer(0/0, 0)", "CreatePlayer(0, 1/0)", "SetCreationTransform(0, -1/0, 0)",
                             "SetCreationTransform(0, 0, 0/0)"})
        EXPECT_NE(Run(call).find("finite number expected"), std::string::npos) << call;
    float tx = 1.0f, ty = 1.0f, ta = 1.0f;
    creationTransform.Get(&tx, &ty, &ta);
    EXPECT_EQ(tx + ty + ta, 0.0f) << "a refused transform changes nothing";
}

TEST_F(PlayerApi, CarriedStateCrossesToTheNextPlayer)
{
    TPlayer* player = MakePlayer();
    player->TakeItem("pistol");
    player->TakeItem("stone");
    auto* pistol = dynamic_cast<TTulirelv*>(player->PlayerInventory()->Slot(0));
    ASSERT_NE(pistol, nullptr);
    pistol->roundsLoaded = 2;
    player->ammo[0] = 17;
    player->ammo[9] = 4;
    player->health = 64.0f;
    StoreCarriedState(game);

    world->Clear();
    ASSERT_EQ(game->player, nullptr);
    TPlayer* next = MakePlayer(5.0f, 5.0f);
    ApplyCarriedState(game);
    EXPECT_EQ(next->ammo[0], 17);
    EXPECT_EQ(next->ammo[9], 4);
    EXPECT_FLOAT_EQ(next->health, 64.0f);
    TPlayerInventory* items = next->PlayerInventory();
    auto* carried = dynamic_cast<TTulirelv*>(items->Slot(0));
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(carried->roundsLoaded, 2);
    ASSERT_NE(items->Slot(1), nullptr);
    EXPECT_EQ(items->Slot(1)->itemName, "stone");
    EXPECT_EQ(items->Slot(2), nullptr);
}
