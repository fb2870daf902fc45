#include "core/MainMenuState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/GLState.h"
#include "render/Projection.h"
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
    if (game->menu) game->menu->Draw();
}
