#pragma once
#include "render/effects/Particle.h"
#include "world/GameObject.h"
#include <vector>

class TSprite;

// A fixed pool of particles drawn as one world object (depth 12, no body,
// always drawn). The pool is allocated once, at construction, and never grows:
// spawning past the capacity overwrites the oldest particle.
//
// The world keeps two of them: `particles` (1000: blood, sparks, dust,
// flashes) and `debris` (100, drawn above: smoke). Each emitter below says
// which one it is meant for; it works on either.
class TParticleSystem : public TGameObject {
public:
    // Joins game->world.
    explicit TParticleSystem(int capacity);
    // Joins the given world (the world makes its own two systems this way).
    TParticleSystem(TWorld* world, int capacity);

    // The next record, reset to the defaults and alive. The index walks round
    // the pool, so the record handed out is the oldest one.
    TParticle& Spawn();
    // Moves, damps, spins and ages every living particle; a particle dies once
    // its age passes its lifetime.
    void Update() override;
    // Points and streaks in two batches, then the sprite particles.
    void Draw() override;

    int Capacity() const { return capacity; }
    int AliveCount() const;
    const TParticle& At(int index) const { return pool[size_t(index)]; }
    // Kills every particle (pool size unchanged).
    void Reset();

    // Emitters. Positions and velocities in world pixels (per update).

    // Large system. A dark red streak that keeps its colour.
    void EmitBlood(float x, float y, float vx, float vy);
    // Large system. A white streak fading out (bullet sparks, first kind).
    void EmitSpark(float x, float y, float vx, float vy);
    // Large system. A brief yellow-white streak that cools to orange (bullet
    // sparks off metal, second kind).
    void EmitHotSpark(float x, float y, float vx, float vy);
    // Large system. A short light-brown streak: stone dust and wooden splinters.
    void EmitDust(float x, float y, float vx, float vy);
    // Large system. A darker earth-brown streak.
    void EmitDirt(float x, float y, float vx, float vy);
    // Large system. A grey streak jittered by a few pixels that lives twice as
    // long as dust (bones breaking).
    void EmitBoneDust(float x, float y, float vx, float vy);
    // Large system. A two-update additive glow of "spr_omnismooth".
    void EmitFlash(float x, float y, float scale, float r, float g, float b, float a);
    // Large system. The additive burst animation "spr_l6hkekuuli_plahvatus",
    // one frame per update.
    void EmitBulletBurst(float x, float y, float scale, float r, float g, float b, float a);
    // Small system. Drifting white smoke of "spr_suits", doubling in size.
    void EmitSmoke(float x, float y, float scale);
    // Small system. A slow warm dust cloud of "spr_suits".
    void EmitFireSmoke(float x, float y, float scale);

    // Bursts at (x, y) world units heading (dx, dy) world units: min(amount, 20)
    // particles scattered two pixels round the point.
    void BloodBurst(float x, float y, float dx, float dy, int amount);
    void BoneDustBurst(float x, float y, float dx, float dy, int amount);

    int next = 0;

private:
    void Init(int cap);
    // A streak at (x, y) going (vx, vy), previous position the same point.
    TParticle& SpawnStreak(float x, float y, float vx, float vy);
    // Dust and dirt: a short streak of the colour r, g, b (0..255), from
    // `shade` times to half again brighter.
    void EmitBrownStreak(float x, float y, float vx, float vy, float shade, int r, int g, int b);
    TParticle& SpawnSprite(TSprite* sprite, int kind, float x, float y);
    int capacity = 0;
    std::vector<TParticle> pool;
};

constexpr int kMainParticleCount = 1000;
constexpr int kDebrisParticleCount = 100;
constexpr int kParticleDepth = 12;
constexpr int kDebrisDepth = 13;
// The most particles one burst puts out.
constexpr int kMaxBurstParticles = 20;
