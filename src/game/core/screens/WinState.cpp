#include "core/screens/WinState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/campaign/CampaignFile.h"
#include "level/campaign/CarriedState.h"
#include "ui/RunSummaryPage.h"
#include "ui/Summaries.h"
#include "world/World.h"

void TWinState::Update()
{
    // Return only: the player is still holding the keys that walked him into the gate.
    if (KeyPressed(SDLK_RETURN)) game->SetState("mainmenu");
}

void TWinState::DrawPass2()
{
    const TLevelProgress& progress = *game->progress;
    DrawRunSummaryPage(WinText(progress.hits, progress.shots, progress.time, progress.score), 40, 30, 86,
                       progress.kills);
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
