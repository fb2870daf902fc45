#include "core/screens/GameState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/Camera.h"
#include "script/ScriptHost.h"
#include "ui/GameOverlay.h"
#include "world/World.h"

void TGameState::Update()
{
    if (game->world) game->world->Step();
    game->LoadPendingLevel();
    // A window that loses the focus (or is minimised) pauses as Escape does:
    // nobody dies unseen.
    if (KeyPressed(SDLK_ESCAPE) || inputTables.FocusLost()) game->SetState("mainmenu");
    if (KeyPressed(GetKeyBinding("map"))) game->SetState("map");
}

void TGameState::DrawPass1()
{
    UpdateCamera(game);
    TMenustate::DrawPass1();
}

void TGameState::DrawPass2()
{
    DrawGameOverlay(game);
}
