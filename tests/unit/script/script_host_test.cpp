#include "TestSupport.h"
#include "script/Console.h"
#include "script/Handles.h"
#include <gtest/gtest.h>
#include <lua.hpp>

using namespace testing_support;

namespace {

std::string LastLines(const std::string& text, int count)
{
    size_t position = text.size();
    for (int i = 0; i <= count && position != std::string::npos && position > 0; ++i)
        position = text.rfind('\n', position - 1);
    return position == std::string::npos ? text : text.substr(position + 1);
}

TEST(Console, StartsWithTheBannerAndDropsTheOldestLinesPastTwentyFive)
{
    TConsole fresh;
    EXPECT_EQ(fresh.Text().rfind("KORVANMIRE v1.0.2048.11155\n", 0), 0u);
    EXPECT_NE(fresh.Text().find(std::string(80, '-') + "\n"), std::string::npos);

    for (int i = 0; i < 30; ++i) fresh.Append("line " + std::to_string(i) + "\n");
    EXPECT_EQ(fresh.LineCount(), TConsole::kLineLimit);
    EXPECT_EQ(fresh.Text().find("KORVANMIRE"), std::string::npos);
    EXPECT_EQ(fresh.Text().rfind("line 6\n", 0), 0u);
}

TEST(Console, TypedPrintShowsTheLineThenItsOutputWithoutABreak)
{
    GameFixture fixture;
    TConsole& c = console;
    for (char ch : std::string("print(1+1)")) c.Edit(ch, false);
    c.Edit('\r', true);
    EXPECT_EQ(LastLines(c.Text(), 1), "print(1+1)\n2");
    EXPECT_TRUE(c.InputLine().empty());
}

TEST(Console, BackspaceRemovesOneCharacterAndNothingFromAnEmptyLine)
{
    TConsole c;
    c.Edit(8, false);
    EXPECT_EQ(c.InputLine(), "");
    c.Edit('a', false);
    c.Edit('b', false);
    c.Edit(8, false);
    EXPECT_EQ(c.InputLine(), "a");
}

TEST(Console, ScriptErrorsAndHugeTextStayOnTheConsole)
{
    GameFixture fixture;
    for (char ch : std::string("error('boom')")) console.Edit(ch, false);
    console.Edit('\r', true);
    EXPECT_NE(console.Text().find("boom"), std::string::npos);

    console.AppendF("%s", std::string(5000, 'x').c_str());  // cut to the format buffer
    EXPECT_LT(console.Text().size(), 5000u);
    for (int i = 0; i < 10000; ++i) console.Edit('y', false);  // the input line stops growing
    EXPECT_LE(console.InputLine().size(), 4096u);
}

TEST(ScriptHost, MissingSettingsFileLeavesTheDefaultsOfLuainit)
{
    GameFixture fixture("settings = { viewrotate = true, keys = { map = 9, up = 'w' } }");
    EXPECT_TRUE(GetSettingBool("viewrotate"));
    EXPECT_FALSE(GetSettingBool("pixeldistortion"));
    EXPECT_EQ(GetKeyBinding("map"), 9);
    EXPECT_EQ(GetKeyBinding("up"), 0);       // not a number
    EXPECT_EQ(GetKeyBinding("nothing"), 0);  // missing
}

TEST(ScriptHost, KeyBindingsSurviveABrokenSettingsTable)
{
    GameFixture fixture("settings = 5");
    SetKeyBinding("map", 9);
    EXPECT_EQ(GetKeyBinding("map"), 9);
}

TEST(ScriptHost, CallsReportErrorsAndLeaveTheStackAsTheyFoundIt)
{
    GameFixture fixture("function twice(x) return x * 2 end\nfunction broken() error('bad') end");
    const int top = lua_gettop(luaState);
    auto result = CallScriptFunction("twice", {ScriptValue::Number(21)}, 1, ScriptErrors::Console);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->at(0).number, 42);
    EXPECT_FALSE(CallScriptFunction("broken", {}, 0, ScriptErrors::Console));
    EXPECT_NE(console.Text().find("bad\n"), std::string::npos);
    EXPECT_FALSE(CallScriptFunction("missing", {}, 1, ScriptErrors::Silent));
    EXPECT_FALSE(RunScriptString("this is not lua", ScriptErrors::Silent));
    EXPECT_EQ(lua_gettop(luaState), top);
}

TEST(ScriptHost, ResolversOnlyHandBackPointers)
{
    GameFixture fixture("function GetThing(name) if name == 'n' then return 5 end return nil end");
    EXPECT_EQ(ResolveScriptName("GetThing", "n"), nullptr);
    EXPECT_EQ(ResolveScriptName("NoResolver", "n"), nullptr);
}

TEST(ScriptApi, ConstantTablesAndStateFunctions)
{
    GameFixture fixture;
    EXPECT_TRUE(RunScriptString("assert(actions.sprint == 13 and actions.aim == 8)", ScriptErrors::StdErr));
    EXPECT_TRUE(RunScriptString("assert(materials.stone_destructable == 5)", ScriptErrors::StdErr));
    EXPECT_TRUE(RunScriptString("SetMenuState('help')", ScriptErrors::StdErr));
    EXPECT_EQ(game->currentStateName, "help");
    EXPECT_TRUE(RunScriptString("ExitGame()", ScriptErrors::StdErr));
    EXPECT_EQ(running, 0);
    // Wrong argument types are script errors, not crashes.
    EXPECT_FALSE(RunScriptString("SetMenuState({})", ScriptErrors::Silent));
    EXPECT_FALSE(RunScriptString("LoadLevel('x', 'soon')", ScriptErrors::Silent));
    EXPECT_FALSE(RunScriptString("print()", ScriptErrors::Silent));
}

TEST(ScriptApi, PrintDirectoryListsEntriesOrNothing)
{
    GameFixture fixture;
    fixture.scratch.Write("mods/room.lua", "");
    EXPECT_TRUE(RunScriptString("listing = _PrintDirectory('mods')", ScriptErrors::StdErr));
    EXPECT_NE(GetGlobalString("listing")->find("room.lua\n"), std::string::npos);
    EXPECT_TRUE(RunScriptString("listing = _PrintDirectory('no/such/dir')", ScriptErrors::StdErr));
    EXPECT_EQ(*GetGlobalString("listing"), "");
}

TEST(Handles, OnlyLiveHandlesOfTheRightKindAreAccepted)
{
    int object = 0;
    RegisterHandle(&object, HandleKind::Sprite);
    EXPECT_TRUE(IsHandle(&object, HandleKind::Sprite));
    EXPECT_FALSE(IsHandle(&object, HandleKind::Texture));
    UnregisterHandle(&object);
    EXPECT_FALSE(IsHandle(&object, HandleKind::Sprite));
    EXPECT_FALSE(IsHandle(nullptr, HandleKind::Sprite));
}

} // namespace
