// Script functions for sounds: sfx.lua loads them, any script may play them.
#include "audio/Mixer.h"
#include "audio/Sound.h"
#include "script/ApiRegistry.h"
#include <lua.hpp>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// _LoadSound(volume, file1, file2, ...) -> sound
int LuaLoadSound(lua_State* L)
{
    // Check every argument before building anything: a Lua error jumps out of
    // this function and would skip destructors.
    const lua_Number volume = luaL_checknumber(L, 1);
    const int top = lua_gettop(L);
    for (int i = 2; i <= top; ++i) luaL_checkstring(L, i);

    TSound* sound = nullptr;
    {
        std::vector<std::string> files;
        for (int i = 2; i <= top; ++i) {
            std::size_t length = 0;
            const char* text = lua_tolstring(L, i, &length);
            files.emplace_back(text, length);
        }
        sound = LoadSound(float(volume), files);
    }
    lua_pushlightuserdata(L, sound);
    return 1;
}

// PlaySound(..., name): the name is the last argument, so it may be called as a
// method or with a leading position the scripts don't use.
int LuaPlaySound(lua_State* L)
{
    const int top = lua_gettop(L);
    const char* name = luaL_checkstring(L, top > 0 ? top : 1);
    {
        std::string soundName(name);
        PlaySound(FindSound(soundName), kMaxVolume);
    }
    return 0;
}

// SetVolume(volume): the master volume of all channels, 0..128.
int LuaSetVolume(lua_State* L)
{
    const lua_Integer volume = luaL_checkinteger(L, 1);
    SetMasterVolume(int(std::clamp<lua_Integer>(volume, 0, kMaxVolume)));
    return 0;
}

}  // namespace

void RegisterAudioApi(lua_State* L)
{
    SetGlobalFunction(L, "_LoadSound", LuaLoadSound);
    SetGlobalFunction(L, "PlaySound", LuaPlaySound);
    SetGlobalFunction(L, "SetVolume", LuaSetVolume);
}
