// Script functions for textures, sprites and drawing: gfx.lua builds the art with
// them, and any script may draw.
#include "core/App.h"
#include "core/ContentFile.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "render/Texture.h"
#include "script/ApiRegistry.h"
#include "script/Handles.h"
#include <lua.hpp>
#include <algorithm>
#include <cstdio>
#include <string>

// Every argument is checked before anything with a destructor is built: a Lua
// error jumps out of the function and would skip destructors.

namespace {

int CheckInt(lua_State* L, int index)
{
    lua_Integer value = luaL_checkinteger(L, index);
    return int(std::clamp<lua_Integer>(value, -0x7fffffff, 0x7fffffff));
}

float CheckFloat(lua_State* L, int index)
{
    return float(luaL_checknumber(L, index));
}

// _LoadTexture(path, name) -> texture; the player's content/path comes first
int LuaLoadTexture(lua_State* L)
{
    size_t pathLength = 0, nameLength = 0;
    const char* path = luaL_checklstring(L, 1, &pathLength);
    const char* name = luaL_checklstring(L, 2, &nameLength);
    TTexture* texture = new TTexture;
    {
        std::string pathText(path, pathLength);
        std::string nameText(name, nameLength);
        LoadContentFile(pathText, [&](const std::string& file) { return LoadTexture(texture, nameText, file); });
    }
    RegisterHandle(texture, HandleKind::Texture);
    lua_pushlightuserdata(L, texture);
    return 1;
}

// _CreateSprite(textureName, columns, rows, frameWidth, frameHeight, startX, startY) -> sprite
int LuaCreateSprite(lua_State* L)
{
    size_t nameLength = 0;
    const char* name = luaL_checklstring(L, 1, &nameLength);
    int args[6];
    for (int i = 0; i < 6; ++i) args[i] = CheckInt(L, i + 2);
    TSprite* sprite = new TSprite;
    {
        std::string textureName(name, nameLength);
        sprite->Init(textureName, args[0], args[1], args[2], args[3], args[4], args[5]);
    }
    RegisterHandle(sprite, HandleKind::Sprite);
    lua_pushlightuserdata(L, sprite);
    return 1;
}

// The sprite a script names, or null (a Lua error raised by GetSprite counts as none).
TSprite* SpriteNamed(const char* name, size_t length)
{
    std::string spriteName(name, length);
    return FindSprite(spriteName);
}

// SetFrame(spriteName, frame, x1, y1, x2, y2)
int LuaSetFrame(lua_State* L)
{
    size_t nameLength = 0;
    const char* name = luaL_checklstring(L, 1, &nameLength);
    int args[5];
    for (int i = 0; i < 5; ++i) args[i] = CheckInt(L, i + 2);
    TSprite* sprite = SpriteNamed(name, nameLength);
    if (!sprite) {
        fprintf(stderr, "ERROR: sprite %s not found!\n", name);
        return 0;
    }
    sprite->SetFrame(args[0], args[1], args[2], args[3], args[4]);
    return 0;
}

// DrawSprite(spriteName, x, y, angle, frame [, scaleX, scaleY [, r, g, b, a]])
int LuaDrawSprite(lua_State* L)
{
    const int top = lua_gettop(L);
    size_t nameLength = 0;
    const char* name = luaL_checklstring(L, 1, &nameLength);
    float x = CheckFloat(L, 2);
    float y = CheckFloat(L, 3);
    float angle = CheckFloat(L, 4);
    int frame = CheckInt(L, 5);
    float scaleX = 1.0f, scaleY = 1.0f;
    if (top > 5) {
        scaleX = CheckFloat(L, 6);
        scaleY = CheckFloat(L, 7);
    }
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    if (top == 11)
        for (int i = 0; i < 4; ++i) color[i] = CheckFloat(L, 8 + i);
    // Scripts turn angles the other way round.
    DrawSpriteEx(SpriteNamed(name, nameLength), x, y, -angle, frame, scaleX, scaleY, color[0],
                 color[1], color[2], color[3]);
    return 0;
}

// DrawText(x, y, text): in the current colour.
int LuaDrawText(lua_State* L)
{
    float x = CheckFloat(L, 1);
    float y = CheckFloat(L, 2);
    const char* text = luaL_checkstring(L, 3);
    DrawTextBlock(text, x, y);
    return 0;
}

// SetColor(r, g, b, a)
int LuaSetColor(lua_State* L)
{
    float c[4];
    for (int i = 0; i < 4; ++i) c[i] = CheckFloat(L, i + 1);
    SetColor(c[0], c[1], c[2], c[3]);
    return 0;
}

// SetTexture([textureName]): binds that texture, or none.
int LuaSetTexture(lua_State* L)
{
    TTexture* texture = nullptr;
    if (lua_gettop(L) >= 1 && !lua_isnil(L, 1)) {
        size_t length = 0;
        const char* name = luaL_checklstring(L, 1, &length);
        std::string textureName(name, length);
        texture = FindTexture(textureName);
    }
    BindTexture(texture ? texture->id : 0);
    return 0;
}

// SetFullScreen(on) -> true when the screen is as asked; the settings'
// "fullscreen" follows
int LuaSetFullScreen(lua_State* L)
{
    lua_pushboolean(L, SetFullScreen(lua_toboolean(L, 1) != 0));
    return 1;
}

// IsFullScreen() -> true while the game fills the screen
int LuaIsFullScreen(lua_State* L)
{
    lua_pushboolean(L, windowed == 0);
    return 1;
}

// ApplyScreenScale(): the picture takes the settings' "scale" ("fit" or "integer")
int LuaApplyScreenScale(lua_State*)
{
    ApplyScreenScale();
    return 0;
}

}  // namespace

void RegisterRenderApi(lua_State* L)
{
    BeginApiGroup("Drawing",
                  "Textures and sprites (gfx.lua builds the art with them), drawing from scripts, and the screen mode.");
    SetGlobalFunction(L, "_LoadTexture", LuaLoadTexture,
        "(path, name) -> texture",
        "Loads an image file as texture `name`, the player's content/`path` first; a file that does not load gives an empty 1 x 1 texture. Content uses AddTexture.");
    SetGlobalFunction(L, "_CreateSprite", LuaCreateSprite,
        "(texture, columns, rows, frameWidth, frameHeight, startX, startY) -> sprite",
        "Cuts columns x rows frames out of the named texture, left to right then top to bottom, from (startX, startY) in pixels. Content uses AddSprite.");
    SetGlobalFunction(L, "SetFrame", LuaSetFrame,
        "(sprite, frame, x1, y1, x2, y2)",
        "Sets frame `frame` of the named sprite to a pixel rectangle of its texture; an unknown sprite or frame changes nothing.");
    SetGlobalFunction(L, "DrawSprite", LuaDrawSprite,
        "(sprite, x, y, angle, frame [, scaleX, scaleY [, r, g, b, a]])",
        "Draws a frame of the named sprite centred at (x, y) in the pixels of the pass being drawn, turned by `angle`, scaled, tinted when all four colour values are given.");
    SetGlobalFunction(L, "DrawText", LuaDrawText,
        "(x, y, text)",
        "Draws text with the game's font at (x, y) in the pixels of the pass being drawn, in the current colour.");
    SetGlobalFunction(L, "SetColor", LuaSetColor,
        "(r, g, b, a)",
        "The colour (0..1 each) the engine draws with next: DrawText's text, gl vertices without a colour of their own.");
    SetGlobalFunction(L, "SetTexture", LuaSetTexture,
        "([texture])",
        "Binds the named texture for gl drawing, or none without a name.");
    SetGlobalFunction(L, "SetFullScreen", LuaSetFullScreen,
        "(on) -> bool",
        "Switches between full screen at the desktop's size and the window; the settings' \"fullscreen\" follows; true when the screen is as asked.");
    SetGlobalFunction(L, "IsFullScreen", LuaIsFullScreen,
        "() -> bool",
        "True while the game fills the screen.");
    SetGlobalFunction(L, "ApplyScreenScale", LuaApplyScreenScale,
        "()",
        "Places the picture as the settings' \"scale\" says: \"fit\" stretches it, \"integer\" keeps whole multiples of 320 x 240.");
}
