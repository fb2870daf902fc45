#include "gl_test_support.h"
#include "core/App.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include "script/ScriptHost.h"
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <lua.hpp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gltest {

bool OpenWindow()
{
    static bool opened = false;
    static bool ok = false;
    if (opened) return ok;
    opened = true;
    // A virtual X server that was only just started may not take connections yet.
    bool sdlUp = false;
    for (int attempt = 0; attempt < 40 && !sdlUp; ++attempt) {
        sdlUp = SDL_Init(SDL_INIT_VIDEO) == 0;
        if (!sdlUp) SDL_Delay(250);
    }
    if (!sdlUp) {
        fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return false;
    }
    if (!SetVideoMode(640, 480, true)) return false;
    StartScriptHost();
    ok = Lua("textures = {} sprites = {}\n"
             "function GetTexture(name) return textures[name] end\n"
             "function GetSprite(name) return sprites[name] end\n");
    return ok;
}

void ClearOverlay()
{
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}

Rgba Pixel(int x, int y)
{
    Rgba p;
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
    return p;
}

std::vector<Rgba> Screen(int width, int height)
{
    std::vector<Rgba> bottomUp(size_t(width) * height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, windowHeight - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    std::vector<Rgba> topDown(bottomUp.size());
    for (int y = 0; y < height; ++y)
        memcpy(&topDown[size_t(y) * width], &bottomUp[size_t(height - 1 - y) * width],
               sizeof(Rgba) * width);
    return topDown;
}

std::vector<Rgba> TexturePixels(const TTexture& texture)
{
    std::vector<Rgba> pixels(size_t(texture.width) * texture.height);
    BindTexture(texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool WriteBmp24(const std::string& path, int width, int height,
                const std::function<Rgba(int, int)>& pixel)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00,
                                          0xFF0000, 0);
    if (!s) return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgba c = pixel(x, y);
            Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 3;
            Uint32 v = SDL_MapRGB(s->format, c.r, c.g, c.b);
            p[0] = Uint8(v);
            p[1] = Uint8(v >> 8);
            p[2] = Uint8(v >> 16);
        }
    bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

bool WriteBmp8(const std::string& path, int width, int height, const std::vector<Rgba>& palette,
               const std::function<int(int, int)>& index)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
    if (!s) return false;
    std::vector<SDL_Color> colors;
    for (const Rgba& c : palette) colors.push_back(SDL_Color{c.r, c.g, c.b, 0});
    SDL_SetColors(s, colors.data(), 0, int(colors.size()));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = Uint8(index(x, y));
    bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

namespace {

uint32_t Crc32(const uint8_t* data, size_t length, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutBigEndian(out, uint32_t(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(body.data(), body.size()));
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<Rgba>& pixels)
{
    if (pixels.size() < size_t(width) * height) return false;
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[size_t(y) * width + x];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    // zlib stream of stored deflate blocks.
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, uint32_t(width));
    PutBigEndian(header, uint32_t(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(png.data(), 1, png.size(), f) == png.size();
    return fclose(f) == 0 && ok;
}

void SaveScreenshot(const std::string& name, int width, int height)
{
    const char* dir = getenv("KORVANMIRE_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    std::vector<Rgba> pixels = Screen(width, height);
    for (Rgba& p : pixels) p.a = 255;
    WritePng(std::string(dir) + "/" + name + ".png", width, height, pixels);
}

bool Lua(const std::string& code)
{
    return RunScriptString(code, ScriptErrors::StdErr, "=test");
}

TTexture* LoadScriptTexture(const std::string& path, const std::string& name)
{
    Lua("textures['" + name + "'] = _LoadTexture('" + path + "', '" + name + "')");
    return FindTexture(name);
}

TSprite* CreateScriptSprite(const std::string& name, const std::string& textureName, int columns,
                            int rows, int frameWidth, int frameHeight, int startX, int startY)
{
    char call[512];
    snprintf(call, sizeof(call), "sprites['%s'] = _CreateSprite('%s', %d, %d, %d, %d, %d, %d)",
             name.c_str(), textureName.c_str(), columns, rows, frameWidth, frameHeight, startX,
             startY);
    Lua(call);
    return FindSprite(name);
}

void PutBogusSprite(const std::string& name, void* pointer)
{
    lua_State* L = luaState;
    lua_getglobal(L, "sprites");
    lua_pushlightuserdata(L, pointer);
    lua_setfield(L, -2, name.c_str());
    lua_pop(L, 1);
}

}  // namespace gltest
