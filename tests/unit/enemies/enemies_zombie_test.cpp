// Zombies and their spawner: the animation steps and the frames that may be
// drawn, the buried and blue variants, the hold timer and speed wobble, the
// create functions scripts call, and the spawner's release counts.
#include "enemies/ZombieSpawner.h"
#include "enemies_test_support.h"
#include "player/items/Item.h"
#include "world/CreationTransform.h"
#include <cmath>
#include <limits>

using ZombieTest = EnemyFixture;

TEST(EnemyAnimation, StepsLoopsAndEndsAsTheTableSays)
{
    const TEnemyAnimationTable table = ZombieAnimation();

    // Idle 0–1 at 0.1 ends after ten steps and hands over to its next action.
    float frame = 0.0f;
    int steps = 0;
    while (AdvanceAnimation(table.For(kActionIdle), &frame) == AnimationStep::Running) ++steps;
    EXPECT_EQ(steps, 9);
    EXPECT_EQ(table.For(kActionIdle).next, kActionIdle);

    // Walk 20–36 loops back by the length of the cycle.
    frame = 35.9995f;
    EXPECT_EQ(AdvanceAnimation(table.For(kActionWalk), &frame), AnimationStep::Looped);
    EXPECT_NEAR(frame, 20.0005f, 1e-3f);

    // Rise plays 7 down to 4, then idles.
    frame = 7.0f;
    steps = 0;
    while (AdvanceAnimation(table.For(kActionRise), &frame) == AnimationStep::Running) ++steps;
    EXPECT_GE(steps, 29);  // thirty steps of 0.1, give or take rounding
    EXPECT_LE(steps, 30);
    EXPECT_LE(frame, 4.0f);
    EXPECT_EQ(table.For(kActionRise).next, kActionIdle);
    // A backward animation with a negative next loops.
    TEnemyAnimation spin{5.0f, 2.0f, -1.0f, -1};
    frame = 3.0f;
    EXPECT_EQ(AdvanceAnimation(spin, &frame), AnimationStep::Looped);
    EXPECT_FLOAT_EQ(frame, 5.0f);

    // Actions outside the table read as empty rather than past its end.
    EXPECT_EQ(table.For(99).speed, 0.0f);
    EXPECT_EQ(table.For(-1).last, 0.0f);
}

TEST(EnemyAnimation, FramesBeyondTheSpriteDrawNothing)
{
    EXPECT_EQ(DrawableFrame(37, 36.9f), 36);
    EXPECT_EQ(DrawableFrame(37, 37.0f), -1);
    EXPECT_EQ(DrawableFrame(8, 20.0f), -1);
    EXPECT_EQ(DrawableFrame(8, -0.5f), -1);
    EXPECT_EQ(DrawableFrame(8, std::numeric_limits<float>::quiet_NaN()), -1);
    EXPECT_EQ(DrawableFrame(static_cast<const TSprite*>(nullptr), 0.0f), -1);
    // A sprite whose frame list is shorter than its count is bounded by the list.
    TSprite odd;
    odd.frameCount = 10;
    odd.frames.resize(4);
    EXPECT_EQ(DrawableFrame(&odd, 3.5f), 3);
    EXPECT_EQ(DrawableFrame(&odd, 5.0f), -1);
}

TEST_F(ZombieTest, CorpseOfAFrameTheSpriteLacksIsNotPlaced)
{
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    zombie->sprite = AddSprite("spr_short_zombie", 5);  // no lying frames
    zombie->SetAction(kActionLay);
    const size_t decals = world->bitmaps.size();
    zombie->Update();
    EXPECT_TRUE(zombie->dead);
    EXPECT_EQ(Kills("zombie"), 1);  // still counted
    EXPECT_EQ(world->bitmaps.size(), decals);
}

TEST_F(ZombieTest, BuriedZombieIsUntouchableUntilItDigsOutNearThePlayer)
{
    TPlayer* player = PlayerAt(3.0f, 0.0f);
    TZombi* zombie = ZombieAt(0.0f, 0.0f, 0.0f, kZombieHidden);
    EXPECT_EQ(zombie->action, kActionHide);
    EXPECT_NE(zombie->GetCreateCommand().find("\"100\""), std::string::npos);

    // Three metres away it stays under; rays (and so bullets) pass through.
    for (int i = 0; i < 1000; ++i) zombie->Update();
    EXPECT_EQ(zombie->action, kActionHide);
    EXPECT_EQ(zombie->collision, kCollisionModeNone);
    TGameObject* hit = nullptr;
    RayCast(-2.0f, 0.0f, 2.0f, 0.0f, nullptr, nullptr, &hit, kBulletMask, nullptr);
    EXPECT_EQ(hit, nullptr);

    // Within two metres it digs out and is solid again.
    player->body->SetTransform(b2Vec2(1.5f, 0.0f), 0.0f);
    int updates = 0;
    while (zombie->action == kActionHide && updates < 2000) {
        zombie->Update();
        ++updates;
    }
    ASSERT_EQ(zombie->action, kActionDig);
    zombie->Update();
    EXPECT_EQ(zombie->collision, kCollisionModeSolid);
    for (int i = 0; i < 20 && zombie->action == kActionDig; ++i) zombie->Update();
    EXPECT_NE(zombie->action, kActionDig);
    RayCast(-2.0f, 0.0f, 1.0f, 0.0f, nullptr, nullptr, &hit, kBulletMask, nullptr);
    EXPECT_EQ(hit, zombie);
}

TEST_F(ZombieTest, HoldTimerKeepsASpawnedZombieChargingAndSpeedWobbles)
{
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    zombie->SetAction(kActionWalk);
    zombie->holdTimer = 15;
    zombie->goalX = 30.0f;  // beyond the give-up distance
    for (int i = 0; i < 14; ++i) {
        zombie->Update();
        ASSERT_EQ(zombie->action, kActionWalk) << i;
        ASSERT_FLOAT_EQ(zombie->goalX, 30.0f);
    }
    zombie->Update();
    EXPECT_EQ(zombie->action, kActionIdle);  // hold over: it gives up

    // Blue zombies wobble around a much lower top speed.
    TZombi* blue = ZombieAt(0.0f, 3.0f, 0.0f, kZombieBlue);
    EXPECT_EQ(blue->sprite, AddSprite("spr_sininezombi", 37));
    TZombi* plain = ZombieAt(0.0f, -3.0f);
    float blueMax = 0.0f, plainMin = 1e9f;
    for (int i = 0; i < 300; ++i) {
        for (TZombi* z : {blue, plain}) {
            z->SetAction(kActionWalk);
            z->goalX = 1.0f;
            z->Update();
            EXPECT_GE(z->frame, 20.0f);
            EXPECT_LT(z->frame, 37.0f);  // walk frames stay inside the sheet
        }
        blueMax = std::max(blueMax, blue->tuning.maxSpeedSq);
        plainMin = std::min(plainMin, plain->tuning.maxSpeedSq);
    }
    EXPECT_LE(blueMax, 12.0f);
    EXPECT_GE(plainMin, 13.0f);
}

TEST_F(ZombieTest, CreateZombieReadsFlagsAndTransformsThePosition)
{
    creationTransform.Set(10.0f, 5.0f, 0.0f);
    ASSERT_EQ(Run("hidden = CreateZombie(1, 2, '100')\n"
                  "blue = CreateZombie(0, 0, '010')\n"
                  "plain = CreateZombie(0, 0, '001')\n"
                  "short = CreateZombie(0, 0, '1')"),
              "");
    TZombi* hidden = ObjectFromHandleAs<TZombi>(GlobalPointer("hidden"));
    TZombi* blue = ObjectFromHandleAs<TZombi>(GlobalPointer("blue"));
    TZombi* plain = ObjectFromHandleAs<TZombi>(GlobalPointer("plain"));
    TZombi* shortFlags = ObjectFromHandleAs<TZombi>(GlobalPointer("short"));
    ASSERT_TRUE(hidden && blue && plain && shortFlags);
    EXPECT_EQ(hidden->action, kActionHide);
    EXPECT_FALSE(hidden->blue);
    EXPECT_NEAR(hidden->BodyPosition().x, 11.0f, 1e-4f);
    EXPECT_NEAR(hidden->BodyPosition().y, 7.0f, 1e-4f);
    EXPECT_TRUE(blue->blue);
    EXPECT_EQ(blue->action, kActionIdle);
    EXPECT_EQ(blue->sprite, AddSprite("spr_sininezombi", 37));
    EXPECT_FALSE(plain->blue);
    EXPECT_EQ(plain->action, kActionIdle);
    EXPECT_EQ(shortFlags->action, kActionHide);
    EXPECT_EQ(EnemyCount("zombie"), 4);
    EXPECT_EQ(RndCalls(), 4);

    // Bad arguments are script errors and make nothing.
    for (const char* call : {"CreateZombie('x', 1, '000')", "CreateZombie(1, 2)",
                             "CreateZombie(1, 2, {})", "CreateZombie(nil, 2, '000')",
                             "CreateZombie(1/0, 2, '000')"})
        EXPECT_NE(Run(call), "") << call;
    EXPECT_EQ(Live<TZombi>(), 4);
    EXPECT_EQ(EnemyCount("zombie"), 4);
    creationTransform = TCreationTransform();
}

TEST_F(ZombieTest, CreateZSpawnerWithThreeArgumentsMakesNothing)
{
    ASSERT_EQ(Run("n = select('#', CreateZSpawner(1, 2, 0))"), "");
    EXPECT_EQ(GlobalNumber("n"), 0.0);
    EXPECT_EQ(Live<TZombieSpawner>(), 0);
    EXPECT_EQ(RndCalls(), 0);

    EXPECT_NE(Run("CreateZSpawner(1, 2, 0, 'many')"), "");
    EXPECT_NE(Run("CreateZSpawner(1, 'b', 0, 3)"), "");
    EXPECT_EQ(Live<TZombieSpawner>(), 0);

    ASSERT_EQ(Run("spawner = CreateZSpawner(1, 2, 0.5, 3)"), "");
    auto* spawner = ObjectFromHandleAs<TZombieSpawner>(GlobalPointer("spawner"));
    ASSERT_NE(spawner, nullptr);
    EXPECT_EQ(EnemyCount("zombie"), 3);  // counted in advance
    EXPECT_EQ(RndKind(1), "zombie_spawner");
    EXPECT_EQ(spawner->GetCreateCommand(), "CreateZSpawner(1.000000,2.000000,0.500000,zspawncount)\n");
}

TEST_F(ZombieTest, SpawnerWakesOnAClearTouchAndReleasesCountPlusOneZombies)
{
    TPlayer* player = PlayerAt(4.0f, 0.0f);
    auto* spawner = new TZombieSpawner(0.0f, 0.0f, 0.0f, 3);
    EXPECT_EQ(EnemyCount("zombie"), 3);

    // Not woken by others, nor by a player behind a wall.
    TZombi* passer = ZombieAt(1.0f, 1.0f);
    spawner->OnContact(passer, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_EQ(spawner->triggered, 0);
    passer->dead = 1;
    TProbe* wall = WallAt(2.0f, 0.0f, 0.2f, 2.0f);
    spawner->OnContact(player, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_EQ(spawner->triggered, 0);
    for (int i = 0; i < 100; ++i) spawner->Update();
    EXPECT_EQ(Live<TZombi>(), 0);

    wall->dead = 1;
    world->Step();
    const int counted = EnemyCount("zombie");
    spawner->OnContact(player, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_EQ(spawner->triggered, 1);
    int updates = 0;
    while (!spawner->dead && updates < 1000) {
        spawner->Update();
        ++updates;
    }
    ASSERT_TRUE(spawner->dead);
    EXPECT_GT(updates, 4);  // about one in four updates
    EXPECT_EQ(Live<TZombi>(), 4);
    EXPECT_EQ(EnemyCount("zombie"), counted);
    for (TGameObject* object : world->objects) {
        auto* zombie = dynamic_cast<TZombi*>(object);
        if (!zombie || zombie->dead) continue;
        EXPECT_EQ(zombie->action, kActionWalk);
        EXPECT_EQ(zombie->Target(), player);
        EXPECT_EQ(zombie->holdTimer, 15);
        EXPECT_NEAR(zombie->goalX, 4.0f, 1e-4f);
        EXPECT_LT(zombie->BodyPosition().Length(), 0.3f);
        EXPECT_GT(zombie->body->GetLinearVelocity().Length(), 0.7f);
    }

    // The detector ring fades between 4 and 8.5 m.
    EXPECT_FLOAT_EQ(DetectorAlpha(3.0f), 1.0f);
    EXPECT_FLOAT_EQ(DetectorAlpha(6.25f), 0.5f);
    EXPECT_FLOAT_EQ(DetectorAlpha(9.0f), 0.0f);
}
