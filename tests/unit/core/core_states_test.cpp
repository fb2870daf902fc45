#include "TestSupport.h"
#include "core/screens/ControlsMenuState.h"
#include "core/screens/HelpMenuState.h"
#include "core/screens/MainMenuState.h"
#include "core/screens/MapState.h"
#include "core/screens/StateRegistry.h"
#include <gtest/gtest.h>
#include <vector>

using namespace testing_support;

namespace {

// Records enter and leave calls of the states it is installed as.
struct ProbeState : TMenustate {
    ProbeState(TGame* game, std::vector<std::string>* log, std::string name)
        : TMenustate(game), log(log), name(std::move(name)) {}
    void Enter() override { log->push_back("enter " + name); }
    void Leave() override { log->push_back("leave " + name); }
    std::vector<std::string>* log;
    std::string name;
};

TEST(ScreenStates, SwitchRunsEnterOfTheNewThenLeaveOfTheOld)
{
    GameFixture fixture;
    std::vector<std::string> log;
    stateRegistry.Add("a", std::make_unique<ProbeState>(game, &log, "a"));
    stateRegistry.Add("b", std::make_unique<ProbeState>(game, &log, "b"));

    game->SetState("a");
    game->SetState("b");
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "enter b", "leave a"}));

    log.clear();
    game->SetState("b");          // the current one: nothing runs
    game->SetState("no such");    // unknown: nothing changes
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(game->currentStateName, "b");
}

TEST(ScreenStates, StartsInTheMainMenuWithEveryScreenRegistered)
{
    GameFixture fixture;
    EXPECT_EQ(game->currentStateName, "mainmenu");
    for (const char* name : {"game", "mainmenu", "levelend", "gameover", "editor", "editor2",
                             "moduleselect", "map", "help", "stats", "controls"})
        EXPECT_NE(stateRegistry.Find(name), nullptr) << name;
    EXPECT_TRUE(stateRegistry.Find("editor")->isEditor);
    EXPECT_FALSE(stateRegistry.Find("editor2")->drawsShadows);
    EXPECT_TRUE(stateRegistry.Find("game")->drawsShadows);
}

TEST(ScreenStates, EscapeAndMapKeyInOneGameFrameEndInTheMap)
{
    GameFixture fixture("settings = { keys = { map = 9 } }");
    game->SetState("game");
    UpdateWithKeys({SDLK_ESCAPE, SDLK_TAB});
    EXPECT_EQ(game->currentStateName, "map");
}

TEST(ScreenStates, EscapeInTheMainMenuDoesNothingBeforeALevelExists)
{
    GameFixture fixture;
    UpdateWithKeys({SDLK_ESCAPE});
    EXPECT_EQ(game->currentStateName, "mainmenu");
    EXPECT_TRUE(static_cast<TMainMenuState*>(stateRegistry.Find("mainmenu"))->noGameLoaded);
}

TEST(ScreenStates, DeveloperKeysOpenTheEditors)
{
    GameFixture fixture;
    UpdateWithKeys({SDLK_F2});
    EXPECT_EQ(game->currentStateName, "editor");
    UpdateWithKeys({SDLK_F3});
    EXPECT_EQ(game->currentStateName, "editor2");
    UpdateWithKeys({SDLK_F12});
    EXPECT_EQ(game->currentStateName, "moduleselect");
}

TEST(LevelChange, CountdownShowsFiftySixFramesThenTheLevelEnd)
{
    GameFixture fixture;
    game->SetState("game");
    UpdateWithKeys({});  // the countdown idles below zero
    game->BeginLevelChange("level2", true);
    game->BeginLevelChange("elsewhere", true);  // ignored while counting down
    EXPECT_EQ(game->nextLevelName, "level2");
    EXPECT_EQ(game->levelEndCountdown, kLevelEndCountdownFrames);

    for (int frame = 1; frame <= 56; ++frame) {
        UpdateWithKeys({});
        ASSERT_EQ(game->currentStateName, "game") << "frame " << frame;
        game->BeginLevelChange("elsewhere", true);
    }
    UpdateWithKeys({});
    EXPECT_EQ(game->currentStateName, "levelend");
    EXPECT_EQ(game->nextLevelName, "level2");
}

TEST(TextPages, OpenInTenFramesAndCloseTenFramesAfterEscape)
{
    GameFixture fixture;
    auto* help = static_cast<THelpMenuState*>(stateRegistry.Find("help"));
    game->SetState("help");
    for (int frame = 1; frame <= 9; ++frame) UpdateWithKeys({});
    EXPECT_LT(help->slide, 1.0f);
    UpdateWithKeys({});
    EXPECT_FLOAT_EQ(help->slide, 1.0f);

    UpdateWithKeys({SDLK_ESCAPE});
    for (int frame = 2; frame <= 9; ++frame) {
        UpdateWithKeys({});
        ASSERT_EQ(game->currentStateName, "help") << "closing frame " << frame;
    }
    UpdateWithKeys({});
    EXPECT_EQ(game->currentStateName, "mainmenu");
    EXPECT_EQ(help->slide, 0.0f);

    game->SetState("help");  // entering again starts from the top
    EXPECT_EQ(help->slide, 0.0f);
    EXPECT_EQ(help->closing, 0);
}

TEST(TextPages, StatsPageShowsTheReportOfEarlierRuns)
{
    GameFixture fixture;
    auto* stats = static_cast<THelpMenuState*>(stateRegistry.Find("stats"));
    EXPECT_NE(stats->text.find("deaths                   = 0"), std::string::npos);

    game->progress->score = 250;
    game->progress->kills["zombie"] = 3;
    game->EndRun();
    EXPECT_NE(stats->text.find("deaths                   = 1"), std::string::npos);
    EXPECT_NE(stats->text.find("high score               = 250"), std::string::npos);
    EXPECT_EQ(game->progress->score, 0);
    EXPECT_TRUE(game->progress->kills.empty());
}

TEST(MapScreen, OpensAndClosesOnTheMapKey)
{
    GameFixture fixture("settings = { keys = { map = 9 } }");
    auto* map = static_cast<TMapState*>(stateRegistry.Find("map"));
    game->SetState("game");
    UpdateWithKeys({SDLK_TAB});
    ASSERT_EQ(game->currentStateName, "map");
    for (int frame = 0; frame < 10; ++frame) UpdateWithKeys({});
    EXPECT_EQ(map->phase, 2);
    EXPECT_FLOAT_EQ(map->transition, 1.0f);
    UpdateWithKeys({SDLK_TAB});
    for (int frame = 0; frame < 9; ++frame) UpdateWithKeys({});
    EXPECT_EQ(game->currentStateName, "map");
    UpdateWithKeys({});
    EXPECT_EQ(game->currentStateName, "game");
}

TEST(ControlsScreen, MissingBindingsGetTheirDefaultsWrittenBack)
{
    GameFixture fixture("settings = { keys = { up = 273, drop = 'q' } }");
    auto* controls = static_cast<TControlsMenuState*>(stateRegistry.Find("controls"));
    controls->InitBindings();
    ASSERT_EQ(controls->bindings.size(), 20u);
    EXPECT_EQ(controls->bindings[0].key, 273);       // kept
    EXPECT_EQ(controls->bindings[10].action, "drop");
    EXPECT_EQ(controls->bindings[10].key, 113);      // not a number: default q
    EXPECT_EQ(GetKeyBinding("drop"), 113);
    EXPECT_EQ(GetKeyBinding("map"), 9);
}

TEST(ControlsScreen, NavigatesTwoColumnsAndRebindsWithTheNextKey)
{
    GameFixture fixture;
    auto* controls = static_cast<TControlsMenuState*>(stateRegistry.Find("controls"));
    controls->InitBindings();
    controls->fade = 1.0f;
    auto step = [&](std::initializer_list<int> keys) {
        PressKeys(keys);
        controls->HandleKeys();
    };
    controls->selectedRow = 9;
    step({SDLK_DOWN});
    EXPECT_EQ(controls->selectedRow, 9);
    controls->selectedRow = 3;
    step({SDLK_RIGHT});
    EXPECT_EQ(controls->selectedRow, 13);
    step({SDLK_LEFT});
    EXPECT_EQ(controls->selectedRow, 3);

    step({SDLK_RETURN});
    EXPECT_TRUE(controls->waitingForKey);
    step({325});  // right mouse button
    EXPECT_FALSE(controls->waitingForKey);
    EXPECT_EQ(controls->bindings[3].key, 325);
    EXPECT_EQ(GetKeyBinding("right"), 325);

    controls->selectedRow = 10;
    step({SDLK_UP});
    EXPECT_TRUE(controls->leaving);
}

TEST(ControlsScreen, ReturnWhileSlidingInDoesNotStartARebinding)
{
    GameFixture fixture;
    auto* controls = static_cast<TControlsMenuState*>(stateRegistry.Find("controls"));
    controls->InitBindings();
    controls->fade = 0.7f;
    PressKeys({SDLK_RETURN});
    controls->HandleKeys();
    EXPECT_FALSE(controls->waitingForKey);
}

} // namespace
