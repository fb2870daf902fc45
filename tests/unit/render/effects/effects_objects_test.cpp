// Explosions, gibs and score dots in a running world.
#include "effects_test_support.h"
#include "core/Game.h"
#include "level/campaign/LevelProgress.h"
#include "player/Actor.h"
#include "render/effects/Limb.h"
#include "render/effects/ParticleSystem.h"
#include "render/effects/ScoreDot.h"
#include "script/Console.h"
#include "world/Plahvatus.h"

namespace {

// An actor that takes explosions the way the player and enemies do: through
// the strength the explosion reports and the actor's explosion hit.
class TTarget : public TActor {
public:
    TTarget(float x, float y)
    {
        health = 100.0f;
        body = CreateCircleBody(0.15f, 17.5f, false, this, 3.5f, 10.0f);
        SetPosition(b2Vec2(x, y));
    }
    void OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2) override
    {
        float strength = 0.0f;
        if (other && other->collisionType == kCollisionExplosion &&
            other->ExplosionStrength(&strength))
            HitByExplosion(other->GetPosition().x, other->GetPosition().y, strength);
    }
};

using ExplosionTest = EffectsFixture;

TEST_F(ExplosionTest, HurtsActorsInsideItsRadiusOnlyAndWakesSleepingOnes)
{
    auto* near = new TTarget(1.0f, 0.0f);
    auto* sleeper = new TTarget(0.0f, -1.5f);
    auto* far = new TTarget(3.0f, 0.0f);
    Steps(2);
    sleeper->body->SetAwake(false);
    far->body->SetAwake(false);

    ASSERT_EQ("", Run("CreateExplosion(0, 0, 2)"));
    TPlahvatus* blast = First<TPlahvatus>();
    ASSERT_NE(nullptr, blast);
    EXPECT_EQ(kCollisionExplosion, blast->collisionType);
    EXPECT_FLOAT_EQ(2.0f, blast->Strength());
    EXPECT_TRUE(sleeper->body->IsAwake());
    EXPECT_FALSE(far->body->IsAwake()) << "bodies outside the blast sleep on";

    world->Step();
    EXPECT_FLOAT_EQ(94.0f, near->health) << "3 x power per contact";
    EXPECT_FLOAT_EQ(94.0f, sleeper->health);
    EXPECT_FLOAT_EQ(100.0f, far->health);
}

TEST_F(ExplosionTest, LivesFourUpdatesAndDrawsTwoVisibleFrames)
{
    AddSprite("spr_suits", 1);
    new TPlahvatus(0.0f, 0.0f, 2.0f);
    TPlahvatus* blast = First<TPlahvatus>();
    std::vector<int> lifetimes;
    for (int i = 0; i < 3; ++i) {
        world->Step();
        ASSERT_EQ(blast, First<TPlahvatus>());
        lifetimes.push_back(blast->lifetime);
    }
    // Alpha lifetime x (3 - lifetime): 2, 2, then 0.
    EXPECT_EQ((std::vector<int>{2, 1, 0}), lifetimes);
    EXPECT_EQ(3, world->debris->AliveCount()) << "a smoke puff per update";
    world->Step();
    EXPECT_EQ(nullptr, First<TPlahvatus>());
}

TEST_F(ExplosionTest, ScriptArgumentsAreCheckedAndPowerIsKeptSane)
{
    const size_t before = world->objects.size();
    EXPECT_NE("", Run("CreateExplosion(0, 0)"));
    EXPECT_NE("", Run("CreateExplosion(0, 0, 0)"));
    EXPECT_NE("", Run("CreateExplosion(0, 0, -3)"));
    EXPECT_NE("", Run("CreateExplosion(0/0, 0, 1)"));
    EXPECT_NE("", Run("CreateExplosion(0, 0, 1e9)"));
    EXPECT_EQ(before, world->objects.size());
    // Engine code asking for nonsense gets the smallest blast, not a crash.
    auto* odd = new TPlahvatus(0.0f, 0.0f, std::nanf(""));
    EXPECT_FLOAT_EQ(kMinExplosionPower, odd->Strength());
    world->Step();
}

using LimbTest = EffectsFixture;

TEST_F(LimbTest, FliesAgainstItsPushBleedsAndSettlesIntoDecals)
{
    TSprite* gib = AddSprite("spr_gib", 4);
    AddSprite("spr_veri", 8);
    auto* bleeding = new TLimb(0.0f, 0.0f, -40.0f, 0.0f, 2, gib, true);
    auto* dry = new TLimb(0.0f, 5.0f, 0.0f, -40.0f, 3, gib, false);
    world->Step();
    EXPECT_GT(bleeding->body->GetLinearVelocity().x, 2.0f) << "impulse is -0.25 x the push";
    EXPECT_GT(dry->body->GetLinearVelocity().y, 2.0f);
    EXPECT_GT(world->particles->AliveCount(), 0) << "a fast bleeding limb trails blood";

    for (int i = 0; i < 300 && world->objects.size() > 2; ++i) world->Step();
    EXPECT_EQ(0, Count<TLimb>());
    // Blood splash and gib for the bleeding one, only the gib for the other.
    ASSERT_EQ(3, BitmapCount());
}

TEST_F(LimbTest, LimbsCutAwayByALevelClearLeaveNothing)
{
    TSprite* gib = AddSprite("spr_gib", 4);
    new TLimb(0.0f, 0.0f, -40.0f, 0.0f, 0, gib, true);
    world->Step();
    world->Clear();
    EXPECT_EQ(0, BitmapCount());
}

using ScoreDotTest = EffectsFixture;

TEST_F(ScoreDotTest, SpinsInPlaceAndIsWorthOnePointToThePlayer)
{
    auto* dot = new TScoreDot(4.0f, 4.0f);
    auto* bystander = ProbeAt(4.0f, 4.0f, 0.3f, 1.0f);
    Steps(5);
    EXPECT_FLOAT_EQ(4.0f, dot->GetPosition().x);
    EXPECT_FLOAT_EQ(4.0f, dot->GetPosition().y);
    EXPECT_EQ(1, Count<TScoreDot>()) << "only the player collects it";

    const int score = game->progress->score;
    bystander->collisionType = kCollisionPlayer;
    // The player's body has two fixtures: still one point.
    AddCircleFixture(0.1f, 0.0f, 0.1f, 0.0f, false, bystander->body);
    Steps(3);
    EXPECT_EQ(0, Count<TScoreDot>());
    EXPECT_EQ(score + 1, game->progress->score);
}

} // namespace
