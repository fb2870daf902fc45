#pragma once
// Helpers for the drawing tests: the window, reading pixels back, writing small
// image files, and a script host whose GetTexture/GetSprite read two tables.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TTexture;
class TSprite;

namespace gltest {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

// SDL video, the 640 x 480 window, the script host with the name tables. Once per process.
bool OpenWindow();

// Clears the back buffer to transparent black and sets the 640 x 480 overlay view
// with the full-window viewport.
void ClearOverlay();
// A pixel of the back buffer, y counted from the top of the window.
Rgba Pixel(int x, int y);
// The whole back buffer, rows from the top.
std::vector<Rgba> Screen(int width = 640, int height = 480);
// A texel of a texture's level 0, row 0 being the first row uploaded.
std::vector<Rgba> TexturePixels(const TTexture& texture);

// Writes an uncompressed 24-bit BMP, or an 8-bit one with a palette.
bool WriteBmp24(const std::string& path, int width, int height,
                const std::function<Rgba(int x, int y)>& pixel);
bool WriteBmp8(const std::string& path, int width, int height,
               const std::vector<Rgba>& palette, const std::function<int(int x, int y)>& index);
// Writes an 8-bit RGBA PNG (stored, uncompressed deflate).
bool WritePng(const std::string& path, int width, int height, const std::vector<Rgba>& pixels);
// Saves the back buffer as a PNG into $KORVANMIRE_SCREENSHOT_DIR when that is set.
void SaveScreenshot(const std::string& name, int width = 640, int height = 480);

// Runs Lua in the test's script host; false on an error (the message goes to stderr).
bool Lua(const std::string& code);
// Loads a texture / makes a sprite through the script functions and files them
// under the name in the tables GetTexture and GetSprite read.
TTexture* LoadScriptTexture(const std::string& path, const std::string& name);
TSprite* CreateScriptSprite(const std::string& name, const std::string& textureName, int columns,
                            int rows, int frameWidth, int frameHeight, int startX, int startY);
// Files a raw pointer under a sprite name, as a misbehaving script could.
void PutBogusSprite(const std::string& name, void* pointer);

}  // namespace gltest
