#include "render/Texture.h"
#include "render/GLState.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Images are kept as tightly packed RGBA bytes, row 0 at the top.
using PixelBuffer = std::vector<uint8_t>;

void CopyName(TTexture* texture, const std::string& name)
{
    size_t length = name.size();
    if (length > sizeof(texture->name) - 1) length = sizeof(texture->name) - 1;
    memcpy(texture->name, name.data(), length);
    texture->name[length] = '\0';
}

Uint32 ReadPixel(const SDL_Surface* surface, int x, int y)
{
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                     x * surface->format->BytesPerPixel;
    switch (surface->format->BytesPerPixel) {
    case 1: return *p;
    case 2: { Uint16 v; memcpy(&v, p, 2); return v; }
    case 3:
        if (SDL_BYTEORDER == SDL_BIG_ENDIAN) return (Uint32(p[0]) << 16) | (Uint32(p[1]) << 8) | p[2];
        return Uint32(p[0]) | (Uint32(p[1]) << 8) | (Uint32(p[2]) << 16);
    default: { Uint32 v; memcpy(&v, p, 4); return v; }
    }
}

// Every pixel through SDL_GetRGBA into the top-left of a width x height buffer.
void CopySurface(SDL_Surface* surface, int width, PixelBuffer& out)
{
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            Uint8* d = &out[(size_t(y) * width + x) * 4];
            SDL_GetRGBA(ReadPixel(surface, x, y), surface->format, &d[0], &d[1], &d[2], &d[3]);
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

// The palette index of pure black, or -1 when the palette has none.
int FindBlackInPalette(const SDL_Palette* palette)
{
    if (!palette) return -1;
    for (int i = 0; i < palette->ncolors; ++i) {
        const SDL_Color& c = palette->colors[i];
        if (c.r == 0 && c.g == 0 && c.b == 0) return i;
    }
    return -1;
}

// Images without an alpha channel: pure black becomes transparent, everything else
// opaque. Paletted and 15/16-bit images go the same way; a paletted image that
// already names a transparent entry (a PNG with tRNS) keeps that entry instead.
bool CopyWithBlackKey(SDL_Surface* image, int width, PixelBuffer& out)
{
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0x000000FF,
                                             0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!rgba) return false;
    SDL_FillRect(rgba, nullptr, 0);
    if (!(image->flags & SDL_SRCCOLORKEY)) {
        if (image->format->BitsPerPixel == 8) {
            int black = FindBlackInPalette(image->format->palette);
            if (black >= 0) SDL_SetColorKey(image, SDL_SRCCOLORKEY, Uint32(black));
        } else {
            SDL_SetColorKey(image, SDL_SRCCOLORKEY, SDL_MapRGB(image->format, 0, 0, 0));
        }
    }
    // Without SDL_SRCALPHA on the source the blit writes opaque alpha, and keyed
    // pixels are skipped, so they keep the cleared (0, 0, 0, 0).
    SDL_SetAlpha(image, 0, 255);
    bool ok = SDL_BlitSurface(image, nullptr, rgba, nullptr) == 0;
    if (ok) CopySurface(rgba, width, out);
    SDL_FreeSurface(rgba);
    return ok;
}

bool uploadTextures = true;

void Upload(TTexture* texture, GLint internalFormat, GLenum type, const void* pixels)
{
    if (!uploadTextures) return;
    GLuint id = 0;
    glGenTextures(1, &id);
    texture->id = id;
    BindTexture(id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, texture->width, texture->height, 0, GL_RGBA,
                 type, pixels);
    CheckGLError();
}

}  // namespace

void SetTextureUpload(bool on)
{
    uploadTextures = on;
}

int RoundUpToPowerOfTwo(int n)
{
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

bool LoadTexture(TTexture* texture, const std::string& name, const std::string& path)
{
    if (!texture) return false;
    CopyName(texture, name);
    texture->hasAlpha = 0;

    SDL_Surface* image = IMG_Load(path.c_str());
    if (!image) {
        fprintf(stderr, "Bitmap loading failed. SDL error: %s\nFile:\"%s\"\n", SDL_GetError(),
                texture->name);
        texture->width = texture->height = 1;
        texture->imageWidth = texture->imageHeight = 1;
        const uint8_t clear[4] = {0, 0, 0, 0};
        Upload(texture, GL_RGBA8, GL_UNSIGNED_BYTE, clear);
        return false;
    }

    texture->width = RoundUpToPowerOfTwo(image->w);
    texture->height = RoundUpToPowerOfTwo(image->h);
    texture->imageWidth = image->w;
    texture->imageHeight = image->h;
    PixelBuffer pixels(size_t(texture->width) * texture->height * 4, 0);

    bool ok;
    if (image->format->BitsPerPixel == 32) {
        texture->hasAlpha = 1;
        CopySurface(image, texture->width, pixels);
        ok = true;
    } else {
        ok = CopyWithBlackKey(image, texture->width, pixels);
        if (!ok) fprintf(stderr, "Bitmap conversion failed. SDL error: %s\nFile:\"%s\"\n",
                         SDL_GetError(), texture->name);
    }
    SDL_FreeSurface(image);
    Upload(texture, GL_RGBA8, GL_UNSIGNED_BYTE, pixels.data());
    return ok;
}

void CreateBlankTexture(TTexture* texture, const std::string& name, int width, int height,
                        bool floatFormat, bool twoChannels)
{
    if (!texture) return;
    CopyName(texture, name);
    texture->width = RoundUpToPowerOfTwo(width);
    texture->height = RoundUpToPowerOfTwo(height);
    texture->imageWidth = texture->width;
    texture->imageHeight = texture->height;
    texture->hasAlpha = 1;
    const GLint format = !floatFormat ? GL_RGBA8 : twoChannels ? GL_RG16F : GL_RGBA16F_ARB;
    const GLenum type = floatFormat ? GL_BYTE : GL_UNSIGNED_BYTE;
    if (GLEW_ARB_clear_texture && glClearTexImage) {
        // Zeroed by the driver: no megabytes of zeros converted texel by texel
        // while the game starts.
        Upload(texture, format, type, nullptr);
        glClearTexImage(texture->id, 0, GL_RGBA, type, nullptr);
        return;
    }
    std::vector<uint8_t> zeros(size_t(texture->width) * texture->height * 4, 0);
    Upload(texture, format, type, zeros.data());
}

TTexture* FindTexture(const std::string& name)
{
    return HandleAs<TTexture>(ResolveScriptName("GetTexture", name.c_str()), HandleKind::Texture);
}
