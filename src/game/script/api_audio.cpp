// Script functions for sounds and music: sfx.lua loads the sounds, any
// script may play them; level scripts and the menu choose the music.
#include "audio/Mixer.h"
#include "audio/Music.h"
#include "audio/Sound.h"
#include "core/Game.h"
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

// The music belongs to the game; before it exists there is none to play.
TMusic* GameMusic()
{
    return game ? &game->music : nullptr;
}

int OptionalInteger(lua_State* L, int index, lua_Integer min, lua_Integer max)
{
    return int(std::clamp<lua_Integer>(luaL_optinteger(L, index, 0), min, max));
}

// PlayMusic(name [, fadeInMs [, delayFrames [, once]]]): the track
// music/NAME.ogg, fading in, after a delay in frames; `once` plays it a
// single time instead of looping.
int LuaPlayMusic(lua_State* L)
{
    const char* name = luaL_checkstring(L, 1);
    const int fadeIn = OptionalInteger(L, 2, 0, 60000);
    const int delay = OptionalInteger(L, 3, 0, 30 * 3600);
    const bool once = lua_toboolean(L, 4) != 0;
    if (TMusic* music = GameMusic()) {
        std::string track(name);
        music->Play(track, fadeIn, delay, once);
    }
    return 0;
}

// StopMusic([fadeOutMs])
int LuaStopMusic(lua_State* L)
{
    const int fadeOut = OptionalInteger(L, 1, 0, 60000);
    if (TMusic* music = GameMusic()) music->Stop(fadeOut);
    return 0;
}

// SetMusicVolume(volume): the music's volume, 0..128 (SetVolume is the effects').
int LuaSetMusicVolume(lua_State* L)
{
    const lua_Integer volume = luaL_checkinteger(L, 1);
    if (TMusic* music = GameMusic()) music->SetVolume(int(std::clamp<lua_Integer>(volume, 0, kMaxVolume)));
    return 0;
}

// SetMusicOn(on): switches the music off and on again.
int LuaSetMusicOn(lua_State* L)
{
    luaL_checkany(L, 1);
    const bool on = lua_toboolean(L, 1) != 0;
    if (TMusic* music = GameMusic()) music->SetEnabled(on);
    return 0;
}

// GetMusic() -> the name of the track playing or about to play, or nil.
int LuaGetMusic(lua_State* L)
{
    TMusic* music = GameMusic();
    if (music && !music->Track().empty()) lua_pushstring(L, music->Track().c_str());
    else lua_pushnil(L);
    return 1;
}

}  // namespace

void RegisterAudioApi(lua_State* L)
{
    BeginApiGroup("Sound and music",
                  "Sound effects (sfx.lua loads them) and the music stream.");
    SetGlobalFunction(L, "_LoadSound", LuaLoadSound,
        "(volume, file, ...) -> sound",
        "Loads one or more sound files as one sound whose variants play at random, at `volume` (0..1); the player's content/ copies first. Content uses AddSound.");
    SetGlobalFunction(L, "PlaySound", LuaPlaySound,
        "(..., name)",
        "Plays the named sound at full volume; the name is the last argument, so it may also be called with a leading position.");
    SetGlobalFunction(L, "SetVolume", LuaSetVolume,
        "(volume)",
        "The volume of every effect channel, 0..128 (not the music's).");
    SetGlobalFunction(L, "PlayMusic", LuaPlayMusic,
        "(name [, fadeInMs [, delayFrames [, once]]])",
        "Plays music/`name`.ogg, looping (or once), fading in, after a delay in frames; a track already playing is left alone.");
    SetGlobalFunction(L, "StopMusic", LuaStopMusic,
        "([fadeOutMs])",
        "Ends the music, fading out over the given milliseconds.");
    SetGlobalFunction(L, "SetMusicVolume", LuaSetMusicVolume,
        "(volume)",
        "The music's volume, 0..128.");
    SetGlobalFunction(L, "SetMusicOn", LuaSetMusicOn,
        "(on)",
        "Switches the music off and on again (the settings' switch).");
    SetGlobalFunction(L, "GetMusic", LuaGetMusic,
        "() -> name or nil",
        "The track playing or about to play.");
}
