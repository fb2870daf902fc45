#include "core/screens/GameOverState.h"
#include "audio/Mixer.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/campaign/CampaignFile.h"
#include "level/campaign/CarriedState.h"
#include "level/campaign/Difficulty.h"
#include "ui/RunSummaryPage.h"
#include "ui/Summaries.h"
#include "world/World.h"

void TGameOverState::DrawPass2()
{
    const TLevelProgress& progress = *game->progress;
    DrawRunSummaryPage(GameOverText(progress.hits, progress.shots, progress.time, progress.score), 80, 60, 81,
                       progress.kills);

    HaltAllChannels();
    if (KeyPressed(SDLK_RETURN)) game->SetState("mainmenu");
}

void TGameOverState::Enter()
{
    // Killed while a gate counted down for him: he does not get through, also
    // not once this screen is left before the count is out.
    game->CancelLevelChange();
    StoreCarriedState(game);
    // On "hard" a dead soldier has nothing to continue; otherwise "continue"
    // starts the level he reached again, with what he carried through its gate.
    if (DifficultyNamed(game->progress->difficulty).deathEndsCampaign) ClearCampaign();
}

void TGameOverState::Leave()
{
    game->applyCarryOver = 1;
    ReleaseKey(SDLK_RETURN);
    game->EndRun();
    if (game->world) game->world->Clear();
    game->progress->Reset();
}
