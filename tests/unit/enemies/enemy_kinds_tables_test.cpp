// The enemy kinds as scripts make them: what each creator builds, the
// animation tables against the real sprite sheets, argument checking of the
// creators, the creation transform, save lines, and kills counted by kind.
#include "enemy_kinds_test_support.h"
#include "core/Game.h"
#include "enemies/BigZombi.h"
#include "enemies/HallSdur.h"
#include "enemies/PunaneRobot.h"
#include "enemies/PunaneSdur.h"
#include "enemies/RohelineZombi.h"
#include "enemies/Sdur.h"
#include "enemies/Skeleton.h"
#include "level/campaign/LevelProgress.h"
#include <functional>
#include <vector>

namespace {

struct KindCase {
    const char* call;          // the creator call
    const char* kindName;
    const char* spriteName;
    float health;
    int score;
    std::function<TEnemy*(TGameObject*)> as;  // null unless the object is the right class
};

template <typename Kind>
std::function<TEnemy*(TGameObject*)> Is()
{
    return [](TGameObject* o) -> TEnemy* { return dynamic_cast<Kind*>(o); };
}

std::vector<KindCase> Kinds()
{
    return {
        {"CreateSoldier(1, 2)", "soldat", "spr_s6dur", 50, 2, Is<TSdur>()},
        {"CreateRedSoldier(1, 2)", "red_soldat", "spr_punane_s6dur", 80, 2, Is<TPunaneSdur>()},
        {"CreateGreySoldier(1, 2)", "grey_soldat", "spr_hall_s6dur", 120, 2, Is<THallSdur>()},
        {"CreateBigZombie(1, 2)", "giant_zombie", TBigZombi::kSpriteName, 250, 2, Is<TBigZombi>()},
        {"CreateBigSoldier(1, 2)", "giant_soldat", TRohelineZombi::kSpriteName, 250, 4,
         Is<TRohelineZombi>()},
        {"CreateMSkeleton(1, 2)", "skeleton", TSkeleton::kSpriteName, 250, 2, Is<TSkeleton>()},
        {"CreateRedRobot(1, 2)", "red_commander", TPunaneRobot::kSpriteName, 600, 6, Is<TPunaneRobot>()},
    };
}

class EnemyKinds : public EnemyKindFixture {};

TEST_F(EnemyKinds, EachCreatorBuildsItsKindIdleAtThePointWithAnimationsInsideItsSheet)
{
    for (const KindCase& k : Kinds()) {
        SCOPED_TRACE(k.call);
        world->Clear();
        ASSERT_EQ(Run("told = {}"), "");
        TEnemy* enemy = k.as(Create<TGameObject>(k.call));
        ASSERT_NE(enemy, nullptr) << "wrong class or no handle";
        EXPECT_EQ(enemy->kindName, k.kindName);
        EXPECT_FLOAT_EQ(enemy->health, k.health);
        EXPECT_EQ(enemy->tuning.scoreValue, k.score);
        EXPECT_EQ(enemy->action, kActionIdle);
        EXPECT_NEAR(enemy->GetPosition().x, 1.0f, 1e-5f);
        EXPECT_NEAR(enemy->GetPosition().y, 2.0f, 1e-5f);
        EXPECT_EQ(world->enemyCounts[k.kindName], 1);
        EXPECT_EQ(Run("assert(#told == 1 and told[1] == '" + std::string(k.kindName) + "')"), "");

        const int frames = SheetFrames(k.spriteName);
        ASSERT_GT(frames, 0) << k.spriteName << " missing from data/gfx.lua";
        for (int action = 0; action < kEnemyAnimationEntries; ++action) {
            const TEnemyAnimation& a = enemy->animation.For(action);
            // −1 keeps the frame the weapon set; everything else must be drawable.
            if (a.first >= 0.0f) {
                EXPECT_LT(int(a.first), frames) << "action " << action;
            }
            if (a.last >= 0.0f) {
                EXPECT_LT(int(a.last), frames) << "action " << action;
            }
            EXPECT_TRUE(a.next == kAnimLoop || (a.next >= 0 && a.next < kEnemyAnimationEntries));
        }
        // A dying enemy must reach "lay", or it would never leave the world.
        EXPECT_EQ(enemy->animation.For(kActionFall).next, kActionLay);
        EXPECT_GE(int(enemy->frame), 0);
        EXPECT_LT(int(enemy->frame), frames);
    }
}

TEST_F(EnemyKinds, CreatorsRejectWrongArgumentsAndFollowTheCreationTransform)
{
    const char* wrong[] = {
        "CreateSoldier('x', 2)",     "CreateSoldier(1, 2, {})",    "CreateRedSoldier(1)",
        "CreateGreySoldier(nil, 2)", "CreateBigZombie({}, 2)",     "CreateBigSoldier(1, true)",
        "CreateMSkeleton()",         "CreateRedRobot(1, 'y')",     "CreateRedRobot(1/0, 2)",
    };
    for (const char* call : wrong) EXPECT_NE(Run(call), "") << call;
    EXPECT_EQ(Live<TEnemy>(), 0) << "a failed creator left an enemy behind";
    EXPECT_TRUE(world->enemyCounts.empty() ||
                (world->enemyCounts.size() == 1 && world->enemyCounts.begin()->second == 0));

    ASSERT_EQ(Run("SetCreationTransform(10, 5, math.pi / 2)"), "");
    TSkeleton* skeleton = Create<TSkeleton>("CreateMSkeleton(2, 0)");
    ASSERT_NE(skeleton, nullptr);
    EXPECT_NEAR(skeleton->GetPosition().x, 10.0f, 1e-4f);
    EXPECT_NEAR(skeleton->GetPosition().y, 7.0f, 1e-4f);
    TSdur* soldier = Create<TSdur>("CreateSoldier(0, 1, 'automaat')");
    ASSERT_NE(soldier, nullptr);
    EXPECT_NEAR(soldier->GetPosition().x, 9.0f, 1e-4f);
    EXPECT_NEAR(soldier->GetPosition().y, 5.0f, 1e-4f);
}

TEST_F(EnemyKinds, SaveLinesRecreateTheSameKindWhereItStands)
{
    for (const KindCase& k : Kinds()) {
        SCOPED_TRACE(k.call);
        world->Clear();
        TEnemy* enemy = k.as(Create<TGameObject>(k.call));
        ASSERT_NE(enemy, nullptr);
        enemy->SetPosition(b2Vec2(3.5f, -4.25f));
        const std::string line = enemy->GetCreateCommand();
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\n');

        world->Clear();
        TEnemy* again = k.as(Create<TGameObject>(line.substr(0, line.size() - 1)));
        ASSERT_NE(again, nullptr) << line;
        EXPECT_NEAR(again->GetPosition().x, 3.5f, 1e-4f);
        EXPECT_NEAR(again->GetPosition().y, -4.25f, 1e-4f);
    }
}

TEST_F(EnemyKinds, KillingEachKindCountsOneKillUnderItsNameAndItsScore)
{
    for (const KindCase& k : Kinds()) {
        SCOPED_TRACE(k.call);
        world->Clear();
        world->killCounts.clear();
        TEnemy* enemy = k.as(Create<TGameObject>(k.call));
        ASSERT_NE(enemy, nullptr);
        const int scoreBefore = game->progress->score;
        enemy->health = -1.0f;
        for (int i = 0; i < 60 && InWorld(enemy); ++i) world->Step();
        EXPECT_FALSE(InWorld(enemy)) << "the dead enemy never left the world";
        EXPECT_EQ(world->killCounts[k.kindName], 1);
        EXPECT_EQ(game->progress->score - scoreBefore, k.score);
        EXPECT_EQ(world->enemyCounts[k.kindName], 1) << "a killed enemy stays counted as made";
    }
}

} // namespace
