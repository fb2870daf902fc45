#include "world/Bitmap.h"
#include "core/Game.h"
#include "world/World.h"

TBitmap::TBitmap() : game(::game)
{
    if (game && game->world) game->world->AddBitmap(this);
}
