#include "world/TextObject.h"
#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include "render/Text.h"
#include "world/Physics.h"
#include <GL/gl.h>

TTextObject::TTextObject(float x, float y, const std::string& label) : text(label)
{
    body = CreateCircleBody(0.1f, 1.0f, true, this, 1.0f, 1.0f);
    SetPosition(b2Vec2(x, y));
    SetDepth(1000);
}

void TTextObject::Update() {}

void TTextObject::Draw()
{
    const b2Vec2 p = GetPosition();
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    FlushSprites();  // kept sprites belong to the unscaled view
    glPushMatrix();
    glTranslatef(kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, 0.0f);
    glScalef(10.0f, 10.0f, 1.0f);
    DrawTextBlock(text, 0.0f, 0.0f);
    FlushSprites();  // and the glyphs to the scaled one
    glPopMatrix();
}
