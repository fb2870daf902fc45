#include "core/screens/HelpMenuState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "ui/Menu.h"
#include "ui/TextPage.h"

void THelpMenuState::Update()
{
    if (KeyPressed(SDLK_UP) || KeyPressed(SDLK_ESCAPE)) closing = 1;
    // The step is a double added to a float and stored back, as the page timing expects:
    // ten frames to open, ten to close.
    if (!closing) {
        slide = static_cast<float>(slide + 0.1);
        if (slide > 1.0f) slide = 1.0f;
    } else {
        slide = static_cast<float>(slide - 0.1);
        if (slide < 0.0f) {
            slide = 0.0f;
            game->SetState("mainmenu");
        }
    }
}

void THelpMenuState::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    DrawTextPage(text, slide);
    if (game->menu) game->menu->Draw();
}

void THelpMenuState::Enter()
{
    slide = 0.0f;
    closing = 0;
}
