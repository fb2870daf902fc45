#pragma once
#include <cstdint>

// The numbers that make one enemy kind behave unlike another. Every kind sets
// the fields it changes in its constructor; the rest keep these defaults.
// Distances in world units (metres), chances per update in [0, 1].
struct TEnemyTuning {
    float touchDamage = 0.0f;        // damage of a contact attack on the player
    float walkAnimFactor = 0.1f;     // frames per (metre per frame) of walking speed
    float gibRadiusFactor = 0.0f;    // an explosion gibs when distance < power × this
    float painResist = 1.0f;         // a hit causes pain with chance 1 − painResist
    float sightChance = 0.3f;        // chance per idle update to look for the player
    float sightRange = 10.0f;        // the player is seen only nearer than this
    float maxSpeedSq = 0.0f;         // the walk force pushes only below this squared speed
    float moveForce = 0.0f;          // walk force along the facing
    float turnRate = 0.0f;           // gain of TurnToward
    float steerChance = 0.5f;        // chance per update of an extra heading step
    float shootChance = 0.01f;       // chance per walking update to start aiming
    float aimSpread = 0.0f;          // half-width (radians) of the spread of a shot
    float knockDownChance = 0.0f;    // chance a contact attack knocks the player down
    float stabVulnerability = 1.0f;  // multiplier of the player's stab damage
    uint8_t explosionKills = 0;      // explosions put it into "fall" rather than "pain"
    uint8_t hasGun = 0;              // it may aim and shoot
    uint8_t canGib = 0;              // bullets and lasers may burst it into gibs
    int32_t burstSize = 1;           // shots per burst
    int32_t shootFrame = 0;          // animation frame at which a shot leaves
    int32_t scoreValue = 0;          // points for the kill
    // Heading controller gains (per degree of heading error).
    float kP = 0.0024f;
    float kI = 0.00016f;
    float kD = 0.009f;
};
