#include "menu_test_support.h"

namespace {
class MenuNavigation : public MenuFixture {
protected:
    // Top row: game, options, quit; "options" holds sound and video.
    void SetUp() override
    {
        MenuFixture::SetUp();
        game = menu->AddItem(menu->Root(), "game", kNoScriptRef);
        options = menu->AddItem(menu->Root(), "options", kNoScriptRef);
        quit = menu->AddItem(menu->Root(), "quit", kNoScriptRef);
        sound = menu->AddItem(options, "sound", kNoScriptRef);
        video = menu->AddItem(options, "video", kNoScriptRef);
        Frame();  // the root hands over to the first top-row item
    }

    TMenuItem* game = nullptr;
    TMenuItem* options = nullptr;
    TMenuItem* quit = nullptr;
    TMenuItem* sound = nullptr;
    TMenuItem* video = nullptr;
};
}

TEST_F(MenuFixture, RootOnlyMenuIgnoresEveryKey)
{
    for (int key : {SDLK_RIGHT, SDLK_LEFT, SDLK_UP, SDLK_DOWN, SDLK_RETURN}) {
        Frame({key});
        EXPECT_EQ(menu->Current(), menu->Root());
    }
}

TEST_F(MenuNavigation, FirstFrameSelectsTheFirstTopRowItem)
{
    EXPECT_EQ(menu->Current(), game);
}

TEST_F(MenuNavigation, RightAndLeftWalkTheRowAndWrap)
{
    Frame({SDLK_RIGHT});
    EXPECT_EQ(menu->Current(), options);
    Frame({SDLK_RIGHT});
    Frame({SDLK_RIGHT});
    EXPECT_EQ(menu->Current(), game) << "right on the last item wraps to the first";
    Frame({SDLK_LEFT});
    EXPECT_EQ(menu->Current(), quit) << "left on the first item wraps to the last";
    Frame({SDLK_LEFT});
    EXPECT_EQ(menu->Current(), options);
}

TEST_F(MenuNavigation, WalkingStaysInTheCurrentRow)
{
    menu->SetCurrent(video);
    Frame({SDLK_RIGHT});
    EXPECT_EQ(menu->Current(), sound);
    Frame({SDLK_LEFT});
    EXPECT_EQ(menu->Current(), video);
}

TEST_F(MenuNavigation, UpClimbsToTheParentButNeverToTheRoot)
{
    Frame({SDLK_UP});
    EXPECT_EQ(menu->Current(), game);
    menu->SetCurrent(video);
    Frame({SDLK_UP});
    EXPECT_EQ(menu->Current(), options);
    Frame({SDLK_UP});
    EXPECT_EQ(menu->Current(), options);
}

TEST_F(MenuNavigation, ReturnOrDownWithoutCallbackOpensTheFirstChild)
{
    menu->SetCurrent(options);
    Frame({SDLK_RETURN});
    EXPECT_EQ(menu->Current(), sound);
    menu->SetCurrent(options);
    Frame({SDLK_DOWN});
    EXPECT_EQ(menu->Current(), sound);
    Frame({SDLK_RETURN});
    EXPECT_EQ(menu->Current(), sound) << "a leaf without callback stays selected";
}

TEST_F(MenuNavigation, NothingMovesWhileTheConsoleIsOpen)
{
    console.visible = true;
    Frame({SDLK_RIGHT});
    Frame({SDLK_RETURN});
    EXPECT_EQ(menu->Current(), game);
}

TEST_F(MenuFixture, ReturnAndDownBothRunTheCallback)
{
    ASSERT_EQ(Run("calls = 0\n"
                  "play = AddMenuItem(GetMenuRoot(), 'play', function() calls = calls + 1 end)\n"
                  "AddMenuItem(play, 'never opened')"),
              "");
    Frame();
    Frame({SDLK_DOWN});
    EXPECT_EQ(GlobalNumber("calls"), 1);
    Frame({SDLK_RETURN});
    EXPECT_EQ(GlobalNumber("calls"), 2);
    EXPECT_EQ(menu->Current(), Global("play")) << "a callback item does not descend";
    Frame({SDLK_DOWN, SDLK_RETURN});
    EXPECT_EQ(GlobalNumber("calls"), 3) << "one activation per frame";
}

TEST_F(MenuFixture, CallbackRemovingItsOwnItemLeavesTheRootCurrent)
{
    ASSERT_EQ(Run("first = AddMenuItem(GetMenuRoot(), 'first')\n"
                  "doomed = AddMenuItem(GetMenuRoot(), 'doomed', function()\n"
                  "  RemoveMenuItem(doomed)\n"
                  "  collectgarbage()\n"
                  "end)"),
              "");
    Frame();
    Frame({SDLK_RIGHT, SDLK_RETURN});
    EXPECT_EQ(menu->Current(), menu->Root());
    EXPECT_EQ(menu->Root()->children.size(), 1u);
    Frame();
    EXPECT_EQ(menu->Current(), Global("first"));
}

TEST_F(MenuFixture, CallbackRemovingTheParentSubtreeIsSafe)
{
    ASSERT_EQ(Run("branch = AddMenuItem(GetMenuRoot(), 'branch')\n"
                  "leaf = AddMenuItem(branch, 'leaf', function() RemoveMenuItem(branch) end)"),
              "");
    Frame();
    Frame({SDLK_RETURN});
    EXPECT_EQ(menu->Current(), Global("leaf"));
    Frame({SDLK_RETURN});
    EXPECT_EQ(menu->Current(), menu->Root());
    EXPECT_TRUE(menu->Root()->children.empty());
    Frame({SDLK_RETURN});
    EXPECT_EQ(menu->Current(), menu->Root());
}

TEST_F(MenuFixture, FailingCallbacksReportOnTheConsole)
{
    ASSERT_EQ(Run("AddMenuItem(GetMenuRoot(), 'broken', function() error('menu went wrong') end)\n"
                  "AddMenuItem(GetMenuRoot(), 'not a function', 42)"),
              "");
    Frame({SDLK_RETURN});
    EXPECT_NE(console.Text().find("menu went wrong\n"), std::string::npos) << console.Text();

    const size_t before = console.Text().size();
    Frame({SDLK_RIGHT, SDLK_RETURN});
    EXPECT_GT(console.Text().size(), before) << "calling a non-function is reported too";
    EXPECT_EQ(menu->Current()->text, "not a function");
}
