#include "core/GameOverState.h"
#include "audio/Mixer.h"
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

void TGameOverState::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    DrawRect(0, 0, 640, 480, true, 0, 0, 0, 1);
    SetColor(1, 1, 1, 1);
    const TLevelProgress& progress = *game->progress;
    DrawTextBlock(GameOverText(progress.hits, progress.shots, progress.time, progress.score), 80, 60);
    DrawTextBlock("KILLS:", 160, 81);
    int row = 0;
    for (const std::string& line : KillLines(progress.kills))
        DrawTextBlock(line, 160, 88 + 7 * row++);

    HaltAllChannels();
    if (KeyPressed(SDLK_RETURN)) game->SetState("mainmenu");
}

void TGameOverState::Enter()
{
    StoreCarriedState(game);
    // A dead soldier has nothing to continue.
    ClearCampaign();
}

void TGameOverState::Leave()
{
    game->applyCarryOver = 1;
    ReleaseKey(SDLK_RETURN);
    game->EndRun();
    if (game->world) game->world->Clear();
    game->progress->Reset();
}
