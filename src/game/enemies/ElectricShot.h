#pragma once
#include "enemies/LoopingChannel.h"
#include "world/GameObject.h"
#include <box2d/b2_math.h>
#include <cstdint>

class TActor;
class TElectric;
class TSound;

// The electric gun's shot: an arc from the holder's gun to the best thing in
// a 50-degree fan in front of it. Each update it casts 11 rays of 30 m at the
// holder's facing −25, −20, …, +25 degrees against walls and enemies; an enemy
// beats anything else, the nearer of equals wins. On an enemy the arc clings
// to it and burns 10 health per update, and the hum turns to the hit sound;
// otherwise the arc ends on the wall (or fizzles a few metres ahead when the
// fan finds nothing).
//
// Lives `lifetime` updates; the weapon sets it back to 2 on each shot while
// the trigger is held (KeepElectricShot). It registers itself as the holder's
// electricBeam, owns its arc (marked dead with the shot) and lets go of the
// holder when it goes. A shot whose holder is gone ends.
class TElectricShot : public TGameObject {
public:
    explicit TElectricShot(TActor* owner);
    ~TElectricShot() override;

    void Update() override;
    // The arc draws itself.
    void Draw() override;

    // The holder while it lives and still owns this shot, else null.
    TActor* Owner() const;
    // The sound its channel was last asked to loop.
    const TSound* CurrentSound() const { return channel.Current(); }
    // The arc while it exists, else null.
    TElectric* Arc() const;

    int32_t lifetime = 4;
    TGameObject* target = nullptr;  // the enemy burned this update; compare only

private:
    void Release();
    TGameObject* owner = nullptr;  // checked against the live objects before use
    TGameObject* arc = nullptr;    // likewise
    TLoopingChannel channel;
    const TSound* fireSound = nullptr;
    const TSound* hitSound = nullptr;
};

// The electric weapon's shot (bullet type 6): makes a shot for the holder, or
// keeps the holder's current one alive for 2 more updates.
void KeepElectricShot(TActor* holder);

constexpr float kElectricReach = 30.0f;
constexpr float kElectricBurn = 10.0f;      // health per update
constexpr float kElectricFizzle = 4.0f;     // metres ahead when nothing is in reach
