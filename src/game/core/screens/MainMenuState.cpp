#include "core/screens/MainMenuState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "ui/Menu.h"

void TMainMenuState::Update()
{
    if (KeyPressed(SDLK_ESCAPE) && game->player && !noGameLoaded) game->SetState("game");
    if (game->menu) game->menu->Update();
}

void TMainMenuState::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    // Before the first level the world behind the menu is empty: show the title there.
    if (noGameLoaded) DrawSprite(FindSprite("spr_title"), 160, 100, 0, 0);
    if (game->menu) game->menu->Draw();
}
