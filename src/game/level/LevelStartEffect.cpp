#include "level/LevelStartEffect.h"
#include "level/campaign/CarriedState.h"
#include "render/GLState.h"
#include "render/effects/Particle.h"
#include "render/effects/ParticleSystem.h"
#include "render/Projection.h"
#include "render/ScreenDistortion.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "world/MathUtil.h"
#include "world/World.h"
#include <algorithm>

namespace {

constexpr float kFarAway = 12000000.0f;

void EffectCentre(const TWorld& world, float* x, float* y)
{
    *x = kFarAway;
    *y = kFarAway;
    PlayerPixelPosition(world.game, x, y);
}

void Impulse(float x, float y, float strength, int channel)
{
    if (screenDistortion) screenDistortion->AddRadial(x, y, strength, channel);
}

// A bright blue-white fleck thrown outward from the arrival point; brighter the
// further the effect has run.
void TeleportSpark(TParticleSystem* system, TSprite* sprite, float x, float y, float vx, float vy,
                   float brightness)
{
    if (!system) return;
    TParticle& p = system->Spawn();
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    p.vx = vx * 0.1f;
    p.vy = vy * 0.1f;
    p.damping = 1.0f;
    p.lifetime = 12;
    p.kind = sprite ? TParticle::kSpriteAdditive : TParticle::kStreak;
    p.sprite = sprite;
    p.startScale = 0.6f;
    p.endScale = 0.1f;
    const float a = std::min(brightness, 1.0f);
    const float start[4] = {0.6f, 0.8f, 1.0f, a};
    const float end[4] = {0.6f, 0.8f, 1.0f, 0.0f};
    std::copy(start, start + 4, p.startColor);
    std::copy(end, end + 4, p.endColor);
}

// A swelling glow that fades: the arrival itself.
void Burst(TParticleSystem* system, TSprite* sprite, float x, float y, float size)
{
    if (!system || !sprite) return;
    TParticle& p = system->Spawn();
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    p.lifetime = 25;
    p.kind = TParticle::kSpriteAdditive;
    p.sprite = sprite;
    p.startScale = size;
    p.endScale = size * 3.0f;
    p.angle = RandomRange(0.0f, 9.0f);
    const float start[4] = {0.8f, 0.9f, 1.0f, 1.0f};
    const float end[4] = {0.8f, 0.9f, 1.0f, 0.0f};
    std::copy(start, start + 4, p.startColor);
    std::copy(end, end + 4, p.endColor);
}

void Flash()
{
    SetScreenView320();
    SetBlendMode(2);
    DrawRect(0.0f, 0.0f, 320.0f, 240.0f, true, 1.0f, 1.0f, 1.0f, 0.4f);
    SetScreenView640();
}

} // namespace

void TLevelStartEffect::Install(TWorld& world)
{
    world.levelStartStep = &TLevelStartEffect::Step;
    world.levelStartDraw = &TLevelStartEffect::DrawLate;
}

bool TLevelStartEffect::FlashesAt(int t)
{
    return t == 110 || t == 113 || t == 116 || t == 120 || t == 127;
}

void TLevelStartEffect::Step(TWorld& world)
{
    const int t = world.introTimer;
    if (t < 1 || t > kIntroFrames) return;
    float px = 0.0f, py = 0.0f;
    EffectCentre(world, &px, &py);
    const float ft = float(t);

    if (t >= 100 && t <= 109) {
        for (int i = 0; i < 3; ++i) Impulse(px + RandomRange(-1000.0f, 1000.0f), py, 13.0f, i);
        return;
    }
    TSprite* glow = t <= 99 ? FindSprite("spr_omnismooth") : nullptr;
    for (int i = 0; i < 3; ++i) {
        const float r1 = RandomRange(-ft, ft);
        const float r2 = RandomRange(-ft, ft);
        Impulse(px + r2, py + r1, 0.2f * ft, i);
        if (t <= 99) {
            TeleportSpark(world.particles, glow, px + RandomRange(-15.0f, 15.0f), py + RandomRange(-15.0f, 15.0f),
                          r2, r1, ft / 50.0f);
        }
    }
}

void TLevelStartEffect::DrawLate(TWorld& world)
{
    const int t = world.introTimer;
    if (!FlashesAt(t)) return;
    if (t == 127) {
        // The late pass may run more than once per step (the map screen):
        // the bursts belong to the step, not to the frame.
        static const TWorld* burstWorld = nullptr;
        static int burstStep = -1;
        if (burstWorld != &world || burstStep != world.stepCount) {
            burstWorld = &world;
            burstStep = world.stepCount;
            float px = 0.0f, py = 0.0f;
            EffectCentre(world, &px, &py);
            TSprite* glow = FindSprite("spr_omnismooth");
            for (float size : {1.0f, 1.7f, 1.3f, 1.2f, 1.6f}) Burst(world.debris, glow, px, py, size);
        }
    }
    Flash();
}
