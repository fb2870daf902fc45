#include "enemies/BigZombi.h"
#include "enemies/ZombiKivi.h"
#include "render/Sprite.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

TEnemyTuning BigZombieTuning()
{
    TEnemyTuning t;
    t.gibRadiusFactor = 0.15f;
    t.painResist = 0.2f;
    t.sightChance = 0.2f;
    t.sightRange = 10.0f;
    t.maxSpeedSq = 16.0f;
    t.moveForce = 27.0f;
    t.turnRate = 2.7f;
    t.steerChance = 0.5f;
    t.shootChance = 0.02f;
    t.aimSpread = 0.2f;
    t.touchDamage = 10.0f;
    t.knockDownChance = 0.0f;
    t.burstSize = 10;
    t.shootFrame = 10;
    t.explosionKills = 0;
    t.hasGun = 1;
    t.canGib = 0;
    t.scoreValue = 2;
    t.kP = 0.0168f;
    t.kI = 0.00112f;
    t.kD = 0.063f;
    return t;
}

TEnemyAnimationTable BigZombieAnimation()
{
    TEnemyAnimationTable table;
    table.Set(kActionIdle, 0, 1, 0.1f, kActionIdle);
    table.Set(kActionWalk, 0, 4, 0.001f, kAnimLoop);
    table.Set(kActionFall, 4, 8, 0.25f, kActionLay);
    table.Set(kActionRise, 0, 0, 0.0f, kActionIdle);
    table.Set(kActionPain, 12, 16, 0.0f, kActionIdle);
    table.Set(kActionLay, 7, 8, 0.0f, kAnimLoop);
    table.Set(kActionHit, 8, 9, 0.25f, kActionIdle);
    table.Set(kActionShoot, 10, 11, 0.1f, kActionWalk);
    table.Set(kActionAim, 9, 10, 0.1f, kActionShoot);
    return table;
}

TBigZombi::TBigZombi(float x, float y) : TEnemy("giant_zombie")
{
    tuning = BigZombieTuning();
    animation = BigZombieAnimation();
    health = 250.0f;
    maxHealth = 250.0f;
    BuildBody(x, y, float(std::rand() % 10), 0.25f, 12.0f, 2.0f, 2.0f);
    sprite = FindSprite(kSpriteName);
    stepSound = SoundNamed("szombi_samm");
    alertSound = SoundNamed("szombi_n2eb");
    shootSound = SoundNamed("szombi_viskab");
    hitSound = SoundNamed("zombi_hit");
    attackSound = SoundNamed("szombi_hoop");
    SetAction(kActionIdle);
}

void TBigZombi::OnShoot()
{
    OnAim();
    if (!Target()) SetAction(kActionIdle);
    if (!body || int(frame) != tuning.shootFrame) return;
    const b2Vec2 hand = body->GetWorldPoint(b2Vec2(0.4f, -0.2f));
    const float theta = RandomRange(-tuning.aimSpread, tuning.aimSpread) - body->GetAngle();
    const b2Vec2 direction = AngleVector(theta);
    new TZombiKivi(hand.x, hand.y, kStoneThrowForce * direction.x, kStoneThrowForce * direction.y);
    body->SetTransform(body->GetPosition(), -theta);
    SetAction(kActionWalk);
    PlayAt(shootSound, hand.x, hand.y);
}

std::string TBigZombi::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateBigZombie(%f,%f)\n", p.x - saveOriginX, p.y - saveOriginY);
    return line;
}
