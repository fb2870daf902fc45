#include "core/Game.h"
#include "core/CurrentScreen.h"
#include "audio/Mixer.h"
#include "core/screens/ControlsMenuState.h"
#include "core/screens/GameOverState.h"
#include "core/screens/GameState.h"
#include "core/screens/HelpMenuState.h"
#include "core/InputTables.h"
#include "core/screens/LevelEndState.h"
#include "core/screens/MainMenuState.h"
#include "core/screens/MapState.h"
#include "core/screens/ScreenMusic.h"
#include "core/screens/StateRegistry.h"
#include "core/screens/WinState.h"
#include "level/editor/EditorState.h"
#include "level/editor/EditorState2.h"
#include "level/campaign/CarriedState.h"
#include "level/LevelLoader.h"
#include "level/editor/ModuleSelectState.h"
#include "player/Player.h"
#include "render/ScreenDistortion.h"
#include "stats/StatsFile.h"
#include "stats/StatsReport.h"
#include "ui/Menu.h"
#include "ui/HelpText.h"
#include "world/World.h"
#include <cstdlib>

TGame* game = nullptr;

TWorld* CurrentWorld() { return game ? game->world : nullptr; }
TPlayer* CurrentPlayer() { return game ? game->player : nullptr; }
TLevelProgress* CurrentProgress() { return game ? game->progress : nullptr; }
bool CurrentScreenIsEditor() { return game && game->CurrentStateIsEditor(); }
bool CurrentScreenDrawsShadows() { return game && game->CurrentStateDrawsShadows(); }

TGame::TGame(const std::string& statsPath)
{
    runRecords = ReadRunRecords(statsPath);
}

TGame::~TGame()
{
    if (gameMenu == menu) gameMenu = nullptr;
    delete menu;
    delete progress;
    delete world;
}

void TGame::SetUp()
{
    world = new TWorld();
    progress = new TLevelProgress();
    menu = new TMenu();
    gameMenu = menu;

    stateRegistry.Clear();
    stateRegistry.Add("game", std::make_unique<TGameState>(this));
    stateRegistry.Add("mainmenu", std::make_unique<TMainMenuState>(this));
    stateRegistry.Add("levelend", std::make_unique<TLevelEndState>(this));
    stateRegistry.Add("gameover", std::make_unique<TGameOverState>(this));
    stateRegistry.Add("editor", std::make_unique<TEditorState>(this));
    stateRegistry.Add("editor2", std::make_unique<TEditorState2>(this));
    stateRegistry.Add("moduleselect", std::make_unique<TModuleSelectState>(this));
    stateRegistry.Add("map", std::make_unique<TMapState>(this));
    stateRegistry.Add("help", std::make_unique<THelpMenuState>(this, kHelpText));
    stateRegistry.Add("stats", std::make_unique<THelpMenuState>(this, kHelpText));
    stateRegistry.Add("controls", std::make_unique<TControlsMenuState>(this));
    stateRegistry.Add("win", std::make_unique<TWinState>(this));

    RebuildStatsPage();
    // The first state becomes current without its Enter.
    currentStateName = "mainmenu";
}

void TGame::SetState(const std::string& name)
{
    TMenustate* next = stateRegistry.Find(name);
    if (!next || name == currentStateName) return;
    TMenustate* previous = CurrentState();
    next->Enter();
    if (previous) previous->Leave();
    currentStateName = name;
    CueMusicForScreen(music, name, player != nullptr);
}

TMenustate* TGame::CurrentState() const
{
    return stateRegistry.Find(currentStateName);
}

bool TGame::CurrentStateIsEditor() const
{
    TMenustate* state = CurrentState();
    return state && state->isEditor;
}

bool TGame::CurrentStateDrawsShadows() const
{
    TMenustate* state = CurrentState();
    return state && state->drawsShadows;
}

void TGame::Update()
{
    music.Update();
    if (applyCarryOver) {
        ApplyCarriedState(this);
        applyCarryOver = 0;
    }

    --levelEndCountdown;
    if (levelEndCountdown == 0) {
        const char* next = campaignEnding ? "win" : "levelend";
        campaignEnding = false;
        // A player killed while the gate counts down does not get through: the
        // game-over screen he is on, or fading to, stays.
        if (!PlayerIsDown(this) && currentStateName != "gameover") SetState(next);
    }
    else if (levelEndCountdown > 0) RunTeleportEffect(levelEndCountdown);

    if (TMenustate* state = CurrentState()) state->Update();

    if (KeyPressed(SDLK_F2)) SetState("editor");
    if (KeyPressed(SDLK_F3)) SetState("editor2");
    if (KeyPressed(SDLK_F12)) SetState("moduleselect");
}

void TGame::RunTeleportEffect(int countdown)
{
    float x = 12000000.0f;
    float y = 12000000.0f;
    PlayerPixelPosition(this, &x, &y);
    const float spread = (57.0f - 1.3f * countdown) * (57.0f - 1.3f * countdown) + 2.0f;
    for (int channel = 0; channel < 3; ++channel) {
        float r = 1.0f + (spread - 1.0f) * (static_cast<float>(std::rand()) / RAND_MAX);
        if (screenDistortion) screenDistortion->AddRadial(x, y, -2.0f * r, channel);
    }
}

void TGame::DrawPass1()
{
    if (TMenustate* state = CurrentState()) state->DrawPass1();
}

void TGame::DrawPass2()
{
    if (TMenustate* state = CurrentState()) state->DrawPass2();
}

void TGame::BeginLevelChange(const std::string& name, bool delayed)
{
    if (!delayed) {
        // From inside the world step (a trigger's script): load once the step is over.
        if (world && world->IsStepping()) pendingLevelName = name;
        else LoadLevel(this, name);
        return;
    }
    // A gate takes no one who is down: a body that lies on it would start
    // the countdown again and again, and one that ran out after the
    // game-over screen was left carried the dead soldier through.
    if (levelEndCountdown >= 0 || PlayerIsDown(this)) return;
    levelEndCountdown = kLevelEndCountdownFrames;
    nextLevelName = name;
    PlaySound(FindSound("teleporter_l6pp"), kMaxVolume);
}

void TGame::BeginCampaignEnd()
{
    if (levelEndCountdown >= 0) return;
    BeginLevelChange("", true);
    campaignEnding = levelEndCountdown >= 0;
}

void TGame::CancelLevelChange()
{
    levelEndCountdown = -1;
    campaignEnding = false;
}

void TGame::LoadPendingLevel()
{
    if (pendingLevelName.empty()) return;
    const std::string name = std::move(pendingLevelName);
    pendingLevelName.clear();
    LoadLevel(this, name);
}

void TGame::EndRun(bool won)
{
    TRunRecord record = MakeRunRecord(*progress);
    record.won = won;
    runRecords.push_back(record);
    progress->Reset();
    if (world) world->RequestClear();
    RebuildStatsPage();
}

void TGame::RebuildStatsPage()
{
    if (auto* page = dynamic_cast<THelpMenuState*>(stateRegistry.Find("stats")))
        page->text = BuildStatsReport(runRecords);
}

bool TGame::SaveStats(const std::string& path) const
{
    return WriteRunRecords(path, runRecords);
}
