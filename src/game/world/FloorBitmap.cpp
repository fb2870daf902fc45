#include "world/FloorBitmap.h"
#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include "util/FreeList.h"
#include "util/LuaQuoted.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include <GL/gl.h>
#include <cmath>
#include <cstdio>
#include <cstring>

TFloorBitmap::TFloorBitmap(float x, float y, float a, int left, int top, int right, int bottom,
                           const std::string& name)
    : x1(float(left)), y1(float(top)), x2(float(right)), y2(float(bottom)),
      centre(x * kPixelsPerUnit, y * kPixelsPerUnit), angle(a), textureName(name)
{
    // A one-frame sprite finds the texture and cuts the region as any sprite would.
    TSprite region;
    region.Init(name, 1, 1, 0, 0, 0, 0);
    region.SetFrame(0, left, top, right, bottom);
    texture = region.texture;
    if (!region.frames.empty()) frame = region.frames[0];
    hasAlphaBlend = texture && texture->hasAlpha;
    PlaceCorners();
}

TFloorBitmap::TFloorBitmap(float x, float y, float a, const TSprite& source, int sourceFrame)
    : texture(source.texture), centre(x * kPixelsPerUnit, y * kPixelsPerUnit), angle(a)
{
    if (HasFrame(&source, sourceFrame)) {
        const TSpriteFrame& f = source.frames[size_t(sourceFrame)];
        frame = f;
        // Back from texture coordinates to the pixel corners they were cut at.
        x1 = std::round(f.uLeft * float(source.texture->width));
        y1 = std::round(f.vTop * float(source.texture->height));
        x2 = std::round(f.uRight * float(source.texture->width));
        y2 = std::round(f.vBottom * float(source.texture->height));
        textureName.assign(source.texture->name, strnlen(source.texture->name, sizeof source.texture->name));
        hasAlphaBlend = source.texture->hasAlpha;
    }
    PlaceCorners();
}

TFloorBitmap::~TFloorBitmap() = default;

void* TFloorBitmap::operator new(std::size_t size) { return TakeBlock(ClassBlocks<TFloorBitmap>(), size); }

void TFloorBitmap::operator delete(void* block, std::size_t size) { GiveBlock(ClassBlocks<TFloorBitmap>(), block, size); }

bool TFloorBitmap::HasFrame(const TSprite* s, int frame)
{
    return s && s->texture && frame >= 0 && frame < s->frameCount && size_t(frame) < s->frames.size();
}

void TFloorBitmap::Place(b2Vec2 newCentre, float newAngle)
{
    centre = newCentre;
    angle = newAngle;
    PlaceCorners();
}

void TFloorBitmap::PlaceCorners()
{
    const float hw = std::fabs(x2 - x1) * 0.5f;
    const float hh = std::fabs(y2 - y1) * 0.5f;
    const float c = std::cos(-angle);
    const float s = std::sin(-angle);
    // Top-left, top-right, bottom-right, bottom-left of the region.
    const float signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int i = 0; i < 4; ++i) {
        const float sx = signs[i][0] * hw;
        const float sy = signs[i][1] * hh;
        corners[i] = centre + b2Vec2(sx * c - sy * s, sx * s + sy * c);
    }
}

void TFloorBitmap::Draw()
{
    if (!texture) return;
    const TSpriteFrame* f = &frame;
    SetBlendMode(hasAlphaBlend ? 2 : 4);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    BindTexture(texture->id);
    const float u[4] = {f->uLeft, f->uRight, f->uRight, f->uLeft};
    const float v[4] = {f->vTop, f->vTop, f->vBottom, f->vBottom};
    if (spriteBatch.Collecting()) {
        TSpriteBatch::Vertex quad[4];
        for (int i = 0; i < 4; ++i)
            quad[i] = {corners[i].x, corners[i].y, u[i], v[i], 1.0f, 1.0f, 1.0f, 1.0f};
        spriteBatch.Add(quad, texture->id);
        return;
    }
    FlushSprites();
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(u[i], v[i]);
        glVertex2f(corners[i].x, corners[i].y);
    }
    glEnd();
}

std::string TFloorBitmap::GetCreateCommand()
{
    if (Parked()) return "";
    char line[200];
    std::snprintf(line, sizeof line, "CreateBitmap(%f,%f,%f,%d,%d,%d,%d,",
                  centre.x / kPixelsPerUnit - saveOriginX, centre.y / kPixelsPerUnit - saveOriginY,
                  angle, int(x1), int(y1), int(x2), int(y2));
    return line + LuaQuoted(textureName) + ")\n";
}
