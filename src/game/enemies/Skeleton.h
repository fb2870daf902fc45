#pragma once
#include "enemies/Enemy.h"
#include <string>

// The skeleton: a rattling heap of bones that walks into the player and
// strikes. Bullets knock bone dust out of it instead of blood and it never
// flinches; a blast near enough scatters it into seven bone pieces.
class TSkeleton : public TEnemy {
public:
    // At (x, y) world units (already through the creation transform).
    TSkeleton(float x, float y);

    // The base chase, with the odd rattle.
    void OnWalk() override;
    // Always knocked down; near the blast it falls apart into bones.
    void OnExplosion(TGameObject* explosion) override;
    // A push, bone dust and a spark now and then; no pain, no gibs.
    void OnBulletHit(TGameObject* bullet) override;
    // Bone dust and sparks where the beam burns.
    void OnLaserHit(TGameObject* laser) override;
    // "CreateMSkeleton(x,y)\n".
    std::string GetCreateCommand() override;

    static constexpr const char* kSpriteName = "spr_mskeleton";
    static constexpr int kBonePieces = 7;
};

// The skeleton's tuning and animation table.
TEnemyTuning SkeletonTuning();
TEnemyAnimationTable SkeletonAnimation();
