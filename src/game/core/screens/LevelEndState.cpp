#include "core/screens/LevelEndState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/campaign/CampaignFile.h"
#include "level/campaign/CarriedState.h"
#include "level/LevelLoader.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "ui/Summaries.h"
#include "world/World.h"

void TLevelEndState::Update()
{
    if (AnyKeyPressed()) game->SetState("game");
}

void TLevelEndState::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    DrawRect(0, 0, 640, 480, true, 0, 0, 0, 1);
    SetColor(1, 1, 1, 1);
    const TLevelProgress& progress = *game->progress;
    const int steps = game->world ? game->world->stepCount : 0;
    DrawTextBlock(LevelEndText(game->currentLevelName, game->nextLevelName, progress.hits,
                               progress.shots, steps, progress.score),
                  80, 60);
    DrawTextBlock("KILLS:", 160, 74);
    int row = 0;
    for (const std::string& line : KillLines(progress.levelKills))
        DrawTextBlock(line, 160, 81 + 7 * row++);
}

void TLevelEndState::Enter()
{
    StoreCarriedState(game);
}

void TLevelEndState::Leave()
{
    LoadLevel(game, game->nextLevelName);
    game->applyCarryOver = 1;
    // Entered through a gate: "continue" starts here with the player as he arrives.
    SaveCampaign(*game, game->nextLevelName);
}
