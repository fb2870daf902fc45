#pragma once
#include "enemies/Enemy.h"
#include <cstdint>
#include <string>

// The zombie: slow to notice, quick to close in, clumsy on its feet. Its
// speed wobbles with a slowly drifting phase and its walk frames jump about.
// Variants: buried ("hide" until the player comes within 2 m, then it digs
// out) and blue (slower, its own sprite). Zombies from a spawner charge for
// their hold time whatever the base logic decides.
class TZombi : public TEnemy {
public:
    // At (x, y) world units (already through the creation transform).
    // flags: kZombieHidden starts it buried, kZombieBlue makes it blue.
    TZombi(float x, float y, int flags);

    // Base walk, held in "walk" while holdTimer runs, then the speed wobble,
    // the jumping walk frames and the odd moan.
    void OnWalk() override;
    // Nothing while buried (frame 6 in black in the editors); else shadow and sprite.
    void Draw() override;
    // "CreateZombie(x,y,\"HB0\")\n": H buried, B blue.
    std::string GetCreateCommand() override;

    int32_t frameTimer = 0;
    int32_t speedPhase = 0;
    uint8_t blue = 0;
    int32_t holdTimer = 0;
};

// Flag bits of TZombi and CreateZombie (first, second and third characters).
constexpr int kZombieHidden = 1;
constexpr int kZombieBlue = 4;
constexpr int kZombieUnused = 2;

// The zombie's tuning and animation tables.
TEnemyTuning ZombieTuning();
TEnemyAnimationTable ZombieAnimation();
// "100" → kZombieHidden, "010" → kZombieBlue, "001" → kZombieUnused; a short
// string reads only the characters it has.
int ParseZombieFlags(const char* flags);
