#pragma once
#include "enemies/EnemyAnimation.h"
#include "enemies/EnemyTuning.h"
#include "player/Actor.h"
#include <box2d/b2_math.h>
#include <cstdint>
#include <string>

class TPlayer;
class TSound;

// Every enemy: an actor run by a state machine whose states are its action
// numbers. Each update calls the handler of the current action (OnIdle,
// OnWalk, ...); a kind changes behaviour by overriding handlers and by setting
// `tuning`, `animation`, its sounds, sprite and body in its constructor.
//
// The base gives every enemy: noticing the player by sight (rationed by
// sightChance), chasing with a heading controller and wall probes, bursts of
// fire, contact attacks, reactions to bullets, lasers, explosions and the
// player's stab, pain, falling, the corpse decal, gibs, positional sounds, and
// kill and score counting.
//
// Creating an enemy counts it in world->enemyCounts[kindName] and tells the
// scripts through AddToRndTable(enemy, kindName) so they can decide its drop.
//
// The target (the player once seen) is kept as a checked handle: Target()
// returns null once the object is gone, so a deleted target is never touched.
class TEnemy : public TActor {
public:
    explicit TEnemy(const std::string& kindName);
    // An enemy removed without dying (level cleared) leaves the enemy count.
    ~TEnemy() override;

    // Runs the state machine, the stab check, the animation and the death check.
    void Update() override;
    // Drop shadow and sprite; frames the sprite hasn't draw nothing.
    void Draw() override;
    // Bullets, the player, explosions and lasers, by the other's collision type.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;
    // Stores the action; enters its first animation frame when that is 0 or more.
    void SetAction(int32_t newAction) override;

    // State handlers, one per action.
    virtual void LeaveCorpse();   // from "lay": a floor decal of the current frame
    virtual void OnIdle();        // look for the player
    virtual void OnWalk();        // chase the goal
    virtual void OnAim();         // follow the target with the gun
    virtual void OnShoot();       // fire at the shoot frame
    virtual void OnFall();        // dying: no collisions, braking
    virtual void OnPain();        // count down painTimer, then idle
    virtual void OnRise();        // nothing
    virtual void OnLay();         // dead: removed, kill counted, corpse left
    virtual void OnSprint();      // base: back to idle
    virtual void OnHide();        // buried until the player comes near
    virtual void OnDig();         // digging out: solid again
    // Reactions.
    virtual void OnTouchPlayer(TPlayer* player);
    virtual void OnExplosion(TGameObject* explosion);
    virtual void OnBulletHit(TGameObject* bullet);
    virtual void OnLaserHit(TGameObject* laser);

    // One kill of this kind in the world's killCounts and its score for the run.
    void CountKill();
    // One heading-controller step toward (x, y), skipped while falling, rising
    // or lying.
    void SteerToward(float x, float y);
    // A proportional turn toward (x, y): torque u·π/180·turnRate·gain.
    void TurnToward(float x, float y, float gain);
    // The turn in degrees (−180, 180] the body needs to face (x, y).
    float HeadingError(float x, float y) const;

    // The chased object when it still exists, else null (and forgotten).
    TGameObject* Target();
    void SetTarget(TGameObject* object);
    // The world's player, or null.
    TPlayer* Player() const;
    // The body position (0, 0 without a body).
    b2Vec2 BodyPosition() const;

    // Plays a sound from this enemy's position (or from (x, y)), quieter with
    // distance from the listener. A null sound is silent.
    void PlayHere(const TSound* sound) const;
    void PlayAt(const TSound* sound, float x, float y) const;
    void PlayHere(const char* soundName) const;

    // Bursts into 4 limbs ("spr_zombitykid1" frames 0..3), each launched with
    // launch(i); dead flag set, health −1. With `withSound` each limb plays
    // "zombi_ribadeks".
    void Gib(const b2Vec2 launch[4], bool withSound);

    TEnemyAnimationTable animation;
    TEnemyTuning tuning;
    float goalX = 0.0f, goalY = 0.0f;
    int32_t painTimer = 0;
    int32_t hitsThisFrame = 0;
    uint8_t firedThisFrame = 0;
    int32_t shotsLeft = 0;
    std::string kindName;
    float headingErrorPrev = 0.0f;
    float headingErrorSum = 0.0f;

    const TSound* painSound = nullptr;
    const TSound* hitSound = nullptr;
    const TSound* stepSound = nullptr;
    const TSound* alertSound = nullptr;
    const TSound* shootSound = nullptr;
    const TSound* attackSound = nullptr;
    const TSound* deathSound = nullptr;
    const TSound* stabbedSound = nullptr;  // "luukere_m66k"

protected:
    // One walking step: footstep sound, the push forward under the speed cap,
    // the walk animation. Kinds with their own walk call it first.
    void WalkStep();
    // The circle body of a kind: radius, density, damping, at (x, y) with angle.
    void BuildBody(float x, float y, float angle, float radius, float density,
                   float linearDamping, float angularDamping);
    // A named sound, or null for a null name (kinds fill their sound slots).
    static const TSound* SoundNamed(const char* name);
    // True when a wall lies on the segment.
    static bool WallBetween(float x1, float y1, float x2, float y2);
    // The player's stab, checked after most handlers.
    void CheckStab();
    // Steps the frame; changes action at the end of a non-looping animation.
    void Animate();
    // Fall at health below 0.
    void CheckDeath();
    // The blast of an explosion touching an enemy, in pixels (its strength ×
    // 12): every kind reckons its explosion damage and reach from this. False
    // when `object` is no explosion.
    static bool ExplosionPower(const TGameObject* object, float* power);

private:
    TGameObject* target = nullptr;  // compared and checked, never followed unchecked
};

// The collision type enemies carry and the one laser beams carry.
constexpr int32_t kEnemyCollisionType = 16;
constexpr int32_t kLaserCollisionType = 256;
// Enemy objects draw at this depth.
constexpr int kEnemyDepth = 3;
