#pragma once
#include "render/Texture.h"
#include <string>
#include <vector>

// One frame: its corners in texture coordinates and its size in pixels.
struct TSpriteFrame {
    float uLeft = 0, vTop = 0, uRight = 0, vBottom = 0;
    float width = 0, height = 0;
};

// The most frames one sprite may have; a larger grid is refused with a message.
constexpr int kMaxSpriteFrames = 65536;

// A texture cut into numbered frames. Created by the scripts (_CreateSprite).
class TSprite {
public:
    // Cuts columns x rows frames of frameWidth x frameHeight starting at (startX, startY),
    // left to right then top to bottom. Reports "ERROR: texture %s not found!" when the
    // scripts know no such texture. Grids of more than kMaxSpriteFrames frames report
    // "ERROR: sprite of %d x %d frames is too large!" and give a sprite without frames.
    void Init(const std::string& textureName, int columns, int rows, int frameWidth,
              int frameHeight, int startX, int startY);
    // Sets one frame from a pixel rectangle; out-of-range frames report
    // "ERROR: frame nr %d out of bounds!" and change nothing.
    void SetFrame(int frame, int x1, int y1, int x2, int y2);
    // The frame if it exists and the sprite has a texture, else null: nothing is drawn then.
    const TSpriteFrame* DrawableFrame(int frame) const;

    TTexture* texture = nullptr;
    std::vector<TSpriteFrame> frames;
    int frameCount = 0;
};

// Asks the scripts' GetSprite(name); null when it returns no live sprite. Prints nothing.
TSprite* FindSprite(const std::string& name);
TSprite* FindSprite(const char* name);
