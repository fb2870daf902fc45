#include "render/ScreenDistortion.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/Texture.h"
#include <GL/glew.h>

TScreenDistortion* screenDistortion = nullptr;

TScreenDistortion::TScreenDistortion(int windowWidth, int windowHeight)
{
    SetWindowSize(windowWidth, windowHeight);
}

void TScreenDistortion::AddStreak(float x, float y, float dx, float dy, float size, int channel)
{
    AddDirectional(x, y, dx, dy, size, channel);
}

void TScreenDistortion::SetWindowSize(int width, int height)
{
    windowWidth = float(width);
    windowHeight = float(height);
    float w = windowWidth;
    float h = windowHeight;
    if (w > 0.0f && h / w <= 0.75f) {
        // Wider than 4:3: bars left and right.
        this->height = h;
        this->width = h * 4.0f / 3.0f;
        xOffset = (w - this->width) * 0.5f;
        yOffset = 0.0f;
    } else {
        // Taller than 4:3 (or degenerate): bars above and below.
        this->width = w;
        this->height = w * 3.0f / 4.0f;
        yOffset = (h - this->height) * 0.5f;
        xOffset = 0.0f;
    }
}

void TScreenDistortion::DrawUndistorted()
{
    glViewport(0, 0, int(windowWidth), int(windowHeight));
    SetBlendMode(3);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    if (displayTexture) BindTexture(displayTexture->id);
    SetWindowView();
    DrawFrameBlockQuad();
    glViewport(0, 0, 640, 480);
}

void TScreenDistortion::DrawFrameBlockQuad() const
{
    // The frame block: texels 0..320 x 16..256 of the display texture, top row last.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(xOffset, yOffset);
    glTexCoord2f(0.0f, 0.0625f);
    glVertex2f(xOffset, yOffset + height);
    glTexCoord2f(0.625f, 0.0625f);
    glVertex2f(xOffset + width, yOffset + height);
    glTexCoord2f(0.625f, 1.0f);
    glVertex2f(xOffset + width, yOffset);
    glEnd();
}
