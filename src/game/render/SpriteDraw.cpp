#include "render/SpriteDraw.h"
#include "render/GLState.h"
#include "render/SpriteBatch.h"
#include "render/Sprite.h"
#include <GL/glew.h>
#include <cmath>

namespace {

constexpr float kRadiansToDegrees = 180.0f / 3.14159265358979f;

// The sine and cosine of a turn by the angle glRotatef is given: degrees
// first, then radians in double precision, as the driver works them out.
void TurnLikeGLRotate(float degrees, float* c, float* s)
{
    const double radians = double(degrees) * 3.14159265358979323846 / 180.0;
    *c = float(std::cos(radians));
    *s = float(std::sin(radians));
}

// Corners about the origin (x, y, u, v), turned and moved.
void PlaceCorners(const float (*corners)[4], int count, float x, float y, float c, float s,
                  TSpriteCorner* out)
{
    for (int i = 0; i < count; ++i) {
        const float cx = corners[i][0], cy = corners[i][1];
        out[i] = {x + c * cx - s * cy, y + s * cx + c * cy, corners[i][2], corners[i][3]};
    }
}

// The quad turned and moved on the CPU, as the matrices below would, into the batch.
void AddQuad(const TSprite* sprite, const TSpriteFrame& f, float x, float y, float angle,
             float scaleX, float scaleY, const float color[4])
{
    TSpriteCorner corners[4];
    SpriteQuadCorners(f, x, y, angle, scaleX, scaleY, corners);
    TSpriteBatch::Vertex quad[4];
    for (int i = 0; i < 4; ++i)
        quad[i] = {corners[i].x, corners[i].y, corners[i].u, corners[i].v,
                   color[0],     color[1],     color[2],     color[3]};
    spriteBatch.Add(quad, sprite->texture->id);
}

void DrawQuad(const TSprite* sprite, const TSpriteFrame& f, float x, float y, float angle,
              float scaleX, float scaleY, bool tint, float r, float g, float b, float a)
{
    if (spriteBatch.Collecting()) {
        if (tint) SetColor(r, g, b, a);
        BindTexture(sprite->texture->id);
        float color[4];
        CurrentColor(color);
        // An unknown current colour (a fresh cache) cannot go into the batch.
        if (color[0] >= 0.0f) {
            AddQuad(sprite, f, x, y, angle, scaleX, scaleY, color);
            return;
        }
    }
    FlushSprites();
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glRotatef(-angle * kRadiansToDegrees, 0.0f, 0.0f, 1.0f);
    if (tint) SetColor(r, g, b, a);
    BindTexture(sprite->texture->id);
    float hw = 0.5f * scaleX * f.width;
    float hh = 0.5f * scaleY * f.height;
    glBegin(GL_QUADS);
    glTexCoord2f(f.uLeft, f.vTop);
    glVertex2f(-hw, -hh);
    glTexCoord2f(f.uRight, f.vTop);
    glVertex2f(hw, -hh);
    glTexCoord2f(f.uRight, f.vBottom);
    glVertex2f(hw, hh);
    glTexCoord2f(f.uLeft, f.vBottom);
    glVertex2f(-hw, hh);
    glEnd();
    glPopMatrix();
}

}  // namespace

void SpriteQuadCorners(const TSpriteFrame& f, float x, float y, float angle, float scaleX,
                       float scaleY, TSpriteCorner quad[4])
{
    float c, s;
    TurnLikeGLRotate(-angle * kRadiansToDegrees, &c, &s);
    const float hw = 0.5f * scaleX * f.width;
    const float hh = 0.5f * scaleY * f.height;
    const float corners[4][4] = {{-hw, -hh, f.uLeft, f.vTop},
                                 {hw, -hh, f.uRight, f.vTop},
                                 {hw, hh, f.uRight, f.vBottom},
                                 {-hw, hh, f.uLeft, f.vBottom}};
    PlaceCorners(corners, 4, x, y, c, s, quad);
}

void StretchedSpriteCorners(const TSpriteFrame& f, float x1, float y1, float x2, float y2,
                            float scaleX, float scaleY, TSpriteCorner strip[8])
{
    const float angle = std::atan2(y2 - y1, x1 - x2);
    const float length = std::hypot(x2 - x1, y2 - y1);
    float c, s;
    TurnLikeGLRotate(-angle * kRadiansToDegrees + 180.0f, &c, &s);
    const float hw = 0.5f * scaleX * f.width;
    const float hh = 0.5f * scaleY * f.height;
    const float uMid = 0.5f * (f.uLeft + f.uRight);
    const float corners[8][4] = {{-hw, -hh, f.uLeft, f.vTop},        {-hw, hh, f.uLeft, f.vBottom},
                                 {0.0f, -hh, uMid, f.vTop},          {0.0f, hh, uMid, f.vBottom},
                                 {length, -hh, uMid, f.vTop},        {length, hh, uMid, f.vBottom},
                                 {length + hw, -hh, f.uRight, f.vTop}, {length + hw, hh, f.uRight, f.vBottom}};
    PlaceCorners(corners, 8, x1, y1, c, s, strip);
}

void DrawSpriteEx(const TSprite* sprite, float x, float y, float angle, int frame, float scaleX,
                  float scaleY, float r, float g, float b, float a)
{
    const TSpriteFrame* f = sprite ? sprite->DrawableFrame(frame) : nullptr;
    if (!f) return;
    DrawQuad(sprite, *f, x, y, angle, scaleX, scaleY, true, r, g, b, a);
}

void DrawSprite(const TSprite* sprite, float x, float y, float angle, int frame)
{
    DrawSpriteEx(sprite, x, y, angle, frame, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
}

void DrawSpriteTinted(const TSprite* sprite, float x, float y, float angle, int frame, float r,
                      float g, float b, float a)
{
    DrawSpriteEx(sprite, x, y, angle, frame, 1.0f, 1.0f, r, g, b, a);
}

void DrawSpriteScaled(const TSprite* sprite, float x, float y, float angle, float scaleX,
                      float scaleY, int frame)
{
    DrawSpriteEx(sprite, x, y, angle, frame, scaleX, scaleY, 1.0f, 1.0f, 1.0f, 1.0f);
}

void DrawSpriteNoTint(const TSprite* sprite, float x, float y, float angle, int frame,
                      float scaleX, float scaleY)
{
    const TSpriteFrame* f = sprite ? sprite->DrawableFrame(frame) : nullptr;
    if (!f) return;
    DrawQuad(sprite, *f, x, y, angle, scaleX, scaleY, false, 0, 0, 0, 0);
}

void DrawSpriteStretched(const TSprite* sprite, float x1, float y1, float x2, float y2, int frame,
                         float scaleX, float scaleY)
{
    const TSpriteFrame* f = sprite ? sprite->DrawableFrame(frame) : nullptr;
    if (!f) return;
    float angle = std::atan2(y2 - y1, x1 - x2);
    float length = std::hypot(x2 - x1, y2 - y1);
    FlushSprites();
    glPushMatrix();
    glTranslatef(x1, y1, 0.0f);
    glRotatef(-angle * kRadiansToDegrees + 180.0f, 0.0f, 0.0f, 1.0f);
    BindTexture(sprite->texture->id);
    float hw = 0.5f * scaleX * f->width;
    float hh = 0.5f * scaleY * f->height;
    float uMid = 0.5f * (f->uLeft + f->uRight);
    glBegin(GL_QUAD_STRIP);
    glTexCoord2f(f->uLeft, f->vTop);
    glVertex2f(-hw, -hh);
    glTexCoord2f(f->uLeft, f->vBottom);
    glVertex2f(-hw, hh);
    glTexCoord2f(uMid, f->vTop);
    glVertex2f(0.0f, -hh);
    glTexCoord2f(uMid, f->vBottom);
    glVertex2f(0.0f, hh);
    glTexCoord2f(uMid, f->vTop);
    glVertex2f(length, -hh);
    glTexCoord2f(uMid, f->vBottom);
    glVertex2f(length, hh);
    glTexCoord2f(f->uRight, f->vTop);
    glVertex2f(length + hw, -hh);
    glTexCoord2f(f->uRight, f->vBottom);
    glVertex2f(length + hw, hh);
    glEnd();
    glPopMatrix();
}
