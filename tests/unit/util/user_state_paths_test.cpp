// Where the player's settings, stats, progress and modules go: beside the
// scripts when the game runs from a writable data/, in the player's XDG data
// directory when it is installed, and never into the installed data.
#include "TestSupport.h"
#include "util/UserStatePaths.h"
#include <gtest/gtest.h>
#include <lua.hpp>
#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;
using testing_support::GameFixture;
using testing_support::ScopedEnv;
using testing_support::ScratchDir;

namespace {

// A scratch home, a data directory inside it, and the two variables pointing there.
struct Layout {
    ScratchDir scratch;
    fs::path home = scratch.path() / "home";
    fs::path data = scratch.path() / "prefix/share/korvanmire";
    Layout()
    {
        fs::create_directories(home);
        scratch.Write("prefix/share/korvanmire/luainit.lua", "-- defaults\n");
        scratch.Write("prefix/share/korvanmire/mods/room_hall.lua", "-- shipped\n");
    }
    void MarkInstalled() const { std::ofstream(data / TUserStatePaths::kInstalledMarker) << "installed\n"; }
};

} // namespace

TEST(UserStatePaths, AGameRunFromAWritableDataDirectoryKeepsEverythingThere)
{
    Layout layout;
    ScopedEnv home("HOME", layout.home.string());
    ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);

    const TUserStatePaths paths(layout.data.string());
    EXPECT_TRUE(paths.InDataDir());
    EXPECT_EQ(paths.WritePath("settings.lua"), (layout.data / "settings.lua").string());
    EXPECT_EQ(paths.ReadPath("stats"), (layout.data / "stats").string());
    EXPECT_EQ(paths.WritePath("mods/room_new.lua"), (layout.data / "mods/room_new.lua").string());
    // The developer's own content sits in data/content/, beside the shipped
    // files (git ignores it); F7 saves rooms among the shipped ones.
    EXPECT_EQ(paths.ContentDir(), (layout.data / "content").string());
    EXPECT_EQ(paths.ModuleDirs(),
              (std::vector<std::string>{(layout.data / "mods").string(), (layout.data / "content/mods").string()}));
    EXPECT_EQ(paths.ModuleWritePath("room_new"), (layout.data / "mods/room_new.lua").string());
    // The repository's relative paths stay as they were.
    EXPECT_EQ(TUserStatePaths(".").WritePath("mods/a.lua"), "./mods/a.lua");
    // Nothing went to the home directory.
    EXPECT_TRUE(fs::is_empty(layout.home));
}

TEST(UserStatePaths, AnInstalledGameKeepsThePlayersFilesInXdgDataHome)
{
    Layout layout;
    layout.MarkInstalled();
    const fs::path xdgHome = layout.scratch.path() / "xdg";
    ScopedEnv home("HOME", layout.home.string());
    ScopedEnv xdg("XDG_DATA_HOME", xdgHome.string());
    const fs::path own = xdgHome / "korvanmire";

    const TUserStatePaths paths(layout.data.string());
    EXPECT_FALSE(paths.InDataDir());
    EXPECT_EQ(paths.Dir(), own.string());
    // Only made when something is written.
    EXPECT_FALSE(fs::exists(xdgHome));
    EXPECT_EQ(paths.ReadPath("settings.lua"), (layout.data / "settings.lua").string());

    EXPECT_EQ(paths.WritePath("settings.lua"), (own / "settings.lua").string());
    EXPECT_TRUE(fs::is_directory(own));
    EXPECT_EQ(fs::status(own).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(paths.WritePath("mods/room_new.lua"), (own / "mods/room_new.lua").string());
    EXPECT_TRUE(fs::is_directory(own / "mods"));

    // The player's copy is read first; without one the shipped file is.
    std::ofstream(own / "settings.lua") << "settings = {}\n";
    EXPECT_EQ(paths.ReadPath("settings.lua"), (own / "settings.lua").string());
    EXPECT_EQ(paths.ReadPath("luainit.lua"), (layout.data / "luainit.lua").string());

    // The module list shows the shipped rooms, those saved in mods/ by earlier
    // versions and the player's content/mods/, where F7 now saves.
    EXPECT_EQ(paths.ModuleDirs(), (std::vector<std::string>{(layout.data / "mods").string(), (own / "mods").string(),
                                                            (own / "content/mods").string()}));
    EXPECT_EQ(paths.ModuleWritePath("room_new"), (own / "content/mods/room_new.lua").string());

    // Content files: the player's copy first, the shipped one behind it; a file
    // only the player has stands alone, and a shipped one without a copy too.
    layout.scratch.Write("prefix/share/korvanmire/gfx/spr_a.png", "shipped");
    layout.scratch.Write("xdg/korvanmire/content/gfx/spr_a.png", "own");
    layout.scratch.Write("xdg/korvanmire/content/level11/script.lua", "level = {}");
    EXPECT_EQ(paths.ContentPaths("gfx/spr_a.png"),
              (std::vector<std::string>{(own / "content/gfx/spr_a.png").string(), (layout.data / "gfx/spr_a.png").string()}));
    EXPECT_EQ(paths.ContentPaths("level11"), std::vector<std::string>{(own / "content/level11").string()});
    EXPECT_EQ(paths.ContentPaths("luainit.lua"), std::vector<std::string>{(layout.data / "luainit.lua").string()});
    EXPECT_EQ(paths.OwnContent("luainit.lua"), "");

    // Nothing was written under the install prefix or the plain home.
    EXPECT_FALSE(fs::exists(layout.data / "settings.lua"));
    EXPECT_FALSE(fs::exists(layout.data / "mods/room_new.lua"));
    EXPECT_TRUE(fs::is_empty(layout.home));
}

TEST(UserStatePaths, WithoutAUsableXdgDataHomeTheHomesLocalShareIsUsed)
{
    Layout layout;
    layout.MarkInstalled();
    ScopedEnv home("HOME", layout.home.string());
    const fs::path expected = layout.home / ".local/share/korvanmire";

    for (std::optional<std::string> xdgValue : {std::optional<std::string>{}, std::optional<std::string>{""},
                                                std::optional<std::string>{"relative/dir"}}) {
        ScopedEnv xdg("XDG_DATA_HOME", xdgValue);
        const TUserStatePaths paths(layout.data.string());
        EXPECT_EQ(paths.Dir(), expected.string()) << xdgValue.value_or("(unset)");
    }
    const TUserStatePaths paths(layout.data.string());
    EXPECT_EQ(paths.WritePath("stats"), (expected / "stats").string());
    EXPECT_TRUE(fs::is_directory(expected));
}

TEST(UserStatePaths, ADataDirectoryThatCannotBeWrittenIsLeftAlone)
{
    if (geteuid() == 0) GTEST_SKIP() << "root can write anywhere";
    Layout layout;
    ScopedEnv home("HOME", layout.home.string());
    ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
    fs::permissions(layout.data, fs::perms::owner_read | fs::perms::owner_exec);
    const TUserStatePaths paths(layout.data.string());
    fs::permissions(layout.data, fs::perms::owner_all);
    EXPECT_FALSE(paths.InDataDir());
    EXPECT_EQ(paths.Dir(), (layout.home / ".local/share/korvanmire").string());
}

TEST(UserStatePaths, ScriptsNameFilesInsideTheUserStateDirectoryOnly)
{
    GameFixture fixture;
    lua_State* L = luaState;
    const auto run = [L](const std::string& code) {
        if (luaL_dostring(L, code.c_str()) == 0) return std::string();
        std::string error = lua_tostring(L, -1);
        lua_pop(L, 1);
        return error;
    };
    EXPECT_EQ(run("assert(UserFileToWrite('progress.lua') == './progress.lua')"), "");
    EXPECT_EQ(run("assert(UserFileToRead('settings.lua') == './settings.lua')"), "");
    EXPECT_EQ(run("local d = ModuleDirectories() assert(#d == 2 and d[1] == './mods' and d[2] == './content/mods')"), "");
    for (const char* bad : {"'../outside'", "'/etc/passwd'", "'mods/../../x'", "'mods/..'", "''", "nil"})
        EXPECT_NE(run(std::string("UserFileToWrite(") + bad + ")"), "") << bad;
}
