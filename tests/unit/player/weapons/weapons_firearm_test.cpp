// Firearms in the hands of an actor: rate of fire, single-shot weapons, the
// clip running dry, reloading by itself and on the reload key, the holder's
// frames, and what the weapon carries across a level change.
#include "items_test_support.h"
#include "core/InputTables.h"
#include "player/Player.h"
#include "player/PlayerInventory.h"
#include "player/weapons/Tulirelv.h"
#include "render/Camera.h"
#include <memory>
#include <vector>

namespace {

class Firearm : public ItemFixture {
protected:
    // A weapon of `name` in the hands of a fresh aiming actor.
    TTulirelv* Armed(const std::string& name, TActor** holderOut)
    {
        TActor* holder = MakeHolder(0.0f, 0.0f);
        auto* gun = Make<TTulirelv>(name);
        EXPECT_NE(gun, nullptr);
        if (gun) gun->PickUp(holder);
        holder->action = kActionAim;
        *holderOut = holder;
        return gun;
    }
    // The trigger held for n frames: the frames (0-based) on which a round went.
    std::vector<int> HoldTrigger(TTulirelv* gun, int n)
    {
        std::vector<int> shots;
        for (int i = 0; i < n; ++i) {
            const int before = gun->roundsLoaded;
            gun->Activate();
            if (gun->roundsLoaded < before) shots.push_back(i);
            Frames(1);
        }
        return shots;
    }
};

TEST_F(Firearm, HeldTriggerFiresAtTheReloadTimeUntilTheClipIsEmptyThenReloadsFromTheStore)
{
    TActor* holder = nullptr;
    TTulirelv* gun = Armed("pistol", &holder);
    holder->ammo[0] = 5;

    EXPECT_EQ(HoldTrigger(gun, 15), (std::vector<int>{0, 5, 10}));
    EXPECT_EQ(gun->roundsLoaded, 0);

    // The next pull starts a reload of clipreloadtime frames.
    EXPECT_FALSE(gun->Activate());
    EXPECT_EQ(gun->reloadTimer, 10);
    Frames(9);
    EXPECT_EQ(gun->roundsLoaded, 0);
    EXPECT_FLOAT_EQ(holder->frame, 7.0f) << "reload frame while reloading";
    Frames(1);
    EXPECT_EQ(gun->roundsLoaded, 3);
    EXPECT_EQ(holder->ammo[0], 2);

    // The last two rounds of the store fill the clip only partly.
    EXPECT_EQ(HoldTrigger(gun, 15).size(), 3u);
    gun->Activate();
    Frames(10);
    EXPECT_EQ(gun->roundsLoaded, 2);
    EXPECT_EQ(holder->ammo[0], 0);

    // Empty clip, empty store: a click that releases the trigger, no reload.
    HoldTrigger(gun, 11);
    EXPECT_EQ(gun->roundsLoaded, 0);
    Frames(5);
    EXPECT_TRUE(gun->Activate());
    EXPECT_LT(gun->reloadTimer, 0);
}

TEST_F(Firearm, HolderFramesFollowTheShot)
{
    TActor* holder = nullptr;
    TTulirelv* gun = Armed("pistol", &holder);
    gun->Activate();
    EXPECT_EQ(holder->action, kActionShoot);
    EXPECT_FLOAT_EQ(holder->frame, 6.0f);
    Frames(1);
    EXPECT_FLOAT_EQ(holder->frame, 6.0f) << "just fired";
    Frames(1);
    EXPECT_EQ(holder->action, kActionAim) << "the carried update puts the holder back to aiming";
    EXPECT_FLOAT_EQ(holder->frame, 5.0f);

    // A weapon fires only while its holder aims.
    holder->action = kActionWalk;
    Frames(5);
    const int rounds = gun->roundsLoaded;
    EXPECT_FALSE(gun->Activate());
    EXPECT_EQ(gun->roundsLoaded, rounds);
}

TEST_F(Firearm, SingleShotWeaponsReleaseTheTriggerAndStillKeepTheirCooldown)
{
    TActor* holder = nullptr;
    TTulirelv* gun = Armed("shotgun", &holder);
    const int before = CountInWorld<TKuul>();
    EXPECT_TRUE(gun->Activate());
    EXPECT_EQ(CountInWorld<TKuul>() - before, 6) << "six pellets per shot";
    EXPECT_EQ(gun->roundsLoaded, 2);

    // Pressed again at once: still single-shot, but nothing until the cooldown ends.
    Frames(2);
    EXPECT_TRUE(gun->Activate());
    EXPECT_EQ(gun->roundsLoaded, 2);
    Frames(3);
    EXPECT_TRUE(gun->Activate());
    EXPECT_EQ(gun->roundsLoaded, 1);
}

TEST_F(Firearm, ReloadKeyReturnsLoadedRoundsAndSwitchingAwayPausesTheReload)
{
    ASSERT_EQ(Run("settings = {keys = {reload = 114}}\n"
                  "itemtable.rifle = gun{clipsize = 6, clipreloadtime = 8}"),
              "");
    auto* player = new TPlayer(0.0f, 0.0f);
    auto* rifle = Make<TTulirelv>("rifle");
    TItem* rope = Make("rope");
    rifle->PickUp(player);
    rope->PickUp(player);
    player->inventory->selected = 0;
    player->action = kActionAim;
    player->ammo[0] = 10;
    EXPECT_EQ(HoldTrigger(rifle, 15).size(), 3u);
    ASSERT_EQ(rifle->roundsLoaded, 3);

    testing_support::PressKeys({114});
    Frames(1);
    inputTables.BeginFrame();
    EXPECT_EQ(rifle->roundsLoaded, 0);
    EXPECT_EQ(player->ammo[0], 13) << "the loaded rounds went back to the store";
    EXPECT_EQ(rifle->reloadTimer, 8);

    Frames(3);
    player->inventory->selected = 1;
    Frames(20);
    EXPECT_EQ(rifle->reloadTimer, 5) << "paused while another item is selected";
    player->inventory->selected = 0;
    Frames(5);
    EXPECT_EQ(rifle->roundsLoaded, 6);
    EXPECT_EQ(player->ammo[0], 7);

    // A full clip ignores the key.
    testing_support::PressKeys({114});
    Frames(1);
    inputTables.BeginFrame();
    EXPECT_EQ(rifle->roundsLoaded, 6);
    EXPECT_LT(rifle->reloadTimer, 0);

    // The loaded rounds cross a level change; the HUD line shows them.
    rifle->roundsLoaded = 4;
    const TLevelProgress::CarriedSlot slot = rifle->GetCarryState();
    EXPECT_EQ(slot.name, "rifle");
    EXPECT_EQ(slot.count, 4);
    EXPECT_EQ(rifle->AmmoLine(), "ammo  =4/7");
    EXPECT_EQ(rope->GetCarryState().count, 0);
}

TEST_F(Firearm, PlayerShotsShakeTheCameraAndCountForTheStatistics)
{
    auto* player = new TPlayer(0.0f, 0.0f);
    auto* gun = Make<TTulirelv>("shotgun");
    gun->PickUp(player);
    player->action = kActionAim;
    game->progress->shots = 0;
    cameraShake = 0.0f;
    gun->Activate();
    EXPECT_FLOAT_EQ(cameraShake, 2.0f);
    EXPECT_EQ(game->progress->shots, 6);

    // Another actor's shots count for nothing.
    TActor* other = nullptr;
    TTulirelv* theirs = Armed("pistol", &other);
    theirs->Activate();
    EXPECT_EQ(game->progress->shots, 6);
    EXPECT_FLOAT_EQ(cameraShake, 2.0f);
}

} // namespace
