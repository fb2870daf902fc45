// The particle pools and their emitters.
#include "effects_test_support.h"
#include "render/effects/ParticleSystem.h"
#include <cmath>

namespace {

using ParticlesTest = EffectsFixture;

TEST_F(ParticlesTest, PoolKeepsItsRecordsAndOverwritesTheOldestWhenFull)
{
    auto* system = new TParticleSystem(world, 10);
    const TParticle* first = &system->At(0);
    for (int i = 0; i < 10; ++i) system->EmitSpark(float(i), 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(10, system->AliveCount());
    system->EmitSpark(100.0f, 5.0f, 0.0f, 0.0f);
    // The eleventh took the first one's record; nothing was allocated.
    EXPECT_EQ(first, &system->At(0));
    EXPECT_EQ(10, system->Capacity());
    EXPECT_EQ(10, system->AliveCount());
    EXPECT_FLOAT_EQ(100.0f, system->At(0).x);
    EXPECT_FLOAT_EQ(1.0f, system->At(1).x);

    // Once everything has died the ring goes on where it was, over free records.
    for (int i = 0; i < 9; ++i) system->Update();
    EXPECT_EQ(0, system->AliveCount());
    system->EmitSpark(7.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(1, system->AliveCount());
    EXPECT_TRUE(system->At(1).alive);
    EXPECT_FLOAT_EQ(7.0f, system->At(1).x);

    // The world's main pool: particle 1001 overwrites the first.
    TParticleSystem* main = world->particles;
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(kMainParticleCount, main->Capacity());
    EXPECT_EQ(kDebrisParticleCount, world->debris->Capacity());
    for (int i = 0; i < 1001; ++i) main->EmitDust(float(i), 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(1000.0f, main->At(0).x);
    EXPECT_EQ(kMainParticleCount, main->AliveCount());
}

TEST_F(ParticlesTest, ParticlesMoveDampAndDieAfterTheirLifetime)
{
    TParticleSystem* system = world->particles;
    system->EmitDust(0.0f, 0.0f, 10.0f, 0.0f);  // lifetime 6
    const TParticle& p = system->At(0);
    const float damping = p.damping;
    system->Update();
    EXPECT_FLOAT_EQ(10.0f, p.x);
    EXPECT_FLOAT_EQ(0.0f, p.prevX);
    EXPECT_FLOAT_EQ(10.0f * damping, p.vx);
    for (int i = 0; i < 5; ++i) system->Update();
    EXPECT_TRUE(p.alive) << "alive through its sixth update";
    system->Update();
    EXPECT_FALSE(p.alive) << "gone after the seventh";
}

TEST_F(ParticlesTest, BurstsPutAtMostTwentyParticlesAroundThePointHeadingTheirWay)
{
    TParticleSystem* system = world->particles;
    system->BloodBurst(2.0f, 3.0f, 12.0f, 0.0f, 50);
    EXPECT_EQ(kMaxBurstParticles, system->AliveCount());
    for (int i = 0; i < kMaxBurstParticles; ++i) {
        const TParticle& p = system->At(i);
        EXPECT_EQ(TParticle::kStreak, p.kind);
        EXPECT_LE(std::fabs(p.x - 24.0f), 2.0f);
        EXPECT_LE(std::fabs(p.y - 36.0f), 2.0f);
        // 12 world units of push make 25 pixels per update, give or take 3.34.
        EXPECT_NEAR(25.0f, p.vx, 3.34f);
        EXPECT_NEAR(0.0f, p.vy, 3.34f);
        // Dark red that stays opaque all its life.
        EXPECT_GE(p.startColor[0], 120.0f / 255.0f - 1e-6f);
        EXPECT_LE(p.startColor[0], 159.0f / 255.0f + 1e-6f);
        EXPECT_FLOAT_EQ(p.startColor[1], p.startColor[2]);
        EXPECT_LT(p.startColor[1], p.startColor[0]);
        EXPECT_FLOAT_EQ(1.0f, p.endColor[3]);
        EXPECT_GE(p.lifetime, 4);
        EXPECT_LE(p.lifetime, 9);
    }

    auto* small = new TParticleSystem(world, 100);
    small->BoneDustBurst(0.0f, 0.0f, 0.0f, 0.0f, 7);
    EXPECT_EQ(7, small->AliveCount());
    for (int i = 0; i < 7; ++i) {
        const TParticle& p = small->At(i);
        EXPECT_EQ(12, p.lifetime);
        EXPECT_LE(std::fabs(p.x - p.prevX), 3.0f) << "jittered off its start point";
        EXPECT_FLOAT_EQ(0.9f, p.startColor[3]);
        EXPECT_FLOAT_EQ(p.startColor[0], p.startColor[1]);
    }
    small->BloodBurst(0.0f, 0.0f, 0.0f, 0.0f, 0);
    EXPECT_EQ(7, small->AliveCount());
}

TEST_F(ParticlesTest, SmokeFlashAndBurstKinds)
{
    AddSprite("spr_suits", 1);
    AddSprite("spr_omnismooth", 1);
    TSprite* burst = AddSprite("spr_l6hkekuuli_plahvatus", 12);
    auto* system = new TParticleSystem(world, 10);

    system->EmitSmoke(5.0f, 6.0f, 0.8f);
    const TParticle& smoke = system->At(0);
    EXPECT_EQ(TParticle::kSprite, smoke.kind);
    EXPECT_NE(nullptr, smoke.sprite);
    EXPECT_FLOAT_EQ(1.6f, smoke.endScale);
    EXPECT_GE(smoke.lifetime, 100);
    EXPECT_LT(smoke.lifetime, 200);
    EXPECT_FLOAT_EQ(0.5f, smoke.startColor[3]);
    EXPECT_FLOAT_EQ(0.0f, smoke.endColor[3]);

    system->EmitFireSmoke(0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(1.5f, system->At(1).endScale);
    EXPECT_FLOAT_EQ(0.6f, system->At(1).startColor[3]);

    system->EmitFlash(0.0f, 0.0f, 2.0f, 1.0f, 0.5f, 0.25f, 0.8f);
    const TParticle& flash = system->At(2);
    EXPECT_EQ(TParticle::kSpriteAdditive, flash.kind);
    EXPECT_EQ(2, flash.lifetime);
    EXPECT_FLOAT_EQ(0.0f, flash.vx);
    EXPECT_FLOAT_EQ(0.8f, flash.startColor[3]);
    EXPECT_FLOAT_EQ(0.0f, flash.endColor[3]);
    EXPECT_FLOAT_EQ(0.5f, flash.endColor[1]);

    system->EmitBulletBurst(0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    const TParticle& b = system->At(3);
    EXPECT_EQ(burst, b.sprite);
    EXPECT_EQ(11, b.lifetime) << "one update per frame of the animation";
    EXPECT_EQ(0, b.startFrame);
    EXPECT_EQ(11, b.endFrame);
}

} // namespace
