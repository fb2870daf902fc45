#include "core/ContentCheck.h"
#include <gtest/gtest.h>

// The lines the scripts print while the content is checked, as the report names them.

TEST(ContentCheckLineTest, LuaErrorsAreNamedByTheirFileAndLine)
{
    EXPECT_EQ(TContentCheck::ProblemLine("./content/relvad.lua:3: '=' expected", "x.lua"),
              "content/relvad.lua:3: '=' expected");
    EXPECT_EQ(TContentCheck::ProblemLine("  error in module: ./mods/room_small.lua:14:  no_such_kind",
                                         "x.lua"),
              "mods/room_small.lua:14: error in module: no_such_kind");
    EXPECT_EQ(TContentCheck::ProblemLine("[string \"./mods/room_small.lua\"]:14: no_such_kind", "x.lua"),
              "mods/room_small.lua: [string \"mods/room_small.lua\"]:14: no_such_kind");
    EXPECT_EQ(TContentCheck::ProblemLine("cannot read mods/a.lua:x: nothing", "x.lua"),
              "mods/a.lua: cannot read mods/a.lua:x: nothing");
}

TEST(ContentCheckLineTest, AMessageWithoutALineIsNamedByItsFileOrTheOneBeingRead)
{
    EXPECT_EQ(TContentCheck::ProblemLine("gfx.lua: missing texture", "x.lua"), "gfx.lua: missing texture");
    EXPECT_EQ(TContentCheck::ProblemLine("level3/objects.lua is broken", "x.lua"), "level3/objects.lua: is broken");
    EXPECT_EQ(TContentCheck::ProblemLine("cannot open 'a.lua.bak.lua'!", "x.lua"),
              "a.lua.bak.lua: cannot open 'a.lua.bak.lua'!");
    EXPECT_EQ(TContentCheck::ProblemLine("a crate of kind \"k\"", "objects.lua"), "objects.lua: a crate of kind \"k\"");
    EXPECT_EQ(TContentCheck::ProblemLine("see .lua files", "objects.lua"), "objects.lua: see .lua files");
}

TEST(ContentCheckLineTest, NewsIsNoProblem)
{
    EXPECT_EQ(TContentCheck::ProblemLine("Loading: level3", "x.lua"), "");
    EXPECT_EQ(TContentCheck::ProblemLine("  250", "x.lua"), "");
    EXPECT_EQ(TContentCheck::ProblemLine(" \t ", "x.lua"), "");
}
