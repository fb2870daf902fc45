#include "render/Sprite.h"
#include "script/Handles.h"
#include "script/ScriptHost.h"
#include <cstdint>
#include <cstdio>

namespace {
// Frame corners are computed wide so absurd script numbers cannot overflow.
int ClampToInt(int64_t v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return int(v);
}
}

void TSprite::Init(const std::string& textureName, int columns, int rows, int frameWidth,
                   int frameHeight, int startX, int startY)
{
    if (columns < 0) columns = 0;
    if (rows < 0) rows = 0;
    int64_t count = int64_t(columns) * rows;
    if (count > kMaxSpriteFrames) {
        fprintf(stderr, "ERROR: sprite of %d x %d frames is too large!\n", columns, rows);
        columns = rows = 0;
        count = 0;
    }
    frameCount = int(count);
    texture = FindTexture(textureName);
    if (!texture) fprintf(stderr, "ERROR: texture %s not found!\n", textureName.c_str());

    frames.assign(size_t(frameCount), TSpriteFrame{});
    if (columns < 1) return;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            int64_t x1 = startX + int64_t(c) * frameWidth;
            int64_t y1 = startY + int64_t(r) * frameHeight;
            SetFrame(r * columns + c, ClampToInt(x1), ClampToInt(y1), ClampToInt(x1 + frameWidth),
                     ClampToInt(y1 + frameHeight));
        }
    }
}

void TSprite::SetFrame(int frame, int x1, int y1, int x2, int y2)
{
    if (frame < 0 || frame >= frameCount || size_t(frame) >= frames.size()) {
        fprintf(stderr, "ERROR: frame nr %d out of bounds!\n", frame);
        return;
    }
    TSpriteFrame& f = frames[size_t(frame)];
    if (texture && texture->width > 0 && texture->height > 0) {
        f.uLeft = float(x1) / float(texture->width);
        f.vTop = float(y1) / float(texture->height);
        f.uRight = float(x2) / float(texture->width);
        f.vBottom = float(y2) / float(texture->height);
    } else {
        f.uLeft = f.vTop = f.uRight = f.vBottom = 0.0f;
    }
    f.width = float(int64_t(x2) - x1);
    f.height = float(int64_t(y2) - y1);
}

const TSpriteFrame* TSprite::DrawableFrame(int frame) const
{
    if (!texture || frame < 0 || frame >= frameCount || size_t(frame) >= frames.size())
        return nullptr;
    return &frames[size_t(frame)];
}

TSprite* FindSprite(const char* name)
{
    return HandleAs<TSprite>(ResolveScriptName("GetSprite", name), HandleKind::Sprite);
}

TSprite* FindSprite(const std::string& name)
{
    return FindSprite(name.c_str());
}
