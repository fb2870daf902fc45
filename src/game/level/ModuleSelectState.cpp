#include "level/ModuleSelectState.h"
#include "core/Game.h"
#include "core/InputTables.h"

void TModuleSelectState::Update()
{
    if (KeyPressed(SDLK_ESCAPE)) game->SetState("mainmenu");
}
