// Laser beams and electric shots: what a beam stops at and who it hurts, the
// hum turning to the hit sound, the electric fan preferring enemies, beams
// ending with their holder, and the laser and electric guns keeping a single
// beam alive while the trigger is held.
#include "beams_test_support.h"
#include "player/items/Container.h"
#include <cmath>

namespace {

class BeamTest : public BeamFixture {
protected:
    // A weapon of `name` in the hands of an aiming actor at (x, y) facing +x.
    TTulirelv* Armed(const std::string& name, TActor** holderOut)
    {
        TActor* holder = Holder(0.0f, 0.0f, 0.0f);
        auto* gun = Make<TTulirelv>(name);
        EXPECT_NE(gun, nullptr);
        if (gun) gun->PickUp(holder);
        holder->action = kActionAim;
        *holderOut = holder;
        return gun;
    }
    // A sleeping turret standing in for "an enemy" (no player in range).
    TTurret* Enemy(float x, float y) { return new TTurret(x, y, 0.0f); }
};

TEST_F(BeamTest, LaserStopsAtTheFirstThingOnItsLineAndBurnsOnlyEnemies)
{
    MakePlayer(0.0f, 40.0f);
    TActor* holder = Holder(0.0f, 0.0f, 0.0f);
    TProbe* wall = Wall(3.0f, 0.0f, 0.2f, 2.0f);
    TTurret* enemy = Enemy(6.0f, -0.125f);
    auto* laser = new TLaser(holder, 5.0f, nullptr);
    EXPECT_EQ(holder->laserBeam, laser);

    Frames(1);
    EXPECT_EQ(laser->hitObject, wall);
    EXPECT_NEAR(laser->end.x, 2.8f, 1e-3f);
    EXPECT_NEAR(laser->end.y, -0.125f, 1e-3f) << "the beam leaves from the muzzle";
    EXPECT_FLOAT_EQ(enemy->health, 100.0f) << "the wall shields the enemy";
    EXPECT_EQ(laser->hitObject ? wall->contacts.size() : 0u, 1u) << "the wall hears of the hit";
    EXPECT_EQ(laser->collisionType, kLaserCollisionType);

    wall->dead = 1;
    laser->lifetime = 2;
    Frames(1);  // the wall leaves at the end of this step
    laser->lifetime = 2;
    Frames(1);
    EXPECT_EQ(laser->hitObject, enemy);
    EXPECT_FLOAT_EQ(enemy->health, 95.0f);
    laser->lifetime = 2;
    Frames(1);
    EXPECT_FLOAT_EQ(enemy->health, 90.0f) << "5 per update while it burns";

    // Turned away from everything the beam runs its full reach.
    holder->body->SetTransform(b2Vec2(0.0f, 0.0f), 3.14159265f);
    laser->lifetime = 2;
    Frames(1);
    EXPECT_FALSE(laser->hit);
    EXPECT_NEAR((laser->end - laser->start).Length(), kLaserReach, 1.0f);
}

TEST_F(BeamTest, BeamHumTurnsToTheHitSoundWhileItBurnsAnEnemyAndBack)
{
    MakePlayer(0.0f, 40.0f);
    ASSERT_NE(Sound("laser_hit"), Sound("laser_lask"));
    TTurret* enemy = Enemy(3.0f, -0.125f);
    auto* laser = new TLaser(Holder(0.0f, 0.0f, 0.0f), 1.0f, nullptr);
    auto* shot = new TElectricShot(Holder(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(laser->CurrentSound(), Sound("laser_lask"));
    EXPECT_EQ(shot->CurrentSound(), Sound("elektripyss_lask"));
    Frames(1);
    EXPECT_EQ(laser->CurrentSound(), Sound("laser_hit"));
    EXPECT_EQ(shot->CurrentSound(), Sound("elektripyss_hit"));

    enemy->dead = 1;
    laser->lifetime = 2;
    shot->lifetime = 2;
    Frames(2);
    EXPECT_EQ(laser->CurrentSound(), Sound("laser_lask"));
    EXPECT_EQ(shot->CurrentSound(), Sound("elektripyss_lask"));
}

TEST_F(BeamTest, ElectricShotPrefersAnEnemyInItsFanThenTheNearestWall)
{
    MakePlayer(0.0f, 40.0f);
    TActor* holder = Holder(0.0f, 0.0f, 0.0f);
    // A wall close by at 10 degrees to the left and an enemy farther off at
    // 15 degrees to the right: the enemy wins.
    Wall(3.0f * std::cos(0.17f), -3.0f * std::sin(0.17f), 0.2f, 0.2f);
    TTurret* enemy = Enemy(8.0f * std::cos(0.26f), 8.0f * std::sin(0.26f));
    auto* shot = new TElectricShot(holder);
    EXPECT_EQ(holder->electricBeam, shot);
    TElectric* arc = shot->Arc();
    ASSERT_NE(arc, nullptr);

    Frames(1);
    EXPECT_EQ(shot->target, enemy);
    EXPECT_TRUE(arc->attached);
    EXPECT_NEAR(arc->end.x, enemy->GetPosition().x, 1e-4f);
    EXPECT_NEAR(arc->end.y, enemy->GetPosition().y, 1e-4f);
    const b2Vec2 gun = holder->body->GetWorldPoint(b2Vec2(0.4f, 0.0f));
    EXPECT_NEAR(arc->start.x, gun.x, 1e-4f);
    EXPECT_FLOAT_EQ(enemy->health, 90.0f);
    shot->lifetime = 2;
    Frames(1);
    EXPECT_FLOAT_EQ(enemy->health, 80.0f) << "10 per update";

    // Without the enemy the arc lands on the wall, unattached.
    enemy->dead = 1;
    shot->lifetime = 2;
    Frames(2);
    EXPECT_EQ(shot->target, nullptr);
    EXPECT_FALSE(arc->attached);
    EXPECT_NEAR(arc->end.Length(), 2.8f, 0.15f);

    // Facing nothing at all it fizzles a few metres ahead.
    holder->body->SetTransform(b2Vec2(0.0f, 0.0f), 3.14159265f);
    shot->lifetime = 2;
    Frames(1);
    EXPECT_NEAR(arc->end.x, -kElectricFizzle, 1e-3f);
    EXPECT_LT(arc->end.Length(), kElectricReach);
}

TEST_F(BeamTest, BeamsEndWithTheirHolderOrTheirTimeAndLetGoOfIt)
{
    MakePlayer(0.0f, 40.0f);
    TActor* gunner = Holder(0.0f, 0.0f, 0.0f);
    TActor* zapper = Holder(0.0f, 3.0f, 0.0f);
    auto* laser = new TLaser(gunner, 1.0f, nullptr);
    auto* shot = new TElectricShot(zapper);
    TElectric* arc = shot->Arc();
    gunner->dead = 1;
    zapper->dead = 1;
    Frames(1);  // the holders go at the end of this step
    Frames(1);  // the beams notice and go too
    EXPECT_EQ(Live<TLaser>(), 0);
    EXPECT_EQ(Live<TElectricShot>(), 0);
    Frames(1);
    EXPECT_EQ(Live<TElectric>(), 0) << "the shot takes its arc";
    (void)laser;
    (void)arc;

    // Left alone a laser lasts 2 updates and a shot 4, and each clears the
    // holder's slot so the next shot makes a fresh beam.
    TActor* holder = Holder(0.0f, -3.0f, 3.14159265f);
    new TLaser(holder, 1.0f, nullptr);
    new TElectricShot(holder);
    Frames(3);
    EXPECT_EQ(holder->laserBeam, nullptr);
    EXPECT_NE(holder->electricBeam, nullptr);
    Frames(2);
    EXPECT_EQ(holder->electricBeam, nullptr);
    EXPECT_EQ(Live<TLaser>() + Live<TElectricShot>() + Live<TElectric>(), 0);
}

TEST_F(BeamTest, LaserAndElectricGunsKeepOneBeamAliveWhileTheTriggerIsHeld)
{
    MakePlayer(0.0f, 40.0f);
    TActor* holder = nullptr;
    TTulirelv* laserGun = Armed("lasergun", &holder);
    ASSERT_NE(laserGun, nullptr);
    TTurret* enemy = Enemy(3.0f, -0.125f);
    TLaser* first = nullptr;
    for (int i = 0; i < 20; ++i) {
        holder->action = kActionAim;
        laserGun->Activate();
        Frames(1);
        ASSERT_EQ(Live<TLaser>(), 1) << "frame " << i;
        if (!first) first = ObjectFromHandleAs<TLaser>(holder->laserBeam);
        ASSERT_EQ(holder->laserBeam, first) << "the same beam all along, frame " << i;
    }
    EXPECT_FLOAT_EQ(first->damage, 4.0f) << "the weapon's damage";
    EXPECT_LT(enemy->health, 100.0f - 4.0f * 15.0f);
    Frames(4);  // trigger released: the beam dies out
    EXPECT_EQ(Live<TLaser>(), 0);
    EXPECT_EQ(holder->laserBeam, nullptr);
    enemy->dead = 1;

    TActor* other = nullptr;
    TTulirelv* zapper = Armed("zapper", &other);
    ASSERT_NE(zapper, nullptr);
    TElectricShot* shot = nullptr;
    for (int i = 0; i < 20; ++i) {
        other->action = kActionAim;
        zapper->Activate();
        Frames(1);
        ASSERT_EQ(Live<TElectricShot>(), 1) << "frame " << i;
        if (!shot) shot = ObjectFromHandleAs<TElectricShot>(other->electricBeam);
        ASSERT_EQ(other->electricBeam, shot);
    }
    EXPECT_EQ(Live<TElectric>(), 1) << "one arc per shot";
    Frames(6);
    EXPECT_EQ(Live<TElectricShot>() + Live<TElectric>(), 0);
    EXPECT_EQ(other->electricBeam, nullptr);
}

} // namespace
