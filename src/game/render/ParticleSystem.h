#pragma once
#include "render/Particle.h"
#include "world/GameObject.h"
#include <vector>

// A fixed pool of particles drawn as one world object (depth 12, no body,
// always drawn). The pool is allocated once; spawning past the capacity
// overwrites the oldest particle.
class TParticleSystem : public TGameObject {
public:
    // Joins game->world.
    explicit TParticleSystem(int capacity);
    // Joins the given world (the world makes its own two systems this way).
    TParticleSystem(TWorld* world, int capacity);

    // The next record, reset to the defaults and alive.
    TParticle& Spawn();
    void Update() override;
    void Draw() override;

    int Capacity() const { return capacity; }
    int AliveCount() const;
    const TParticle& At(int index) const { return pool[index]; }

    // Emitters; positions and velocities in world pixels.
    // A white streak fading out (bullet sparks, first kind).
    void EmitSpark(float x, float y, float vx, float vy);
    // A brief yellow-white streak that glows additively (bullet sparks, second kind).
    void EmitHotSpark(float x, float y, float vx, float vy);
    // Slow dust cloud of sprite "spr_suits" in the stone colour.
    void EmitFireSmoke(float x, float y, float scale);
    // Drifting white smoke of sprite "spr_suits".
    void EmitSmoke(float x, float y, float scale);

    int next = 0;

private:
    void Init(int cap);
    int capacity = 0;
    std::vector<TParticle> pool;
};

constexpr int kMainParticleCount = 1000;
constexpr int kDebrisParticleCount = 100;
constexpr int kParticleDepth = 12;
constexpr int kDebrisDepth = 13;
