#pragma once
#include <cstdint>
#include <string>

// One OpenGL texture made from an image file or blank. Created with new by the
// scripts (_LoadTexture) and kept for the whole run.
struct TTexture {
    uint32_t id = 0;
    int width = 0;        // rounded up to a power of two
    int height = 0;
    int imageWidth = 0;   // the image's own size
    int imageHeight = 0;
    char name[128] = {};
    uint8_t hasAlpha = 0;
};

// Whether textures go to OpenGL (on by default). The content check (--check)
// runs without a window or a GL context: it turns this off, so images are
// still read and checked but nothing calls GL.
void SetTextureUpload(bool on);

// Smallest power of two not below n (1 for n <= 1).
int RoundUpToPowerOfTwo(int n);

// Fills the texture from an image file. A file that cannot be loaded reports
// "Bitmap loading failed..." and leaves an empty 1 x 1 texture, so the record is usable.
bool LoadTexture(TTexture* texture, const std::string& name, const std::string& path);
// Fills the texture with an all-zero image; floatFormat selects GL_RGBA16F, and
// with twoChannels GL_RG16F (red and green only; needs ARB_texture_rg or GL 3.0).
void CreateBlankTexture(TTexture* texture, const std::string& name, int width, int height,
                        bool floatFormat, bool twoChannels = false);
// Asks the scripts' GetTexture(name); null when it returns no live texture.
TTexture* FindTexture(const std::string& name);
