#include "TestSupport.h"
#include "core/screens/StateRegistry.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include "script/Handles.h"
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <lua.hpp>
#include <map>
#include <memory>
#include <unistd.h>

namespace testing_support {

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    dir = std::filesystem::temp_directory_path() /
          ("korvanmire-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(dir, ignored);
}

void ScratchDir::Write(const std::string& name, const std::string& text) const
{
    std::filesystem::create_directories((dir / name).parent_path());
    std::ofstream(dir / name) << text;
}

ScopedEnv::ScopedEnv(const char* name, const std::optional<std::string>& value) : name(name)
{
    if (const char* old = std::getenv(name)) previous = old;
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (previous) setenv(name, previous->c_str(), 1);
    else unsetenv(name);
}

GameFixture::GameFixture(const std::string& luainit)
{
    if (!luainit.empty()) scratch.Write("luainit.lua", luainit);
    StartScriptHost();
    game = new TGame(scratch.File("stats"));
    game->SetUp();
    inputTables = TInputTables();
    running = 1;
    cameraZoom = 1.0f;
}

GameFixture::~GameFixture()
{
    delete game;
    game = nullptr;
    stateRegistry.Clear();
    StopScriptHost();
    inputTables = TInputTables();
}

void PressKeys(std::initializer_list<int> codes)
{
    inputTables.BeginFrame();
    for (int code : codes) inputTables.SetKey(code, true);
}

void UpdateWithKeys(std::initializer_list<int> codes)
{
    PressKeys(codes);
    // Keys tapped for one frame only: let them go before the next.
    game->Update();
    for (int code : codes) inputTables.SetKey(code, false);
}

std::string RunLua(lua_State* L, const std::string& code)
{
    if (luaL_dostring(L, code.c_str()) == 0) return "";
    std::string message = lua_tostring(L, -1) ? lua_tostring(L, -1) : "?";
    lua_pop(L, 1);
    return message;
}

void* GlobalPointer(lua_State* L, const char* name)
{
    lua_getglobal(L, name);
    void* pointer = lua_touserdata(L, -1);
    lua_pop(L, 1);
    return pointer;
}

double GlobalNumber(lua_State* L, const char* name)
{
    lua_getglobal(L, name);
    double value = lua_tonumber(L, -1);
    lua_pop(L, 1);
    return value;
}

std::string GlobalString(lua_State* L, const char* name)
{
    lua_getglobal(L, name);
    const char* text = lua_tostring(L, -1);
    std::string value = text ? text : "<nil>";
    lua_pop(L, 1);
    return value;
}

std::filesystem::path SourceDir()
{
    const char* root = std::getenv("KORVANMIRE_SOURCE_DIR");
    return root ? root : ".";
}

TSprite* AddSprite(const std::string& name, int frames)
{
    static TTexture texture = [] {
        TTexture t;
        t.width = t.height = t.imageWidth = t.imageHeight = 64;
        std::snprintf(t.name, sizeof t.name, "test");
        return t;
    }();
    static std::map<std::pair<std::string, int>, std::unique_ptr<TSprite>> made;
    std::unique_ptr<TSprite>& sprite = made[{name, frames}];
    if (!sprite) {
        sprite = std::make_unique<TSprite>();
        sprite->texture = &texture;
        sprite->frameCount = frames;
        sprite->frames.assign(size_t(frames), TSpriteFrame{0.0f, 0.0f, 0.125f, 0.125f, 8.0f, 8.0f});
        RegisterHandle(sprite.get(), HandleKind::Sprite);
    }
    lua_getglobal(luaState, "sprites");
    lua_pushlightuserdata(luaState, sprite.get());
    lua_setfield(luaState, -2, name.c_str());
    lua_pop(luaState, 1);
    return sprite.get();
}

} // namespace testing_support
