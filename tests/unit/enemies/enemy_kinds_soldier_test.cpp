// Soldiers and their weapons: the weapon a creator's name gives them, firing
// at a player in sight (and not through a wall), shots that do not count as
// the player's, and the sidestep when the player aims at them.
#include "enemy_kinds_test_support.h"
#include "core/Game.h"
#include "enemies/HallSdur.h"
#include "enemies/Sdur.h"
#include "level/campaign/LevelProgress.h"
#include "player/weapons/Tulirelv.h"
#include <set>

namespace {

class Soldiers : public EnemyKindFixture {
protected:
    // The soldier in "aim" at the player, its aim time already spent.
    void ReadyToFire(TSdur* soldier, TPlayer* player)
    {
        Face(soldier, player->GetPosition().x, player->GetPosition().y);
        soldier->SetTarget(player);
        soldier->SetAction(kActionAim);
        soldier->shotsLeft = soldier->tuning.burstSize;
        soldier->aimTimer = 0;
    }

    // Steps the world n frames; the number of bullets of `shooter` seen alive
    // right after a step (each bullet counted once).
    int StepCountingBullets(TGameObject* shooter, int n)
    {
        std::set<TKuul*> seen;
        int count = 0;
        for (int i = 0; i < n; ++i) {
            Frames(1);
            for (TGameObject* o : world->objects) {
                auto* bullet = dynamic_cast<TKuul*>(o);
                if (bullet && bullet->shooter == shooter && seen.insert(bullet).second) ++count;
            }
            // Pointers of deleted bullets may come back: forget the dead.
            std::set<TKuul*> alive;
            for (TGameObject* o : world->objects)
                if (auto* bullet = dynamic_cast<TKuul*>(o); bullet && seen.count(bullet)) alive.insert(bullet);
            seen.swap(alive);
        }
        return count;
    }
};

TEST_F(Soldiers, WeaponNamesGiveTheNamedItemTheDefaultOrNothingWithoutCrashing)
{
    struct Case {
        const char* call;
        const char* held;  // nullptr: unarmed
        const char* saved;
    };
    const Case cases[] = {
        {"CreateSoldier(0, 0)", "automaat", "\"automaat\""},
        {"CreateSoldier(0, 0, nil)", "automaat", "\"automaat\""},
        {"CreateSoldier(0, 0, '0')", "automaat", "\"automaat\""},
        {"CreateSoldier(0, 0, 0)", "automaat", "\"automaat\""},
        {"CreateRedSoldier(0, 0, 'pistol')", "pistol", "\"pistol\""},
        {"CreateGreySoldier(0, 0, 'nosuchgun')", nullptr, "\"nosuchgun\""},
        {"CreateSoldier(0, 0, '')", "automaat", "\"automaat\""},
        {"CreateSoldier(0, 0, 'a\"b\\\\c')", nullptr, "\"a\\\"b\\\\c\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        world->Clear();
        TSdur* soldier = Create<TSdur>(c.call);
        ASSERT_NE(soldier, nullptr);
        EXPECT_NE(soldier->GetCreateCommand().find(c.saved), std::string::npos)
            << soldier->GetCreateCommand();
        if (c.held) {
            ASSERT_NE(soldier->Weapon(), nullptr);
            EXPECT_EQ(soldier->Weapon()->itemName, c.held);
            EXPECT_EQ(soldier->tuning.hasGun, 1);
        } else {
            EXPECT_EQ(soldier->Weapon(), nullptr);
            EXPECT_EQ(soldier->tuning.hasGun, 0) << "an unarmed soldier must not stop to aim";
        }
        EXPECT_EQ(soldier->ammo[1], 1000);
    }

    // A saved line with an odd weapon name reads back as the same name.
    world->Clear();
    TSdur* odd = Create<TSdur>("CreateSoldier(0, 0, 'a\"b\\\\c')");
    ASSERT_NE(odd, nullptr);
    const std::string line = odd->GetCreateCommand();
    world->Clear();
    TSdur* again = Create<TSdur>(line.substr(0, line.size() - 1));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->weaponName, "a\"b\\c");
}

TEST_F(Soldiers, ArmedSoldierFiresItsWeaponAtAPlayerInSightWithoutCountingPlayerShots)
{
    TPlayer* player = MakePlayer(0.0f, 0.0f);
    input->aim = b2Vec2(1.0f, 0.0f);  // aiming away from the soldier
    TSdur* soldier = Create<TSdur>("CreateSoldier(0, 5)");
    ASSERT_NE(soldier, nullptr);
    auto* gun = dynamic_cast<TTulirelv*>(soldier->Weapon());
    ASSERT_NE(gun, nullptr);
    ReadyToFire(soldier, player);
    soldier->tuning.shootChance = 0.0f;  // one burst only
    const int shotsBefore = game->progress->shots;

    const int bullets = StepCountingBullets(soldier, 10);
    EXPECT_GT(bullets, 0);
    EXPECT_LT(gun->roundsLoaded, gun->clipSize);
    EXPECT_EQ(game->progress->shots, shotsBefore) << "a soldier's shot counted as the player's";
    EXPECT_LT(player->health, 100.0f) << "no bullet reached the player in plain sight";
    // The burst ends and the soldier goes back to walking.
    EXPECT_EQ(soldier->action, kActionWalk);
}

TEST_F(Soldiers, NoShotThroughAWallAndNoneWithoutAWeapon)
{
    TPlayer* player = MakePlayer(0.0f, 0.0f);
    input->aim = b2Vec2(1.0f, 0.0f);
    TSdur* soldier = Create<TSdur>("CreateSoldier(0, 6)");
    ASSERT_NE(soldier, nullptr);
    WallAt(0.0f, 3.0f);
    ReadyToFire(soldier, player);
    soldier->tuning.shootChance = 0.0f;  // keep it from aiming again
    soldier->Update();
    EXPECT_EQ(soldier->action, kActionWalk);
    EXPECT_EQ(StepCountingBullets(soldier, 20), 0);

    world->Clear();
    player = MakePlayer(0.0f, 0.0f);
    input->aim = b2Vec2(1.0f, 0.0f);
    THallSdur* unarmed = Create<THallSdur>("CreateGreySoldier(0, 4, 'nosuchgun')");
    ASSERT_NE(unarmed, nullptr);
    ReadyToFire(unarmed, player);
    EXPECT_EQ(StepCountingBullets(unarmed, 20), 0);
    EXPECT_NE(unarmed->action, kActionAim);
}

TEST_F(Soldiers, SidestepsWhileThePlayerAimsAtItThenClosesIn)
{
    TPlayer* player = MakePlayer(0.0f, 0.0f);
    TSdur* soldier = Create<TSdur>("CreateSoldier(4, 0)");
    ASSERT_NE(soldier, nullptr);
    soldier->SetTarget(player);
    soldier->SetAction(kActionWalk);
    soldier->tuning.shootChance = 0.0f;

    // Aimed straight at: a goal 2 m to the side of the line to the player.
    player->aim = b2Vec2(1.0f, 0.02f);
    soldier->OnWalk();
    EXPECT_EQ(soldier->dodgeCounter, kDodgeUpdates);
    EXPECT_FLOAT_EQ(soldier->tuning.moveForce, kDodgeForce);
    EXPECT_NEAR(soldier->goalX, 4.0f, 0.05f);
    EXPECT_NEAR(std::fabs(soldier->goalY), 2.0f, 0.05f);

    // Aim elsewhere: it keeps dodging for the counter, then heads for the player.
    player->aim = b2Vec2(0.0f, 1.0f);
    for (int i = 0; i < kDodgeUpdates - 1; ++i) soldier->OnWalk();
    EXPECT_EQ(soldier->dodgeCounter, 1);
    EXPECT_FLOAT_EQ(soldier->tuning.moveForce, kDodgeForce);
    soldier->OnWalk();
    soldier->OnWalk();
    EXPECT_LE(soldier->dodgeCounter, 0);
    EXPECT_FLOAT_EQ(soldier->tuning.moveForce, kChaseForce);
    EXPECT_NEAR(soldier->goalX, player->GetPosition().x, 1e-5f);
    EXPECT_NEAR(soldier->goalY, player->GetPosition().y, 1e-5f);
}

} // namespace
