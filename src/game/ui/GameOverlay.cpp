#include "ui/GameOverlay.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/World.h"

void DrawGameOverlay(TGame* game)
{
    SetScreenView640();
    if (game->world) game->world->DrawLate();
    SetBlendMode(2);
    DrawSprite(FindSprite("spr_sihik"), static_cast<float>(MouseScreenX()),
               static_cast<float>(MouseScreenY()), 0, 0);
}
