// A stand-in engine for the start-up scripts: it runs data/gfx.lua, sfx.lua
// and the scripts after them in a scratch directory laid out like data/, with
// an empty file for every image and sound the content build writes, and it
// records what the scripts asked the engine to do. Shared by the content
// tools' tests (art against the scripts) and the unit tests (items).
#pragma once

#include <lua.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace startup_scripts {

namespace fs = std::filesystem;

// The repository: each test binary is built with its path.
inline const fs::path kRoot = KORVANMIRE_ROOT;

inline std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// How many files a sound recipe renders: its "variants N" line, or one.
inline int variantsOf(const std::string& recipe)
{
    std::istringstream lines(recipe);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string key;
        int n = 0;
        if (words >> key && key == "variants" && words >> n && n > 0)
            return n;
    }
    return 1;
}

struct SpriteCall {
    std::string texture;
    int cols, rows, w, h, x, y;
};

// What the scripts asked the engine to do.
struct FakeEngine {
    std::map<std::string, std::string> textures; // name -> path
    std::map<std::string, SpriteCall> spritesByHandle;
    std::vector<std::pair<double, std::vector<std::string>>> sounds;
    std::vector<std::string> printed;
    std::string textureThatFails;  // _LoadTexture returns nil for it
    std::string textureThatThrows; // _LoadTexture raises a Lua error for it
    int handles = 0;
};

inline FakeEngine* engine = nullptr;

inline void* newHandle()
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1000 + ++engine->handles));
}

// Lua errors unwind with longjmp, so the stubs keep C++ objects out of the
// frames that can raise one.
inline int loadTexture(lua_State* L)
{
    const char* path = luaL_checkstring(L, 1);
    const char* name = luaL_checkstring(L, 2);
    if (engine->textureThatThrows == name)
        return luaL_error(L, "engine failure on %s", path);
    if (engine->textureThatFails == name)
        return 0;
    engine->textures[name] = path;
    lua_pushlightuserdata(L, newHandle());
    return 1;
}

inline int createSprite(lua_State* L)
{
    luaL_checkstring(L, 1);
    int n[6];
    for (int i = 0; i < 6; ++i)
        n[i] = int(luaL_checkinteger(L, i + 2));
    SpriteCall call{lua_tostring(L, 1), n[0], n[1], n[2], n[3], n[4], n[5]};
    // The engine finds the texture through the script's own registry.
    lua_getglobal(L, "GetTexture");
    lua_pushvalue(L, 1);
    lua_call(L, 1, 1);
    bool found = !lua_isnil(L, -1);
    lua_pop(L, 1);
    if (!found) {
        lua_pushnil(L); // the script reports a nil sprite; the test then fails on it
        return 1;
    }
    void* handle = newHandle();
    engine->spritesByHandle[std::to_string(reinterpret_cast<std::uintptr_t>(handle))] = call;
    lua_pushlightuserdata(L, handle);
    return 1;
}

inline int loadSound(lua_State* L)
{
    double volume = luaL_checknumber(L, 1);
    for (int i = 2; i <= lua_gettop(L); ++i)
        luaL_checkstring(L, i);
    std::vector<std::string> files;
    for (int i = 2; i <= lua_gettop(L); ++i)
        files.push_back(lua_tostring(L, i));
    engine->sounds.emplace_back(volume, files);
    lua_pushlightuserdata(L, newHandle());
    return 1;
}

inline int capturePrint(lua_State* L)
{
    std::string line;
    for (int i = 1; i <= lua_gettop(L); ++i) {
        lua_getglobal(L, "tostring");
        lua_pushvalue(L, i);
        lua_call(L, 1, 1);
        line += lua_tostring(L, -1);
        lua_pop(L, 1);
    }
    engine->printed.push_back(line);
    return 0;
}

// A scratch data/ directory with every file the content build writes.
class StartupScripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("korvanmire_scripts_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "gfx");
        fs::create_directories(dir_ / "sfx");
        for (const auto& e : fs::directory_iterator(kRoot / "assets" / "art"))
            if (e.path().extension() == ".art")
                std::ofstream(dir_ / "gfx" / (e.path().stem().string() + ".png")) << "png";
        for (const auto& e : fs::directory_iterator(kRoot / "assets" / "sound")) {
            if (e.path().extension() != ".sfx")
                continue;
            const std::string stem = e.path().stem().string();
            const int n = variantsOf(readFile(e.path()));
            for (int v = 1; v <= n; ++v) {
                std::string file = (n > 1 ? stem + "_" + std::to_string(v) : stem) + ".wav";
                std::ofstream(dir_ / "sfx" / file) << "wav";
            }
        }
        engine = &fake_;
        L_ = luaL_newstate();
        luaL_openlibs(L_);
        lua_register(L_, "_LoadTexture", loadTexture);
        lua_register(L_, "_CreateSprite", createSprite);
        lua_register(L_, "_LoadSound", loadSound);
        lua_register(L_, "print", capturePrint);
    }

    void TearDown() override
    {
        lua_close(L_);
        engine = nullptr;
        fs::remove_all(dir_);
    }

    // Runs a script from data/ with the scratch directory as working dir.
    void run(const std::string& script)
    {
        const fs::path previous = fs::current_path();
        fs::current_path(dir_);
        int status = luaL_dofile(L_, (kRoot / "data" / script).string().c_str());
        fs::current_path(previous);
        ASSERT_EQ(status, 0) << lua_tostring(L_, -1);
    }

    // Calls a global lookup function; returns the sprite/texture/sound
    // handle as a string key, or "" for nil.
    std::string lookup(const char* function, const std::string& name)
    {
        lua_getglobal(L_, function);
        lua_pushstring(L_, name.c_str());
        if (lua_pcall(L_, 1, 1, 0) != 0) {
            ADD_FAILURE() << lua_tostring(L_, -1);
            lua_pop(L_, 1);
            return "";
        }
        std::string key;
        if (!lua_isnil(L_, -1))
            key = std::to_string(reinterpret_cast<std::uintptr_t>(lua_touserdata(L_, -1)));
        lua_pop(L_, 1);
        return key;
    }

    int printedMentioning(const std::string& word) const
    {
        int n = 0;
        for (const auto& line : fake_.printed)
            n += line.find(word) != std::string::npos;
        return n;
    }

    fs::path dir_;
    FakeEngine fake_;
    lua_State* L_ = nullptr;
};

} // namespace startup_scripts
