#include "render/SpriteDraw.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include <GL/glew.h>
#include <cmath>

namespace {

constexpr float kRadiansToDegrees = 180.0f / 3.14159265358979f;

void DrawQuad(const TSprite* sprite, const TSpriteFrame& f, float x, float y, float angle,
              float scaleX, float scaleY, bool tint, float r, float g, float b, float a)
{
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
