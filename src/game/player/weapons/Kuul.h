#pragma once
#include "world/GameObject.h"
#include <box2d/b2_math.h>
#include <cstddef>
#include <cstdint>

class TActor;
class TSprite;

// A bullet: a fast segment without a body. Each step it moves by its
// velocity and ray-casts the path it covered against walls, the player and
// enemies (never its shooter). What it hits gets OnContact with the bullet;
// walls and the player stop it, enemies may let it pierce through at the cost
// of pierce and half its damage. It dies when it stops, fails a pierce roll
// or outlives its range.
//
// Drawn as a trail from the previous position with the "spr_kuul" frame of
// its type at the head. Positions and velocities are world pixels (12 per unit).
class TKuul : public TGameObject {
public:
    // At (x, y) world units heading along the game angle (cos a, −sin a) at
    // `speed` pixels per frame give or take 20 %, living `range` frames.
    // A bullet of the game's player counts as a shot for the statistics.
    TKuul(float x, float y, float angle, float speed, float damage, float range, int pierce,
          int bulletType, TActor* shooter);

    // Hundreds fly and hit walls every second: their memory is recycled.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    // Move, ray-cast, hit.
    void Update() override;
    // The trail from the previous position, then FinishFrame.
    void Draw() override;
    // Bullets have no body for the view query to find: always drawn.
    void DrawIfVisible() override;
    // A streak on the screen distortion, from the second frame on.
    void DrawLate() override;
    // Damage and pierce while it flies; false once it is dead.
    bool BulletDamage(float* damage, float* piercing) const override;
    int BulletKind() const override { return bulletType; }

    // The bookkeeping of a drawn frame: the trail starts anew at the current
    // position, and a bullet that stopped is removed now (so it was seen once
    // where it hit).
    void FinishFrame();
    float Speed() const { return velocity.Length(); }

    float maxLife = 0.0f;
    int32_t pierce = 1;
    b2Vec2 spawn{0.0f, 0.0f};
    b2Vec2 position{0.0f, 0.0f};
    b2Vec2 previous{0.0f, 0.0f};
    b2Vec2 velocity{0.0f, 0.0f};
    int32_t life = 0;
    int32_t bulletType = 0;
    float damage = 0.0f;
    TGameObject* shooter = nullptr;  // only compared, never followed
    uint8_t skipTrail = 1;
    uint8_t stopped = 0;
    uint8_t countsAsHit = 0;         // the player's bullet hit an enemy
    uint8_t firedByPlayer = 0;
    TSprite* sprite = nullptr;       // "spr_kuul", frame = bullet type
};

// Bullet kinds.
constexpr int kBulletPlain = 0;
constexpr int kBulletNail = 1;       // drawn grey
constexpr int kBulletExploding = 2;  // leaves a burst where it strikes
// A bullet pierces an enemy when rand() % pierce is at least this.
constexpr int kPierceThreshold = 50;
