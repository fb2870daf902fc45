#include "menu_test_support.h"
#include "script/Handles.h"

TEST_F(MenuFixture, ScriptsBuildAndEditTheTree)
{
    ASSERT_EQ(Run("root = GetMenuRoot()\n"
                  "opts = AddMenuItem(root, 'options')\n"
                  "snd = AddMenuItem(opts, 'sound', nil)\n"
                  "RenameMenuItem(snd, 'sound: on')"),
              "");
    EXPECT_EQ(Global("root"), menu->Root());
    TMenuItem* options = Global("opts");
    ASSERT_EQ(menu->Root()->children, (std::vector<TMenuItem*>{options}));
    TMenuItem* sound = Global("snd");
    ASSERT_EQ(options->children, (std::vector<TMenuItem*>{sound}));
    EXPECT_EQ(sound->text, "sound: on");
    EXPECT_EQ(sound->width, 36);
    EXPECT_FALSE(sound->HasCallback()) << "an explicit nil is no callback";

    ASSERT_EQ(Run("RemoveMenuItem(snd) RemoveMenuItem(root)"), "");
    EXPECT_TRUE(options->children.empty());
    EXPECT_EQ(menu->Root()->children.size(), 1u) << "removing the root does nothing";
}

TEST_F(MenuFixture, BadHandlesRaiseScriptErrors)
{
    // A handle of another kind must be refused even though it is a live pointer.
    static int texture = 0;
    RegisterHandle(&texture, HandleKind::Texture);
    lua_pushlightuserdata(L, &texture);
    lua_setglobal(L, "texture");
    static int unknown = 0;
    lua_pushlightuserdata(L, &unknown);
    lua_setglobal(L, "bogus");
    ASSERT_EQ(Run("stale = AddMenuItem(GetMenuRoot(), 'stale') RemoveMenuItem(stale)"), "");

    for (const char* call : {"AddMenuItem(stale, 'x')", "AddMenuItem(bogus, 'x')",
                             "AddMenuItem(texture, 'x')", "AddMenuItem(nil, 'x')",
                             "AddMenuItem(12, 'x')", "AddMenuItem()", "RenameMenuItem(stale, 'x')",
                             "RemoveMenuItem(stale)", "RemoveMenuItem(bogus)"}) {
        const std::string message = Run(call);
        EXPECT_NE(message.find("invalid menu item"), std::string::npos) << call << ": " << message;
    }
    UnregisterHandle(&texture);
    EXPECT_TRUE(menu->Root()->children.empty());
}

TEST_F(MenuFixture, BadTextRaisesScriptErrors)
{
    EXPECT_NE(Run("AddMenuItem(GetMenuRoot())"), "");
    EXPECT_NE(Run("AddMenuItem(GetMenuRoot(), {})"), "");
    ASSERT_EQ(Run("item = AddMenuItem(GetMenuRoot(), 'item')"), "");
    EXPECT_NE(Run("RenameMenuItem(item)"), "");
    EXPECT_EQ(Global("item")->text, "item");
    EXPECT_EQ(menu->Root()->children.size(), 1u) << "failed calls add nothing";
}

TEST_F(MenuFixture, ScriptsWithoutAMenuGetAnError)
{
    gameMenu = nullptr;
    for (const char* call : {"GetMenuRoot()", "AddMenuItem(nil, 'x')", "RemoveMenuItem(nil)"})
        EXPECT_NE(Run(call).find("does not exist"), std::string::npos) << call;
}
