#pragma once

class TSprite;

// One particle of a particle system. Positions and velocities in world pixels
// per update; colours and frames blend from birth (age 0) to death (lifetime).
struct TParticle {
    // Drawing kinds.
    static constexpr int kPoint = 0;
    static constexpr int kStreak = 1;
    static constexpr int kSprite = 2;          // ordinary blending
    static constexpr int kSpriteAdditive = 3;

    float x = 0.0f, y = 0.0f;
    float prevX = 0.0f, prevY = 0.0f;
    float vx = 0.0f, vy = 0.0f;
    float damping = 1.0f;           // velocity factor per update
    int age = 0;
    int lifetime = 1;
    float startColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float endColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int startFrame = 0, endFrame = 0;
    float startScale = 1.0f, endScale = 1.0f;
    float angularVelocity = 0.0f;   // radians per update
    float angularDamping = 1.0f;
    float angle = 0.0f;
    TSprite* sprite = nullptr;
    int kind = kPoint;
    int alive = 0;
};
