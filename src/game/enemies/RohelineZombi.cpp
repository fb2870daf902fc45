#include "enemies/RohelineZombi.h"
#include "enemies/BigZombi.h"
#include "render/Sprite.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cstdio>
#include <cstdlib>

TEnemyTuning BigSoldierTuning()
{
    TEnemyTuning t;
    t.gibRadiusFactor = 0.15f;
    t.painResist = 0.7f;
    t.sightChance = 0.2f;
    t.sightRange = 10.0f;
    t.maxSpeedSq = 8.0f;
    t.moveForce = 27.0f;
    t.turnRate = 2.7f;
    t.steerChance = 0.7f;
    t.shootChance = 0.01f;
    t.aimSpread = 0.1f;
    t.touchDamage = 10.0f;
    t.knockDownChance = 0.0f;
    t.burstSize = 20;
    t.shootFrame = 10;
    t.explosionKills = 0;
    t.hasGun = 1;
    t.canGib = 0;
    t.scoreValue = 4;
    t.kP = 0.0216f;
    t.kI = 0.00144f;
    t.kD = 0.081f;
    return t;
}

TEnemyAnimationTable BigSoldierAnimation()
{
    // The big zombie's, but it keeps firing from frames 9..11 and raises the
    // gun from frame 8.
    TEnemyAnimationTable table = BigZombieAnimation();
    table.Set(kActionShoot, 9, 11, 1.0f, kActionShoot);
    table.Set(kActionAim, 8, 10, 0.25f, kActionShoot);
    return table;
}

TRohelineZombi::TRohelineZombi(float x, float y) : TEnemy("giant_soldat")
{
    tuning = BigSoldierTuning();
    animation = BigSoldierAnimation();
    health = 250.0f;
    maxHealth = 250.0f;
    BuildBody(x, y, float(std::rand() % 10), 0.25f, 12.0f, 2.0f, 2.0f);
    AddCircleFixture(kGunFixtureX, kGunFixtureY, kGunFixtureRadius, 0.0f, false, body);
    sprite = FindSprite(kSpriteName);
    painSound = SoundNamed("zombi_valu");
    stepSound = SoundNamed("szombi_samm");
    shootSound = SoundNamed("mg-hv_lask");
    hitSound = SoundNamed("zombi_hit");
    attackSound = SoundNamed("zombi_l88b");
    SetAction(kActionIdle);
}

std::string TRohelineZombi::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateBigSoldier(%f,%f)\n", p.x - saveOriginX, p.y - saveOriginY);
    return line;
}
