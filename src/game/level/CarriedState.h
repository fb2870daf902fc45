#pragma once

class TGame;

// The player state carried between levels: ammunition, health, inventory.
// Stored when a level ends or the player dies, handed to the next level's player.
void StoreCarriedState(TGame* game);
void ApplyCarriedState(TGame* game);
// The player's position in world pixels; false (and nothing written) without a player.
bool PlayerPixelPosition(const TGame* game, float* x, float* y);
