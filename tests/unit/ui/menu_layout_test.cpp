#include "menu_test_support.h"
#include "script/Handles.h"

TEST_F(MenuFixture, RowsLineUpLeftToRightBelowTheirParent)
{
    TMenuItem* game = menu->AddItem(menu->Root(), "game", kNoScriptRef);
    TMenuItem* options = menu->AddItem(menu->Root(), "options", kNoScriptRef);
    TMenuItem* quit = menu->AddItem(menu->Root(), "q", kNoScriptRef);
    EXPECT_EQ(game->width, 16);
    EXPECT_EQ(game->height, 7);
    EXPECT_EQ(game->x, 3);
    EXPECT_EQ(options->x, 3 + 16 + 6);
    EXPECT_EQ(quit->x, 25 + 28 + 6);
    for (TMenuItem* item : {game, options, quit}) EXPECT_EQ(item->y, 2);

    TMenuItem* sound = menu->AddItem(options, "sound", kNoScriptRef);
    TMenuItem* video = menu->AddItem(options, "video", kNoScriptRef);
    TMenuItem* depth = menu->AddItem(video, "deep", kNoScriptRef);
    EXPECT_EQ(sound->x, 3) << "every row starts at the left edge";
    EXPECT_EQ(video->x, 3 + 20 + 6);
    EXPECT_EQ(sound->y, 12);
    EXPECT_EQ(depth->y, 22);
    EXPECT_EQ(options->children, (std::vector<TMenuItem*>{sound, video}));
}

TEST_F(MenuFixture, MultiLineLabelsMeasureTheFirstLine)
{
    TMenuItem* item = menu->AddItem(menu->Root(), "ab\nlonger line", kNoScriptRef);
    EXPECT_EQ(item->width, 8);
    EXPECT_EQ(item->height, 14);
}

TEST_F(MenuFixture, RenameAndRemoveLayTheRowOutAgain)
{
    TMenuItem* a = menu->AddItem(menu->Root(), "a", kNoScriptRef);
    TMenuItem* b = menu->AddItem(menu->Root(), "b", kNoScriptRef);
    TMenuItem* c = menu->AddItem(menu->Root(), "c", kNoScriptRef);
    menu->RenameItem(a, "alpha");
    EXPECT_EQ(a->width, 20);
    EXPECT_EQ(b->x, 3 + 20 + 6);
    EXPECT_EQ(c->x, 29 + 4 + 6);

    EXPECT_TRUE(menu->RemoveItem(b));
    EXPECT_EQ(c->x, 29) << "c moves into the gap";
    EXPECT_EQ(menu->Root()->children, (std::vector<TMenuItem*>{a, c}));
}

TEST_F(MenuFixture, ItemsAreHandlesExactlyWhileTheyLive)
{
    TMenuItem* branch = menu->AddItem(menu->Root(), "branch", kNoScriptRef);
    TMenuItem* leaf = menu->AddItem(branch, "leaf", kNoScriptRef);
    TMenuItem* deeper = menu->AddItem(leaf, "deeper", kNoScriptRef);
    EXPECT_TRUE(IsHandle(menu->Root(), HandleKind::MenuItem));
    EXPECT_TRUE(IsHandle(deeper, HandleKind::MenuItem));
    EXPECT_FALSE(IsHandle(deeper, HandleKind::Sprite));

    menu->SetCurrent(deeper);
    EXPECT_TRUE(menu->RemoveItem(branch));
    EXPECT_EQ(menu->Current(), menu->Root());
    for (TMenuItem* gone : {branch, leaf, deeper}) EXPECT_FALSE(IsHandle(gone, HandleKind::MenuItem));
}

TEST_F(MenuFixture, RootAndForeignItemsCannotBeRemoved)
{
    TMenuItem* item = menu->AddItem(menu->Root(), "item", kNoScriptRef);
    menu->SetCurrent(item);
    EXPECT_FALSE(menu->RemoveItem(menu->Root()));
    EXPECT_FALSE(menu->RemoveItem(nullptr));
    EXPECT_EQ(menu->Current(), item) << "a refused removal changes nothing";
    EXPECT_TRUE(IsHandle(menu->Root(), HandleKind::MenuItem));
}

TEST_F(MenuFixture, DeletedItemsReleaseTheirCallbacks)
{
    // The callback is reachable only through the item's registry reference and
    // a weak table; once the item goes, the collector may take it.
    ASSERT_EQ(Run("watch = setmetatable({}, {__mode = 'v'})\n"
                  "local f = function() end\n"
                  "watch[1] = f\n"
                  "branch = AddMenuItem(GetMenuRoot(), 'branch')\n"
                  "AddMenuItem(branch, 'leaf', f)\n"
                  "f = nil\n"
                  "collectgarbage()"),
              "");
    ASSERT_EQ(Run("assert(watch[1] ~= nil, 'the item must keep its callback alive')"), "");
    ASSERT_EQ(Run("RemoveMenuItem(branch) collectgarbage() collectgarbage()"), "");
    EXPECT_EQ(Run("assert(watch[1] == nil, 'callback still referenced')"), "");
}
