#include "core/screens/MainMenuState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/campaign/CarriedState.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "script/ScriptHost.h"
#include "ui/Menu.h"

bool TMainMenuState::CanResume() const
{
    // The menu opens before the game-over screen clears the world: a fallen
    // player has nothing to resume, only "continue".
    return game->player && !noGameLoaded && !PlayerIsDown(game);
}

void TMainMenuState::Enter()
{
    if (ScriptFunctionExists("MainMenuEntered"))
        CallScriptFunction("MainMenuEntered", {ScriptValue::Bool(CanResume())}, 0, ScriptErrors::Console);
}

void TMainMenuState::Update()
{
    if (KeyPressed(SDLK_ESCAPE) && CanResume()) game->SetState("game");
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
