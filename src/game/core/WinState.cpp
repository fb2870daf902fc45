#include "core/WinState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/CampaignFile.h"
#include "level/CarriedState.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "ui/Summaries.h"
#include "world/World.h"

void TWinState::Update()
{
    // Return only: the player is still holding the keys that walked him into the gate.
    if (KeyPressed(SDLK_RETURN)) game->SetState("mainmenu");
}

void TWinState::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    DrawRect(0, 0, 640, 480, true, 0, 0, 0, 1);
    SetColor(1, 1, 1, 1);
    const TLevelProgress& progress = *game->progress;
    DrawTextBlock(WinText(progress.hits, progress.shots, progress.time, progress.score), 40, 30);
    // The run's kills beside its figures.
    DrawTextBlock("KILLS:", 160, 86);
    int row = 0;
    for (const std::string& line : KillLines(progress.kills))
        DrawTextBlock(line, 160, 93 + 7 * row++);
}

void TWinState::Enter()
{
    // The last level's time and kills join the run's before they are shown.
    StoreCarriedState(game);
    ClearCampaign();
}

void TWinState::Leave()
{
    ReleaseKey(SDLK_RETURN);
    game->EndRun(true);
    if (game->world) game->world->Clear();
    game->progress->Reset();
}
