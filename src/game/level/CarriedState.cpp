#include "level/CarriedState.h"
#include "core/Game.h"

// The soldier himself arrives with the player code; until then no level has a
// player, so there is nothing to store or hand over.
void StoreCarriedState(TGame* game)
{
    if (!game->player) return;
    game->progress->carriedStateValid = true;
}

void ApplyCarriedState(TGame* game)
{
    if (!game->player || !game->progress->carriedStateValid) return;
}

bool PlayerPixelPosition(const TGame*, float*, float*)
{
    return false;
}
