#include "enemies/Zombi.h"
#include "core/CurrentScreen.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

TEnemyTuning ZombieTuning()
{
    TEnemyTuning t;
    t.gibRadiusFactor = 0.5f;
    t.painResist = 0.1f;
    t.sightChance = 0.1f;
    t.sightRange = 10.0f;
    t.maxSpeedSq = 9.0f;
    t.moveForce = 3.0f;
    t.turnRate = 0.5f;
    t.steerChance = 0.15f;
    t.shootChance = 0.0f;
    t.touchDamage = 2.0f;
    t.knockDownChance = 0.0f;
    t.explosionKills = 1;
    t.hasGun = 0;
    t.canGib = 1;
    t.scoreValue = 1;
    return t;
}

TEnemyAnimationTable ZombieAnimation()
{
    TEnemyAnimationTable table;
    table.Set(kActionIdle, 0, 1, 0.1f, kActionIdle);
    table.Set(kActionWalk, 20, 36, 0.001f, kAnimLoop);
    table.Set(kActionFall, 4, 7, 0.25f, kActionLay);
    table.Set(kActionRise, 7, 4, -0.1f, kActionIdle);
    table.Set(kActionPain, 7, 8, 0.0f, kActionIdle);
    table.Set(kActionLay, 6, 7, 0.1f, kAnimLoop);
    table.Set(kActionHit, 1, 2, 0.25f, kActionIdle);
    table.Set(kActionHide, 19, 20, 0.1f, kAnimLoop);
    table.Set(kActionDig, 16, 19, 0.25f, kActionIdle);
    return table;
}

int ParseZombieFlags(const char* flags)
{
    if (!flags) return 0;
    int bits = 0;
    if (flags[0] == '1') bits |= kZombieHidden;
    if (flags[0] != '\0' && flags[1] == '1') bits |= kZombieBlue;
    if (flags[0] != '\0' && flags[1] != '\0' && flags[2] == '1') bits |= kZombieUnused;
    return bits;
}

TZombi::TZombi(float x, float y, int flags) : TEnemy("zombie")
{
    tuning = ZombieTuning();
    animation = ZombieAnimation();
    health = 50.0f;
    maxHealth = 50.0f;
    BuildBody(x, y, float(std::rand() % 10), 0.25f, 1.5f, 3.5f, 2.0f);
    painSound = SoundNamed("zombi_valu");
    stepSound = SoundNamed("zombi_samm");
    hitSound = SoundNamed("zombi_hit");
    attackSound = SoundNamed("zombi_l88b");
    if (flags & kZombieBlue) {
        blue = 1;
        sprite = FindSprite("spr_sininezombi");
    } else {
        sprite = FindSprite(Chance(0.5f) ? "spr_zombi1" : "spr_zombi2");
    }
    if (flags & kZombieHidden) {
        action = kActionHide;
        frame = 15.0f;
    } else {
        SetAction(kActionIdle);
    }
}

void TZombi::OnWalk()
{
    holdTimer -= 1;
    const float keptFrame = frame;
    const float keptGoalX = goalX;
    const float keptGoalY = goalY;
    TEnemy::OnWalk();
    if (holdTimer > 0) {
        // Fresh out of a spawner: keep charging.
        goalX = keptGoalX;
        goalY = keptGoalY;
        SetAction(kActionWalk);
        frame = keptFrame;
    }

    speedPhase += std::rand() % 25;
    const float s = std::sin(float(speedPhase) * 0.01f);
    if (blue) {
        tuning.maxSpeedSq = 5.0f * s + 7.0f;
        tuning.moveForce = 2.0f * s + 6.0f;
    } else {
        tuning.maxSpeedSq = 15.0f * s + 28.0f;
        tuning.moveForce = 2.0f * s + 8.0f;
    }
    frameTimer -= 1;
    if (frameTimer < 0) {
        frameTimer = int(45.0f / tuning.maxSpeedSq);
        frame = float(20 + std::rand() % 16);
    }
    if (std::rand() % 200 == 0) PlayHere("zombi_random_h22l");
}

void TZombi::Draw()
{
    const b2Vec2 p = BodyPosition();
    const float a = -GetAngle();
    SetBlendMode(2);
    if (action == kActionHide) {
        if (CurrentScreenIsEditor())
            DrawSpriteTinted(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a,
                             DrawableFrame(sprite, 6.0f), 0.0f, 0.0f, 0.0f, 1.0f);
        return;
    }
    const int f = DrawableFrame(sprite, frame);
    if (f < 0) return;
    DrawSpriteTinted(sprite, kPixelsPerUnit * p.x + shadowDist, kPixelsPerUnit * p.y + shadowDist, a, f,
                     0.0f, 0.0f, 0.0f, 0.2f);
    DrawSprite(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a, f);
}

std::string TZombi::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateZombie(%f,%f,\"%d%d%d\")\n", p.x - saveOriginX,
                  p.y - saveOriginY, action == kActionHide ? 1 : 0, blue ? 1 : 0, 0);
    return line;
}
