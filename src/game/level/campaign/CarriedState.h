#pragma once

class TGame;

// The player state carried between levels: ammunition, health, inventory.
// Stored when a level ends or the player dies, handed to the next level's player.

// Into the progress record: ammunition, the 16 slots, health, the level's
// steps and kills; sets the valid flag. Without a player nothing happens.
void StoreCarriedState(TGame* game);
// From the progress record to the player, when the record is valid and a
// player exists: ammunition, health, then every non-empty slot through the
// item factory (unknown names are skipped).
void ApplyCarriedState(TGame* game);
// True when the level's player is dying or dead (no player: false).
bool PlayerIsDown(const TGame* game);
// The player's position in world pixels; false (and nothing written) without a player.
bool PlayerPixelPosition(const TGame* game, float* x, float* y);
