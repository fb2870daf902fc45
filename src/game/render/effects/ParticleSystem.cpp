#include "render/effects/ParticleSystem.h"
#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "script/Handles.h"
#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

namespace {

// Sprites live for the whole run once the scripts made them; remember each
// particle sprite instead of asking the scripts for every particle, but only
// while it is still a live sprite (a restarted script host makes new ones).
struct TCachedSprite {
    const char* name;
    TSprite* sprite = nullptr;

    TSprite* Get()
    {
        if (!sprite || !IsHandle(sprite, HandleKind::Sprite)) sprite = FindSprite(name);
        return sprite;
    }
};

TCachedSprite smokeSprite{"spr_suits"};
TCachedSprite flashSprite{"spr_omnismooth"};
TCachedSprite burstSprite{"spr_l6hkekuuli_plahvatus"};

// An integer in lo..hi, both included.
int RandomInt(int lo, int hi)
{
    return lo + std::rand() % (hi - lo + 1);
}

void SetColors(TParticle& p, float r, float g, float b, float a, float endA)
{
    p.startColor[0] = p.endColor[0] = r;
    p.startColor[1] = p.endColor[1] = g;
    p.startColor[2] = p.endColor[2] = b;
    p.startColor[3] = a;
    p.endColor[3] = endA;
}

float Blend(float a, float b, float t)
{
    return a * (1.0f - t) + b * t;
}

// How far through its life the particle is, 0 at birth.
float Age(const TParticle& p)
{
    return p.lifetime > 0 ? float(p.age) / float(p.lifetime) : 1.0f;
}

void ParticleColor(const TParticle& p, float c[4])
{
    const float t = Age(p);
    for (int i = 0; i < 4; ++i) c[i] = Blend(p.startColor[i], p.endColor[i], t);
}

} // namespace

TParticleSystem::TParticleSystem(int cap)
{
    Init(cap);
}

TParticleSystem::TParticleSystem(TWorld* w, int cap) : TGameObject(w)
{
    Init(cap);
}

void TParticleSystem::Init(int cap)
{
    capacity = cap > 0 ? cap : 1;
    pool.assign(size_t(capacity), TParticle{});
    alwaysDraw = 1;
    SetDepth(kParticleDepth);
}

void TParticleSystem::Reset()
{
    for (TParticle& p : pool) p.alive = 0;
    next = 0;
}

TParticle& TParticleSystem::Spawn()
{
    TParticle& p = pool[size_t(next)];
    next = (next + 1) % capacity;
    p = TParticle{};
    p.alive = 1;
    return p;
}

int TParticleSystem::AliveCount() const
{
    int count = 0;
    for (const TParticle& p : pool) count += p.alive;
    return count;
}

void TParticleSystem::Update()
{
    for (TParticle& p : pool) {
        if (!p.alive) continue;
        p.prevX = p.x;
        p.prevY = p.y;
        p.x += p.vx;
        p.y += p.vy;
        p.vx *= p.damping;
        p.vy *= p.damping;
        p.angle += p.angularVelocity;
        p.angularVelocity *= p.angularDamping;
        if (++p.age > p.lifetime) p.alive = 0;
    }
}

void TParticleSystem::Draw()
{
    // Points and streaks go out in two batches (all points, then all streak
    // bodies) with the colour per vertex: one draw each instead of two per
    // particle. Sprite particles follow one by one.
    bool anyFlat = false;
    bool anySprite = false;
    for (const TParticle& p : pool) {
        if (!p.alive) continue;
        if (p.kind == TParticle::kPoint || p.kind == TParticle::kStreak) anyFlat = true;
        else anySprite = true;
    }
    if (anyFlat) {
        float savedColor[4];
        CurrentColor(savedColor);
        BindTexture(0);
        SetBlendMode(2);
        glPointSize(2.0f);
        glBegin(GL_POINTS);
        for (const TParticle& p : pool) {
            if (!p.alive || (p.kind != TParticle::kPoint && p.kind != TParticle::kStreak)) continue;
            float c[4];
            ParticleColor(p, c);
            glColor4f(c[0], c[1], c[2], c[3]);
            glVertex2f(p.x, p.y);
        }
        glEnd();
        glBegin(GL_QUADS);
        for (const TParticle& p : pool) {
            if (!p.alive || p.kind != TParticle::kStreak) continue;
            const float length = std::hypot(p.prevX - p.x, p.prevY - p.y);
            if (length <= 0.0f) continue;
            // A line 2 pixels wide from the position back to the previous one.
            const float k = 2.0f * 0.25f / length;
            const float ox = k * (p.prevY - p.y);
            const float oy = k * (p.x - p.prevX);
            float c[4];
            ParticleColor(p, c);
            glColor4f(c[0], c[1], c[2], c[3]);
            glVertex2f(p.x - ox, p.y - oy);
            glVertex2f(p.x + ox, p.y + oy);
            glVertex2f(p.prevX + ox, p.prevY + oy);
            glVertex2f(p.prevX - ox, p.prevY - oy);
        }
        glEnd();
        // The colour cache still holds the colour from before: make it true again.
        glColor4f(savedColor[0], savedColor[1], savedColor[2], savedColor[3]);
    }
    if (!anySprite) return;
    TSpriteBatchScope sprites;
    for (const TParticle& p : pool) {
        if (!p.alive || p.kind == TParticle::kPoint || p.kind == TParticle::kStreak) continue;
        const float t = Age(p);
        float c[4];
        ParticleColor(p, c);
        SetBlendMode(p.kind == TParticle::kSpriteAdditive ? 1 : 2);
        const int frame = int(Blend(float(p.startFrame), float(p.endFrame), t));
        const float scale = Blend(p.startScale, p.endScale, t);
        DrawSpriteEx(p.sprite, p.x, p.y, p.angle, frame, scale, scale, c[0], c[1], c[2], c[3]);
    }
}

TParticle& TParticleSystem::SpawnStreak(float x, float y, float vx, float vy)
{
    TParticle& p = Spawn();
    p.kind = TParticle::kStreak;
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    p.vx = vx;
    p.vy = vy;
    return p;
}

TParticle& TParticleSystem::SpawnSprite(TSprite* sprite, int kind, float x, float y)
{
    TParticle& p = Spawn();
    p.kind = kind;
    p.sprite = sprite;
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    return p;
}

void TParticleSystem::EmitBlood(float x, float y, float vx, float vy)
{
    TParticle& p = SpawnStreak(x, y, vx, vy);
    p.damping = 0.5f + float(std::rand() % 400) / 1000.0f;
    p.lifetime = 4 + std::rand() % 6;
    const float r = float(120 + std::rand() % 40) / 255.0f;
    const float g = float(10 + std::rand() % 20) / 255.0f;
    SetColors(p, r, g, g, 1.0f, 1.0f);
}

void TParticleSystem::EmitSpark(float x, float y, float vx, float vy)
{
    TParticle& p = SpawnStreak(x, y, vx, vy);
    p.damping = 0.5f;
    p.lifetime = 7;
    SetColors(p, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f);
}

void TParticleSystem::EmitHotSpark(float x, float y, float vx, float vy)
{
    TParticle& p = SpawnStreak(x, y, vx, vy);
    p.damping = 0.75f;
    p.lifetime = 10;
    p.startColor[0] = 1.0f; p.startColor[1] = 0.9f; p.startColor[2] = 0.5f; p.startColor[3] = 1.0f;
    p.endColor[0] = 1.0f; p.endColor[1] = 0.45f; p.endColor[2] = 0.1f; p.endColor[3] = 0.0f;
}

void TParticleSystem::EmitDust(float x, float y, float vx, float vy) { EmitBrownStreak(x, y, vx, vy, 1.2f, 93, 75, 45); }

void TParticleSystem::EmitDirt(float x, float y, float vx, float vy) { EmitBrownStreak(x, y, vx, vy, 0.6f, 132, 90, 47); }

void TParticleSystem::EmitBrownStreak(float x, float y, float vx, float vy, float shade, int r, int g, int b)
{
    TParticle& p = SpawnStreak(x, y, vx, vy);
    p.damping = float(std::rand() % 800) / 1000.0f;
    p.lifetime = 6;
    const float f = (shade + float(std::rand() % 1000) / 2000.0f) / 255.0f;
    SetColors(p, float(r) * f, float(g) * f, float(b) * f, 1.0f, 0.0f);
}

void TParticleSystem::EmitBoneDust(float x, float y, float vx, float vy)
{
    TParticle& p = SpawnStreak(x, y, vx, vy);
    // The streak starts from the unjittered point, so fragments fan out.
    p.x = x + float(std::rand() % 4 - std::rand() % 4);
    p.y = y + float(std::rand() % 4 - std::rand() % 4);
    p.damping = float(std::rand() % 800) / 1000.0f;
    p.lifetime = 12;
    const float grey = 93.0f / 255.0f * (1.2f + float(std::rand() % 1000) / 2000.0f);
    SetColors(p, grey, grey, grey, 0.9f, 0.0f);
}

void TParticleSystem::EmitFlash(float x, float y, float scale, float r, float g, float b, float a)
{
    TParticle& p = SpawnSprite(flashSprite.Get(), TParticle::kSpriteAdditive, x, y);
    p.lifetime = 2;
    p.angle = float(std::rand() % 10);
    p.angularDamping = 0.99f;
    p.startScale = p.endScale = scale;
    SetColors(p, r, g, b, a, 0.0f);
}

void TParticleSystem::EmitBulletBurst(float x, float y, float scale, float r, float g, float b,
                                      float a)
{
    TSprite* sprite = burstSprite.Get();
    TParticle& p = SpawnSprite(sprite, TParticle::kSpriteAdditive, x, y);
    const int frames = sprite ? sprite->frameCount : 0;
    p.lifetime = frames > 1 ? frames - 1 : 1;
    p.endFrame = frames > 1 ? frames - 1 : 0;
    p.angle = float(std::rand() % 10);
    p.startScale = p.endScale = scale;
    SetColors(p, r, g, b, a, a);
}

void TParticleSystem::EmitSmoke(float x, float y, float scale)
{
    TParticle& p = SpawnSprite(smokeSprite.Get(), TParticle::kSprite, x, y);
    p.vx = 0.07f;
    p.vy = 0.03f;
    p.lifetime = 100 + std::rand() % 100;
    p.angle = float(std::rand() % 10);
    p.angularVelocity = float(std::rand() % 1000 - 500) / 40000.0f;
    p.angularDamping = 0.99f;
    p.startScale = scale;
    p.endScale = 2.0f * scale;
    SetColors(p, 1.0f, 1.0f, 1.0f, 0.5f, 0.0f);
}

void TParticleSystem::EmitFireSmoke(float x, float y, float scale)
{
    TParticle& p = SpawnSprite(smokeSprite.Get(), TParticle::kSprite, x, y);
    p.vx = 0.007f;
    p.vy = 0.003f;
    p.lifetime = 70 + std::rand() % 100;
    p.angle = float(std::rand() % 10);
    p.angularVelocity = float(std::rand() % 1000 - 500) / 40000.0f;
    p.angularDamping = 0.99f;
    p.startScale = scale;
    p.endScale = 1.5f * scale;
    const float f = 0.8f + float(std::rand() % 1000) / 5000.0f;
    SetColors(p, f * 244.0f / 255.0f, f * 187.0f / 255.0f, f * 70.0f / 255.0f, 0.6f, 0.0f);
}

void TParticleSystem::BloodBurst(float x, float y, float dx, float dy, int amount)
{
    const int count = amount < kMaxBurstParticles ? amount : kMaxBurstParticles;
    for (int i = 0; i < count; ++i) {
        const float px = 12.0f * x + float(RandomInt(-2, 2));
        const float py = 12.0f * y + float(RandomInt(-2, 2));
        const float vx = float(RandomInt(-500, 499)) / 150.0f + dx * 25.0f / 12.0f;
        const float vy = float(RandomInt(-500, 499)) / 150.0f + dy * 25.0f / 12.0f;
        EmitBlood(px, py, vx, vy);
    }
}

void TParticleSystem::BoneDustBurst(float x, float y, float dx, float dy, int amount)
{
    const int count = amount < kMaxBurstParticles ? amount : kMaxBurstParticles;
    for (int i = 0; i < count; ++i) {
        const float px = 12.0f * x + float(RandomInt(-2, 2));
        const float py = 12.0f * y + float(RandomInt(-2, 2));
        const float vx = float(RandomInt(-500, 499)) / 150.0f + dx * 25.0f / 12.0f;
        const float vy = float(RandomInt(-500, 499)) / 150.0f + dy * 25.0f / 12.0f;
        EmitBoneDust(px, py, vx, vy);
    }
}
