// The player's action machine, movement and damage, stepped without drawing.
#include "player_test_support.h"
#include "player/weapons/Tulirelv.h"
#include <cmath>

using PlayerActions = PlayerFixture;

TEST_F(PlayerActions, IdleTurnsToAimAndAimFollowsTheAimInput)
{
    TPlayer* player = MakePlayer();
    EXPECT_EQ(player->health, 100.0f);
    EXPECT_EQ(player->action, kActionIdle);
    EXPECT_EQ(game->player, player);

    player->Update();
    EXPECT_EQ(player->action, kActionAim);
    // Without the aim input the next update drops back to walking.
    player->Update();
    EXPECT_EQ(player->action, kActionWalk);
    input->aiming = true;
    player->Update();
    EXPECT_EQ(player->action, kActionAim);
    // Aiming turns the body toward the crosshair: straight down the screen.
    input->aim = b2Vec2(0.0f, 3.0f);
    player->Update();
    EXPECT_NEAR(-player->GetAngle(), -1.5707963f, 1e-4);
}

TEST_F(PlayerActions, StabRunsFrames27To30ThenWalks)
{
    TPlayer* player = MakePlayer();
    Updates(player, 2);
    ASSERT_EQ(player->action, kActionWalk);
    input->stab = true;
    player->Update();
    EXPECT_EQ(player->action, kActionHit);
    EXPECT_FLOAT_EQ(player->frame, 27.5f);  // set to 27, then the first half frame
    Updates(player, 5);
    EXPECT_EQ(player->action, kActionHit);
    EXPECT_FLOAT_EQ(player->frame, 30.0f);
    player->Update();
    EXPECT_EQ(player->action, kActionWalk);
    EXPECT_FLOAT_EQ(player->frame, 0.0f);

    // No stab from the floor.
    player->KnockDown(0.0f, 0.0f, 1.0f);
    input->stab = true;
    player->Update();
    EXPECT_EQ(player->action, kActionFall);
}

TEST_F(PlayerActions, WalkingAndAimingSpeedsAreCapped)
{
    TPlayer* player = MakePlayer();
    Updates(player, 2);
    // A diagonal keyboard push is normalised; the cap holds the speed at 4.
    input->move = b2Vec2(1.0f, 1.0f);
    float fastest = 0.0f;
    for (int i = 0; i < 90; ++i) {
        player->Update();
        world->Step();
        fastest = std::max(fastest, player->body->GetLinearVelocity().Length());
    }
    EXPECT_GT(fastest, 3.0f);
    EXPECT_LE(player->body->GetLinearVelocity().Length(), kWalkSpeedCap + 0.8f);
    // Walking frames cycle through 0..4 and the body turns toward the walk.
    EXPECT_GE(player->frame, 0.0f);
    EXPECT_LE(player->frame, 4.0f);
    EXPECT_NEAR(-player->GetAngle(), -0.785398f, 0.05f);

    input->aiming = true;
    for (int i = 0; i < 60; ++i) {
        player->Update();
        world->Step();
    }
    EXPECT_EQ(player->action, kActionAim);
    EXPECT_LE(player->body->GetLinearVelocity().Length(), kAimSpeedCap + 0.5f);
    EXPECT_GT(player->body->GetLinearVelocity().Length(), 1.0f);
}

TEST_F(PlayerActions, KnockedDownLiesTwentyOneFramesAndRisesOverThirteen)
{
    TPlayer* player = MakePlayer();
    Updates(player, 2);
    player->KnockDown(1.0f, 0.0f, 15.0f);
    EXPECT_FLOAT_EQ(player->health, 85.0f);
    EXPECT_EQ(player->action, kActionFall);
    EXPECT_FLOAT_EQ(player->frame, 22.0f);

    Updates(player, 20);
    EXPECT_EQ(player->action, kActionFall);
    EXPECT_EQ(player->collision, kCollisionModeNone);
    player->Update();
    EXPECT_EQ(player->action, kActionRise);
    EXPECT_EQ(player->collision, kCollisionModeSolid);
    Updates(player, 12);
    EXPECT_EQ(player->action, kActionRise);
    EXPECT_GE(player->frame, 19.0f);
    player->Update();
    EXPECT_EQ(player->action, kActionWalk);
    EXPECT_FLOAT_EQ(player->frame, 0.0f);
}

TEST_F(PlayerActions, ArmorSoaksTheUnpiercedShareAndWearsByThePiercedShare)
{
    TPlayer* player = MakePlayer();
    player->armor = 50.0f;
    EXPECT_FLOAT_EQ(player->ApplyArmoredDamage(10.0f, 20.0f), 6.0f);
    EXPECT_FLOAT_EQ(player->health, 94.0f);
    EXPECT_FLOAT_EQ(player->armor, 48.0f);

    // Negative armor protects nothing and ends at 0.
    player->armor = -30.0f;
    EXPECT_FLOAT_EQ(player->ApplyArmoredDamage(10.0f, 0.0f), 10.0f);
    EXPECT_FLOAT_EQ(player->armor, 0.0f);
    // Armor worn below 0 stops at 0.
    player->armor = 5.0f;
    player->ApplyArmoredDamage(100.0f, 50.0f);
    EXPECT_FLOAT_EQ(player->armor, 0.0f);

    // A bullet goes through armor and shakes the camera; TakeHit ignores armor.
    player->health = 100.0f;
    player->armor = 100.0f;
    cameraShake = 0.0f;
    player->HitByBullet(0.0f, 0.0f, 10.0f, 0.0f);
    EXPECT_FLOAT_EQ(player->health, 100.0f);
    player->TakeHit(0.0f, 0.0f, 10.0f);
    EXPECT_FLOAT_EQ(player->health, 90.0f);
    EXPECT_FLOAT_EQ(cameraShake, 5.0f);
    // An explosion of strength 2 takes 6.
    player->HitByExplosion(1.0f, 0.0f, 2.0f);
    EXPECT_FLOAT_EQ(player->health, 84.0f);
}

TEST_F(PlayerActions, DyingSinksThenTheFadeRunsOut)
{
    TPlayer* player = MakePlayer();
    Updates(player, 2);
    player->TakeHit(0.0f, 0.0f, 150.0f);
    EXPECT_FLOAT_EQ(player->health, 0.0f);
    EXPECT_EQ(player->action, kActionFall);
    EXPECT_FLOAT_EQ(player->frame, 19.0f);
    // Dead players take no more hits.
    player->HitByBullet(0.0f, 0.0f, 10.0f, 100.0f);
    player->KnockDown(0.0f, 0.0f, 10.0f);
    EXPECT_FLOAT_EQ(player->health, 0.0f);

    Updates(player, 15);
    EXPECT_GE(player->frame, 22.0f);
    EXPECT_EQ(player->deathTimer, 50);
    EXPECT_EQ(player->GetDepth(), 1);
    Updates(player, 50);
    EXPECT_EQ(player->deathTimer, 0);
    Updates(player, 5);
    EXPECT_EQ(player->deathTimer, -1);
    EXPECT_FLOAT_EQ(player->health, 0.0f);
}

// The HUD switches to the game-over screen on the update that leaves the fade timer at 0.
bool FadeReachesGameOver(TPlayer* player)
{
    for (int i = 0; i < 200; ++i) {
        player->Update();
        if (player->FadedOut()) return true;
    }
    return false;
}

TEST_F(PlayerActions, DeathsByKnockDownOrDuringTheStabAlsoReachGameOver)
{
    TPlayer* knocked = MakePlayer();
    Updates(knocked, 2);
    knocked->KnockDown(1.0f, 0.0f, 150.0f);
    EXPECT_TRUE(FadeReachesGameOver(knocked));
    EXPECT_FLOAT_EQ(knocked->frame, 22.0f);

    TPlayer* stabbing = MakePlayer();
    Updates(stabbing, 2);
    input->stab = true;
    stabbing->Update();
    input->stab = false;
    ASSERT_EQ(stabbing->action, kActionHit);
    stabbing->health = 0.0f;  // a script's SetHealth during the stab
    stabbing->Update();
    EXPECT_EQ(stabbing->action, kActionFall);
    EXPECT_LT(stabbing->frame, 22.0f);  // sinks through the dying frames
    EXPECT_TRUE(FadeReachesGameOver(stabbing));
}

TEST_F(PlayerActions, ATeleportItemBringsTheDeadPlayerBackToTheStart)
{
    TPlayer* player = MakePlayer(2.0f, 3.0f);
    player->TakeItem("teleport");
    TPlayerInventory* items = player->PlayerInventory();
    ASSERT_EQ(items->FindByName("teleport"), 0);
    TItem* teleport = items->Slot(0);
    player->SetPosition(b2Vec2(9.0f, 9.0f));

    // Killed after his own update in the frame (a bullet updated later): the
    // game-over screen must not come before his death steps, or the teleport
    // never gets its turn.
    player->HitByBullet(0.0f, 0.0f, 200.0f, 100.0f);
    EXPECT_FALSE(player->FadedOut());
    Updates(player, 15);
    EXPECT_EQ(player->deathTimer, 80);
    EXPECT_FALSE(player->FadedOut());
    Updates(player, 41);
    EXPECT_LE(player->health, 0.0f);
    EXPECT_EQ(player->deathTimer, 39);
    player->Update();  // below 40 now
    EXPECT_FLOAT_EQ(player->health, 50.0f);
    EXPECT_NEAR(player->GetPosition().x, 2.0f, 1e-4);
    EXPECT_NEAR(player->GetPosition().y, 3.0f, 1e-4);
    EXPECT_TRUE(teleport->dead);
    EXPECT_EQ(world->introTimer, 0);
    EXPECT_EQ(player->collision, kCollisionModeSolid);
}

TEST_F(PlayerActions, ControlOffFreezesInputButNotFootstepsOrDeath)
{
    TPlayer* player = MakePlayer();
    Updates(player, 2);
    playerControl = 0;
    input->move = b2Vec2(1.0f, 0.0f);
    input->stab = true;
    player->stepCounter = -1.0f;
    Updates(player, 10);
    world->Step();
    EXPECT_NEAR(player->GetPosition().x, 0.0f, 1e-4);
    EXPECT_EQ(player->action, kActionWalk);
    EXPECT_FLOAT_EQ(player->stepCounter, 29.0f);
    player->TakeHit(0.0f, 0.0f, 500.0f);
    Updates(player, 3);
    EXPECT_GT(player->frame, 19.0f);
    playerControl = 1;
}

TEST_F(PlayerActions, FrozenDuringTheLevelStart)
{
    TPlayer* player = MakePlayer();
    world->introTimer = 0;
    input->move = b2Vec2(1.0f, 0.0f);
    for (int i = 0; i < 100; ++i) world->Step();
    EXPECT_NEAR(player->GetPosition().x, 0.0f, 1e-4);
    EXPECT_EQ(player->action, kActionIdle);
    for (int i = 0; i < 40; ++i) world->Step();
    EXPECT_GT(player->GetPosition().x, 0.01f);
}

TEST_F(PlayerActions, KeyboardKeysMoveTheBody)
{
    ASSERT_EQ(Run("settings = settings or {}; settings.keys = {up = 119, down = 115, left = 97, right = 100}"), "");
    auto* player = new TPlayer(0.0f, 0.0f);
    world->introTimer = 1000;
    inputTables.SetKey(SDLK_d, true);
    inputTables.SetKey(SDLK_s, true);
    for (int i = 0; i < 30; ++i) world->Step();
    inputTables.SetKey(SDLK_d, false);
    inputTables.SetKey(SDLK_s, false);
    const b2Vec2 p = player->GetPosition();
    EXPECT_GT(p.x, 0.5f);
    EXPECT_GT(p.y, 0.5f);
    EXPECT_NEAR(p.x, p.y, 0.05f);
    EXPECT_EQ(playerPosition.x, p.x);
}

TEST_F(PlayerActions, ShootingUsesTheSelectedItemAndFacesTheAim)
{
    TPlayer* player = MakePlayer();
    player->TakeItem("pistol");
    player->TakeItem("no such item");
    ASSERT_NE(player->GetCurrentItem(), nullptr);
    EXPECT_EQ(player->GetCurrentItem()->itemName, "pistol");
    player->ammo[0] = 10;
    input->shoot = true;
    input->aiming = true;
    input->aim = b2Vec2(-2.0f, 0.0f);
    for (int i = 0; i < 20; ++i) world->Step();
    EXPECT_NEAR(std::fabs(player->GetAngle()), 3.14159f, 1e-3);
    EXPECT_GT(CountInWorld<TKuul>(), 0);
    // A crate's open take menu blocks firing.
    auto* pistol = dynamic_cast<TTulirelv*>(player->GetCurrentItem());
    ASSERT_NE(pistol, nullptr);
    const int rounds = pistol->roundsLoaded + player->ammo[0];
    player->lootingCrate = 1;
    for (int i = 0; i < 20; ++i) {
        input->shoot = true;
        world->Step();
    }
    EXPECT_EQ(pistol->roundsLoaded + player->ammo[0], rounds);
}

TEST_F(PlayerActions, TheDifficultyScalesEveryHitThePlayerTakesAndNormalLeavesItAlone)
{
    TPlayer* player = MakePlayer();
    ASSERT_NE(game->progress, nullptr);
    // Per difficulty: what a 10-point bullet, a 10-point blow, a 10-point
    // knock-down and a strength-2 explosion take together (10 + 10 + 10 + 6).
    const std::pair<const char*, float> cases[] = {{"normal", 36.0f}, {"easy", 18.0f}, {"hard", 54.0f}};
    for (const auto& [difficulty, loss] : cases) {
        game->progress->difficulty = difficulty;
        player->health = 100.0f;
        player->armor = 0.0f;
        player->action = kActionWalk;
        player->HitByBullet(0.0f, 0.0f, 10.0f, 100.0f);
        player->TakeHit(0.0f, 0.0f, 10.0f);
        player->KnockDown(0.0f, 0.0f, 10.0f);
        player->HitByExplosion(1.0f, 0.0f, 2.0f);
        if (std::string(difficulty) == "normal") EXPECT_EQ(player->health, 100.0f - loss);
        else EXPECT_FLOAT_EQ(player->health, 100.0f - loss) << difficulty;
    }
}
