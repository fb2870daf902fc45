// The big zombie's stone, the red robot's charge and the skeleton's bones:
// thrown stones that fly, hurt the player or break on walls and otherwise roll
// to a stop; a charge that ends when the robot runs into a wall; bullets that
// knock dust out of a skeleton without hurting it into pain, and blasts that
// scatter it.
#include "enemy_kinds_test_support.h"
#include "enemies/BigZombi.h"
#include "enemies/PunaneRobot.h"
#include "enemies/Skeleton.h"
#include "enemies/ZombiKivi.h"
#include "render/Camera.h"
#include "render/effects/Limb.h"
#include "render/effects/ParticleSystem.h"
#include "world/Plahvatus.h"

namespace {

class Monsters : public EnemyKindFixture {
protected:
    // A big zombie at (x, y) that throws its stone toward (tx, ty) on its next update.
    TBigZombi* ThrowerAt(float x, float y, float tx, float ty, TGameObject* target)
    {
        TBigZombi* zombie = Create<TBigZombi>("CreateBigZombie(" + std::to_string(x) + ", " +
                                              std::to_string(y) + ")");
        if (!zombie) return nullptr;
        zombie->tuning.aimSpread = 0.0f;
        Face(zombie, tx, ty);
        zombie->SetTarget(target);
        zombie->SetAction(kActionShoot);
        return zombie;
    }

    TZombiKivi* TheStone()
    {
        for (TGameObject* o : world->objects)
            if (auto* stone = dynamic_cast<TZombiKivi*>(o); stone && !stone->dead) return stone;
        return nullptr;
    }
};

TEST_F(Monsters, BigZombieThrowsOneStoneThatFliesIntoThePlayerAndHurts)
{
    TPlayer* player = MakePlayer(0.0f, 0.0f);
    TBigZombi* zombie = ThrowerAt(0.0f, 4.0f, 0.0f, 0.0f, player);
    ASSERT_NE(zombie, nullptr);
    zombie->Update();
    EXPECT_EQ(Live<TZombiKivi>(), 1);
    EXPECT_EQ(zombie->action, kActionWalk) << "one stone per aim";
    TZombiKivi* stone = TheStone();
    ASSERT_NE(stone, nullptr);
    const b2Vec2 start = stone->GetPosition();

    Frames(1);
    ASSERT_TRUE(InWorld(stone));
    EXPECT_LT(stone->GetPosition().y, start.y - 0.1f) << "the stone does not fly toward the player";
    EXPECT_TRUE(stone->Flying());

    for (int i = 0; i < 30 && InWorld(stone); ++i) Frames(1);
    EXPECT_FALSE(InWorld(stone)) << "the stone should break on the player";
    EXPECT_LT(player->health, 100.0f);
    EXPECT_EQ(Live<TZombiKivi>(), 0);
}

TEST_F(Monsters, StoneBreaksOnAWallHarmlesslyAndAMissRollsToAStop)
{
    TPlayer* player = MakePlayer(0.0f, 0.0f);
    WallAt(0.0f, 2.0f);  // between the zombie and the player
    TBigZombi* zombie = ThrowerAt(0.0f, 6.0f, 0.0f, 0.0f, player);
    ASSERT_NE(zombie, nullptr);
    zombie->tuning.shootChance = 0.0f;
    zombie->Update();
    TZombiKivi* stone = TheStone();
    ASSERT_NE(stone, nullptr);
    for (int i = 0; i < 30 && InWorld(stone); ++i) Frames(1);
    EXPECT_FALSE(InWorld(stone));
    EXPECT_FLOAT_EQ(player->health, 100.0f);

    // Thrown into the open, away from everything: it lands, rolls, and is gone.
    world->Clear();
    player = MakePlayer(0.0f, 0.0f);
    zombie = ThrowerAt(20.0f, 0.0f, 40.0f, 0.0f, player);
    ASSERT_NE(zombie, nullptr);
    zombie->Update();
    stone = TheStone();
    ASSERT_NE(stone, nullptr);
    Frames(25);
    ASSERT_TRUE(InWorld(stone));
    EXPECT_FALSE(stone->Flying());
    for (int i = 0; i < 300 && InWorld(stone); ++i) Frames(1);
    EXPECT_FALSE(InWorld(stone)) << "a landed stone must come to rest and leave";
    EXPECT_FLOAT_EQ(player->health, 100.0f);
}

TEST_F(Monsters, RedRobotChargeShakesTheScreenAndEndsIdleOnAWall)
{
    TPunaneRobot* robot = Create<TPunaneRobot>("CreateRedRobot(0, 0)");
    ASSERT_NE(robot, nullptr);
    WallAt(3.0f, 0.0f);
    Face(robot, 3.0f, 0.0f);
    robot->goalX = 1.9f;
    robot->goalY = 0.0f;
    robot->SetAction(kActionSprint);
    const float shakeBefore = cameraShake;

    int sprinting = 0;
    for (int i = 0; i < 90 && robot->action == kActionSprint; ++i) {
        world->Step();
        if (robot->action == kActionSprint) ++sprinting;
    }
    EXPECT_GT(sprinting, 0);
    EXPECT_EQ(robot->action, kActionIdle) << "the charge did not end at the wall";
    EXPECT_GT(robot->GetPosition().x, 0.8f) << "it stopped before reaching the wall";
    EXPECT_GT(cameraShake, shakeBefore);
    EXPECT_EQ(robot->chargeCooldown, kChargeCooldown);

    // Walking again, it will not charge until the cooldown has run out.
    robot->SetAction(kActionWalk);
    robot->goalX = 1.0f;
    for (int i = 0; i < 50; ++i) {
        robot->OnWalk();
        EXPECT_NE(robot->action, kActionSprint) << "charged again during the cooldown";
        robot->SetAction(kActionWalk);
    }
}

TEST_F(Monsters, SkeletonShedsBoneDustUnderFireAndFallsApartInABlast)
{
    TSkeleton* skeleton = Create<TSkeleton>("CreateMSkeleton(0, 0)");
    ASSERT_NE(skeleton, nullptr);
    const int dustBefore = world->particles->AliveCount();
    auto* bullet = new TKuul(-1.0f, 0.0f, 0.0f, 30.0f, 12.0f, 10.0f, 10, kBulletPlain, nullptr);
    for (int i = 0; i < 10; ++i) skeleton->OnBulletHit(bullet);
    EXPECT_FLOAT_EQ(skeleton->health, 250.0f - 120.0f);
    EXPECT_NE(skeleton->action, kActionPain) << "skeletons feel no pain";
    EXPECT_FALSE(skeleton->dead) << "skeletons never burst from bullets";
    EXPECT_GE(world->particles->AliveCount() - dustBefore, 12);

    // A blast right beside it: seven bone pieces, the skeleton gone.
    new TPlahvatus(0.1f, 0.0f, 2.0f);
    for (int i = 0; i < 3 && InWorld(skeleton); ++i) world->Step();
    EXPECT_FALSE(InWorld(skeleton));
    EXPECT_EQ(Live<TLimb>(), TSkeleton::kBonePieces);
}

} // namespace
