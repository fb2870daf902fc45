#pragma once
// Shared helpers for the unit tests: a script host started in a scratch
// directory, a set-up game, key presses injected into the input tables, Lua
// helpers, the source tree's data and stand-in sprites.
#include "core/App.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "script/ScriptHost.h"
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

struct lua_State;
class TSprite;

namespace testing_support {

// A fresh directory under the system temp dir, removed when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::filesystem::path& path() const { return dir; }
    std::string File(const std::string& name) const { return (dir / name).string(); }
    void Write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path dir;
    std::filesystem::path previous;
};

// Sets an environment variable (or unsets it, for nullopt) for the life of
// the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value);
    ~ScopedEnv();

private:
    const char* name;
    std::optional<std::string> previous;
};

// A game with its states and menu, the script host started in a scratch
// directory with the given luainit.lua text. No window, no sound.
class GameFixture {
public:
    explicit GameFixture(const std::string& luainit = "");
    ~GameFixture();
    TGame& Game() { return *game; }
    ScratchDir scratch;
};

// Starts a new input frame with these keys going down in it.
void PressKeys(std::initializer_list<int> codes);
// Runs the screen-state machine for one frame with these keys pressed.
void UpdateWithKeys(std::initializer_list<int> codes);

// Runs Lua code in L; the error message, or "" when it ran.
std::string RunLua(lua_State* L, const std::string& code);
// The global `name` of L as a light userdata, a number, or a string ("<nil>"
// when it is no string).
void* GlobalPointer(lua_State* L, const char* name);
double GlobalNumber(lua_State* L, const char* name);
std::string GlobalString(lua_State* L, const char* name);

// The source tree (KORVANMIRE_SOURCE_DIR, which ctest sets; else the current
// directory), where data/ holds the game's own scripts.
std::filesystem::path SourceDir();

// A stand-in sprite of `frames` 8 x 8 frames that the scripts' GetSprite(name)
// returns through their global `sprites` table (which must exist). No OpenGL:
// nothing draws it. Made once per name and frame count for the whole run, as
// the game keeps its sprites to the end (effects remember what they found).
TSprite* AddSprite(const std::string& name, int frames);

} // namespace testing_support
