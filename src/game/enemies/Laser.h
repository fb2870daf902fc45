#pragma once
#include "enemies/LoopingChannel.h"
#include "world/GameObject.h"
#include <box2d/b2_math.h>

class TActor;
class TSprite;
class TSound;

// A laser beam held by an actor's weapon: it runs from the holder's muzzle
// along its facing up to the first wall, player or enemy (never the holder),
// calls that object's contact handler with itself every update (enemies take
// `damage`), throws sparks there and hums on a channel of its own that turns
// to the hit sound while it burns an enemy.
//
// The beam lives `lifetime` updates; the weapon sets it back to 2 on each shot
// while the trigger is held (see KeepLaserBeam), so one beam lasts as long as
// the firing. It registers itself as the holder's laserBeam and clears that
// again when it goes. The holder is only followed after checking it is still
// a live object that still owns this beam: a beam whose holder is gone ends.
class TLaser : public TGameObject {
public:
    TLaser(TActor* owner, float damage, TSprite* sprite);
    ~TLaser() override;

    void Update() override;
    // Additive beam between the muzzle and the hit point.
    void Draw() override;

    // The holder while it lives and still owns this beam, else null.
    TActor* Owner() const;
    // `damage`, for the enemy the beam burns.
    bool LaserDamage(float* damageOut) const override;
    // The sound its channel was last asked to loop.
    const TSound* CurrentSound() const { return channel.Current(); }

    float damage = 0.0f;
    int32_t lifetime = 2;           // keep-alive counter: dead below 0
    TSprite* sprite = nullptr;
    b2Vec2 start{0.0f, 0.0f};       // world units
    b2Vec2 end{0.0f, 0.0f};
    TGameObject* hitObject = nullptr;  // what the beam touched this update; compare only
    uint8_t hit = 0;

private:
    void Release();
    TGameObject* owner = nullptr;  // checked against the live objects before use
    TLoopingChannel channel;
    const TSound* fireSound = nullptr;
    const TSound* hitSound = nullptr;
};

// The laser weapon's shot (bullet type 3): makes a beam for the holder, or
// keeps the holder's current beam alive for 2 more updates.
void KeepLaserBeam(TActor* holder, float damage);

// The length of the beam's reach and the frame of "spr_kuul" it is drawn with.
constexpr float kLaserReach = 1000.0f;
constexpr int kLaserFrame = 3;
constexpr int kBeamDepth = 7;
