#include "level/EditorState.h"
#include "core/Game.h"
#include "core/InputTables.h"

void TEditorState::Update()
{
    if (KeyPressed(SDLK_ESCAPE)) game->SetState("mainmenu");
}
