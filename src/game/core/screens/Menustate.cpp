#include "core/screens/Menustate.h"
#include "core/Game.h"
#include "world/World.h"

void TMenustate::DrawPass1()
{
    if (game->world) game->world->Draw();
}
