// The enemy base: sight, chase, steering, contact attacks, pain, death,
// corpses, gibs, kills and score, and the safety of a vanished target. The
// zombie stands in for every kind; tuning is changed where a case needs it.
#include "enemies_test_support.h"
#include "audio/Sound.h"
#include "player/weapons/Kuul.h"
#include "render/effects/Limb.h"
#include "world/Plahvatus.h"
#include <box2d/box2d.h>
#include <cmath>

using EnemyBase = EnemyFixture;

namespace {

// Updates until the zombie's action is `action`; the number of updates taken,
// or -1 when it didn't happen within `limit`.
int UpdatesUntil(TEnemy* enemy, int32_t action, int limit)
{
    for (int i = 1; i <= limit; ++i) {
        enemy->Update();
        if (enemy->action == action) return i;
    }
    return -1;
}

// A bullet touching `enemy`, as the bullet's own ray cast would report it.
void Shoot(TEnemy* enemy, float damage, int type = kBulletPlain)
{
    auto* bullet = new TKuul(0.0f, 0.0f, 0.0f, 20.0f, damage, 100.0f, 2, type, nullptr);
    enemy->OnContact(bullet, enemy->BodyPosition(), b2Vec2(0, 0), b2Vec2(0, 0));
    bullet->dead = 1;
}

} // namespace

TEST_F(EnemyBase, SightIsRationedByChanceAndLimitedByRangeAndWalls)
{
    TPlayer* player = PlayerAt(0.0f, 0.0f);

    // 9.9 m with a clear line: seen within a few updates, the chase begins.
    TZombi* near = ZombieAt(9.9f, 0.0f);
    near->tuning.sightChance = 0.3f;
    const int taken = UpdatesUntil(near, kActionWalk, 200);
    ASSERT_GT(taken, 0);
    EXPECT_EQ(near->Target(), player);

    // 10 m is out of sight however long it waits.
    TZombi* far = ZombieAt(0.0f, 10.0f);
    far->tuning.sightChance = 1.0f;
    EXPECT_EQ(UpdatesUntil(far, kActionWalk, 300), -1);
    EXPECT_EQ(far->Target(), nullptr);

    // A wall between them hides the player at 5 m.
    WallAt(0.0f, -2.5f, 3.0f, 0.2f);
    TZombi* walled = ZombieAt(0.0f, -5.0f);
    walled->tuning.sightChance = 1.0f;
    EXPECT_EQ(UpdatesUntil(walled, kActionWalk, 300), -1);

    // Rationing: with chance 0.3 the first look takes about 1 / 0.3 updates on
    // average; with chance 1 it is the first update; with chance 0 never.
    int total = 0;
    const int trials = 300;
    for (int i = 0; i < trials; ++i) {
        TZombi* z = ZombieAt(-3.0f, 0.0f);
        z->tuning.sightChance = 0.3f;
        total += UpdatesUntil(z, kActionWalk, 1000);
        z->dead = 1;
    }
    const float mean = float(total) / float(trials);
    EXPECT_GT(mean, 2.3f);
    EXPECT_LT(mean, 4.6f);
    TZombi* keen = ZombieAt(-2.0f, 0.0f);
    keen->tuning.sightChance = 1.0f;
    EXPECT_EQ(UpdatesUntil(keen, kActionWalk, 1), 1);
    TZombi* blind = ZombieAt(-1.0f, 1.0f);
    blind->tuning.sightChance = 0.0f;
    EXPECT_EQ(UpdatesUntil(blind, kActionWalk, 500), -1);
}

TEST_F(EnemyBase, AlertSoundIsGivenOnlyOnFirstSight)
{
    PlayerAt(0.0f, 0.0f);
    TZombi* zombie = ZombieAt(3.0f, 0.0f);
    TSound alert;
    zombie->alertSound = &alert;
    zombie->tuning.sightChance = 1.0f;
    zombie->Update();
    EXPECT_EQ(zombie->action, kActionWalk);
    EXPECT_EQ(zombie->alertSound, nullptr);
}

TEST_F(EnemyBase, HeadingControllerTurnsTowardTheGoalTheShortWayRound)
{
    TZombi* zombie = ZombieAt(0.0f, 0.0f, 0.0f);
    // The goal straight along +y is 90 degrees to the left of a body facing +x.
    EXPECT_NEAR(zombie->HeadingError(0.0f, 5.0f), 90.0f, 1e-3f);
    EXPECT_NEAR(zombie->HeadingError(0.0f, -5.0f), -90.0f, 1e-3f);
    // Across the 0/360 seam the turn is the short one.
    zombie->body->SetTransform(b2Vec2(0, 0), 350.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(zombie->HeadingError(std::cos(0.1745f), std::sin(0.1745f)), 20.0f, 0.1f);
    zombie->body->SetTransform(b2Vec2(0, 0), 10.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(zombie->HeadingError(std::cos(-0.1745f), std::sin(-0.1745f)), -20.0f, 0.1f);

    // Steering alone brings the body round to face the goal, either side.
    for (float side : {1.0f, -1.0f}) {
        zombie->body->SetTransform(b2Vec2(0, 0), 0.0f);
        zombie->body->SetAngularVelocity(0.0f);
        zombie->headingErrorPrev = zombie->headingErrorSum = 0.0f;
        zombie->SetAction(kActionWalk);
        for (int i = 0; i < 300; ++i) {
            zombie->headingErrorSum *= 0.9f;
            zombie->SteerToward(0.0f, 5.0f * side);
            world->physics->Step(kPhysicsTimeStep, kVelocityIterations, kPositionIterations);
            world->physics->ClearForces();
        }
        EXPECT_LT(std::fabs(zombie->HeadingError(0.0f, 5.0f * side)), 15.0f) << side;
    }

    // Nothing steers a falling enemy.
    zombie->body->SetTransform(b2Vec2(0, 0), 0.0f);
    zombie->body->SetAngularVelocity(0.0f);
    zombie->SetAction(kActionFall);
    zombie->SteerToward(0.0f, 5.0f);
    world->physics->Step(kPhysicsTimeStep, kVelocityIterations, kPositionIterations);
    EXPECT_FLOAT_EQ(zombie->body->GetAngularVelocity(), 0.0f);
}

TEST_F(EnemyBase, WalkingEnemyChasesItsTargetAndGivesUpBeyondSixteenMetres)
{
    TPlayer* player = PlayerAt(4.0f, 0.0f);
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    zombie->SetTarget(player);
    zombie->SetAction(kActionWalk);
    zombie->goalX = 4.0f;
    for (int i = 0; i < 20; ++i) {
        zombie->Update();
        world->physics->Step(kPhysicsTimeStep, kVelocityIterations, kPositionIterations);
    }
    EXPECT_GT(zombie->BodyPosition().x, 0.2f);
    EXPECT_EQ(zombie->action, kActionWalk);

    TZombi* lost = ZombieAt(-20.0f, 0.0f);
    lost->SetAction(kActionWalk);
    lost->goalX = -20.0f + 16.1f;
    lost->Update();
    EXPECT_EQ(lost->action, kActionIdle);
}

TEST_F(EnemyBase, ContactAttackHitsOrKnocksDownAPlayerInFront)
{
    TPlayer* player = PlayerAt(0.4f, 0.0f);
    TZombi* zombie = ZombieAt(0.0f, 0.0f, 0.0f);

    // Idle enemies don't strike.
    zombie->OnTouchPlayer(player);
    EXPECT_FLOAT_EQ(player->health, 100.0f);

    zombie->SetAction(kActionWalk);
    zombie->OnTouchPlayer(player);
    EXPECT_EQ(zombie->action, kActionHit);
    EXPECT_FLOAT_EQ(player->health, 98.0f);
    EXPECT_NE(player->action, kActionFall);

    // Behind its back the player is safe.
    zombie->SetAction(kActionWalk);
    zombie->body->SetTransform(b2Vec2(0, 0), 3.14159265f);
    zombie->OnTouchPlayer(player);
    EXPECT_EQ(zombie->action, kActionWalk);
    EXPECT_FLOAT_EQ(player->health, 98.0f);

    // A sure knock-down puts the player on the floor; once down, no more blows.
    zombie->body->SetTransform(b2Vec2(0, 0), 0.0f);
    zombie->tuning.knockDownChance = 1.0f;
    zombie->tuning.touchDamage = 10.0f;
    zombie->OnTouchPlayer(player);
    EXPECT_EQ(player->action, kActionFall);
    EXPECT_FLOAT_EQ(player->health, 88.0f);
    zombie->SetAction(kActionWalk);
    zombie->OnTouchPlayer(player);
    EXPECT_FLOAT_EQ(player->health, 88.0f);

    // The contact dispatch reaches the attack through the player's collision type.
    player->action = kActionIdle;
    zombie->OnContact(player, b2Vec2(0.2f, 0), b2Vec2(1, 0), b2Vec2(0, 0));
    EXPECT_FLOAT_EQ(player->health, 78.0f);
}

TEST_F(EnemyBase, PainFollowsPainResistAndLastsOneUpdate)
{
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    zombie->tuning.painResist = 1.0f;
    for (int i = 0; i < 50; ++i) {
        Shoot(zombie, 0.1f);
        zombie->hitsThisFrame = 0;
    }
    EXPECT_EQ(zombie->action, kActionIdle);
    EXPECT_NEAR(zombie->health, 45.0f, 1e-3f);

    zombie->tuning.painResist = 0.0f;
    Shoot(zombie, 1.0f);
    EXPECT_EQ(zombie->action, kActionPain);
    zombie->Update();
    EXPECT_EQ(zombie->action, kActionIdle);
}

TEST_F(EnemyBase, KilledEnemyFallsLaysLeavesCorpseAndCountsKillAndScore)
{
    TZombi* zombie = ZombieAt(2.0f, 2.0f);
    zombie->tuning.painResist = 1.0f;
    const int scoreBefore = Score();
    const size_t decalsBefore = world->bitmaps.size();
    Shoot(zombie, 60.0f);
    ASSERT_LT(zombie->health, 0.0f);
    zombie->Update();
    EXPECT_EQ(zombie->action, kActionFall);
    EXPECT_EQ(zombie->collision, kCollisionModeSolid);
    zombie->Update();
    EXPECT_EQ(zombie->collision, kCollisionModeNone);  // nothing touches the dying
    const int toLay = UpdatesUntil(zombie, kActionLay, 40);
    ASSERT_GT(toLay, 0);
    EXPECT_FALSE(zombie->dead);
    EXPECT_EQ(Kills("zombie"), 0);
    zombie->Update();
    EXPECT_TRUE(zombie->dead);
    EXPECT_EQ(Kills("zombie"), 1);
    EXPECT_EQ(Score(), scoreBefore + 1);
    EXPECT_GT(world->bitmaps.size(), decalsBefore);  // the corpse

    // A dead enemy leaves the count without being taken off it twice.
    const int counted = EnemyCount("zombie");
    world->Step();
    EXPECT_FALSE(InWorld(zombie));
    EXPECT_EQ(EnemyCount("zombie"), counted);
    EXPECT_EQ(Kills("zombie"), 1);
}

TEST_F(EnemyBase, FiveBulletsInOneFrameGibWithoutKillButFourDoNot)
{
    const int scoreBefore = Score();
    TZombi* tough = ZombieAt(0.0f, 0.0f);
    tough->tuning.painResist = 1.0f;
    for (int i = 0; i < 4; ++i) Shoot(tough, 1.0f);
    EXPECT_FALSE(tough->dead);
    tough->Update();  // the hit count starts over each update
    for (int i = 0; i < 4; ++i) Shoot(tough, 1.0f);
    EXPECT_FALSE(tough->dead);

    TZombi* burst = ZombieAt(3.0f, 0.0f);
    burst->tuning.painResist = 1.0f;
    const int limbsBefore = Live<TLimb>();
    for (int i = 0; i < 5; ++i) Shoot(burst, 1.0f);
    EXPECT_TRUE(burst->dead);
    EXPECT_EQ(Live<TLimb>() - limbsBefore, 4);
    EXPECT_EQ(Kills("zombie"), 0);
    EXPECT_EQ(Score(), scoreBefore);

    // Kinds that can't gib just keep bleeding.
    TZombi* solid = ZombieAt(6.0f, 0.0f);
    solid->tuning.canGib = 0;
    solid->tuning.painResist = 1.0f;
    for (int i = 0; i < 8; ++i) Shoot(solid, 1.0f);
    EXPECT_FALSE(solid->dead);
}

TEST_F(EnemyBase, ExplosionsGibNearEnemiesWithKillAndThrowFarOnesDown)
{
    const int scoreBefore = Score();
    // Power 2 gibs a zombie (factor 0.5) nearer than 1 m and counts the kill.
    auto* blast = new TPlahvatus(0.0f, 0.0f, 2.0f);
    TZombi* close = ZombieAt(0.5f, 0.0f);
    close->OnContact(blast, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_TRUE(close->dead);
    EXPECT_EQ(Kills("zombie"), 1);
    EXPECT_EQ(Score(), scoreBefore + 1);
    // A second contact of the same blast counts nothing more.
    close->OnContact(blast, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_EQ(Kills("zombie"), 1);

    // Farther out it falls (zombies die from blasts), faces away and is hurt.
    TZombi* away = ZombieAt(0.0f, 1.5f);
    away->OnContact(blast, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_FALSE(away->dead);
    EXPECT_EQ(away->action, kActionFall);
    EXPECT_NEAR(away->GetAngle(), 3.14159265f / 2.0f, 1e-3f);
    EXPECT_FLOAT_EQ(away->health, 50.0f - 2.0f * 12.0f * 3.0f);

    // Kinds that an explosion only hurts go into pain.
    TZombi* hurt = ZombieAt(0.0f, -1.5f);
    hurt->tuning.explosionKills = 0;
    hurt->OnContact(blast, b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0));
    EXPECT_EQ(hurt->action, kActionPain);
}

TEST_F(EnemyBase, StabLandsOnlyWhileStabbingAndOnlyAtTheBladePoint)
{
    TPlayer* player = PlayerAt(0.0f, 0.0f);
    player->body->SetTransform(b2Vec2(0, 0), 0.0f);
    // The blade point: 0.5 m ahead and 0.25 m aside of the player.
    TZombi* victim = ZombieAt(0.5f, 0.25f);
    TZombi* aside = ZombieAt(0.5f, -1.0f);
    victim->tuning.sightChance = 0.0f;
    aside->tuning.sightChance = 0.0f;

    victim->Update();
    EXPECT_FLOAT_EQ(victim->health, 50.0f);

    player->action = kActionHit;
    victim->Update();
    aside->Update();
    EXPECT_FLOAT_EQ(victim->health, 50.0f - player->stabDamage);
    EXPECT_FLOAT_EQ(aside->health, 50.0f);

    // Stab-hardened kinds take less.
    victim->tuning.stabVulnerability = 0.5f;
    victim->Update();
    EXPECT_FLOAT_EQ(victim->health, 50.0f - 1.5f * player->stabDamage);
}

TEST_F(EnemyBase, DeletedTargetIsNeverTouched)
{
    TPlayer* player = PlayerAt(3.0f, 0.0f);
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    zombie->SetTarget(player);
    zombie->SetAction(kActionWalk);
    zombie->Update();
    EXPECT_FLOAT_EQ(zombie->goalX, 3.0f);

    // The player leaves the world (deleted by the step); the zombie keeps
    // walking to where it last was and never follows the old pointer.
    player->body->SetTransform(b2Vec2(5.0f, 1.0f), 0.0f);
    player->dead = 1;
    zombie->tuning.sightChance = 0.0f;
    zombie->SetAction(kActionIdle);
    world->Step();
    ASSERT_FALSE(InWorld(player));
    EXPECT_EQ(zombie->Target(), nullptr);
    for (int i = 0; i < 30; ++i) {
        zombie->SetAction(kActionWalk);
        zombie->Update();
        zombie->SetAction(kActionAim);
        zombie->Update();
        zombie->SetAction(kActionShoot);
        zombie->Update();
        EXPECT_EQ(zombie->action, kActionIdle);  // nothing to shoot at
    }
    EXPECT_FLOAT_EQ(zombie->goalX, 3.0f);
    EXPECT_FLOAT_EQ(zombie->goalY, 0.0f);
}

TEST_F(EnemyBase, CreationCountsTheEnemyAndTellsTheScripts)
{
    const int before = RndCalls();
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    ASSERT_EQ(RndCalls(), before + 1);
    EXPECT_EQ(RndKind(before + 1), "zombie");
    EXPECT_EQ(RndEnemy(before + 1), static_cast<TGameObject*>(zombie));
    EXPECT_EQ(EnemyCount("zombie"), 1);
    ZombieAt(1.0f, 0.0f);
    EXPECT_EQ(EnemyCount("zombie"), 2);

    // One removed as dead stays counted as made.
    TZombi* third = ZombieAt(2.0f, 0.0f);
    third->dead = 1;
    world->Step();
    EXPECT_FALSE(InWorld(third));
    EXPECT_EQ(EnemyCount("zombie"), 3);
}

TEST_F(EnemyBase, ShootingEnemyFiresItsBurstAtTheShootFrame)
{
    TPlayer* player = PlayerAt(5.0f, 0.0f);
    TZombi* gunner = ZombieAt(0.0f, 0.0f);
    gunner->tuning.hasGun = 1;
    gunner->tuning.burstSize = 2;
    gunner->tuning.shootFrame = 3;
    gunner->animation.Set(kActionShoot, 2, 4, 0.5f, kActionShoot);
    gunner->SetTarget(player);
    gunner->SetAction(kActionShoot);
    gunner->shotsLeft = 2;
    gunner->firedThisFrame = 0;

    const int bulletsBefore = Live<TKuul>();
    for (int i = 0; i < 3; ++i) gunner->Update();  // frames 2, 2.5, then 3: one shot
    EXPECT_EQ(Live<TKuul>(), bulletsBefore + 1);
    EXPECT_EQ(gunner->shotsLeft, 1);
    EXPECT_EQ(gunner->action, kActionShoot);
    gunner->Update();  // 3.5: still the shoot frame, no second shot
    EXPECT_EQ(Live<TKuul>(), bulletsBefore + 1);
    for (int i = 0; i < 3; ++i) gunner->Update();  // round again to frame 3
    EXPECT_EQ(Live<TKuul>(), bulletsBefore + 2);
    EXPECT_EQ(gunner->action, kActionWalk);  // burst over
}

namespace {
bool Touching(const TGameObject* a, const TGameObject* b)
{
    for (b2ContactEdge* edge = a->body->GetContactList(); edge; edge = edge->next)
        if (edge->other == b->body && edge->contact->IsTouching()) return true;
    return false;
}
}

TEST_F(EnemyBase, ChangingCollisionModeTakesEffectOnContactsAlreadyTouching)
{
    TPlayer* player = PlayerAt(0.3f, 0.0f);
    TZombi* zombie = ZombieAt(0.0f, 0.0f);
    // Each step starts from the two overlapping and at rest.
    auto step = [&] {
        for (TGameObject* o : {static_cast<TGameObject*>(player), static_cast<TGameObject*>(zombie)}) {
            o->body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
            o->body->SetTransform(b2Vec2(o == player ? 0.3f : 0.0f, 0.0f), 0.0f);
        }
        world->physics->Step(1.0f / 30.0f, 7, 7);
    };
    step();
    ASSERT_TRUE(Touching(zombie, player));

    // Falling (dying) and hiding drop the contact at the next step...
    zombie->OnFall();
    step();
    EXPECT_FALSE(Touching(zombie, player));
    zombie->OnDig();
    step();
    EXPECT_TRUE(Touching(zombie, player));  // ...digging out finds it again
    zombie->OnHide();
    step();
    EXPECT_FALSE(Touching(zombie, player));
}
