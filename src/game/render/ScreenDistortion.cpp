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

void TScreenDistortion::AddRadial(float x, float y, float radialStrength, int channel)
{
    if (strength > 0.0f) PushRadial(x, y, radialStrength * strength, channel);
}

// A push of (dx, dy) displaces in proportion to its length.
void TScreenDistortion::AddDirectional(float x, float y, float dx, float dy, float size, int channel)
{
    if (strength > 0.0f) PushDirectional(x, y, dx * strength, dy * strength, size, channel);
}

void TScreenDistortion::AddStreak(float x, float y, float dx, float dy, float size, int channel)
{
    if (strength > 0.0f) PushStreak(x, y, dx * strength, dy * strength, size, channel);
}

void TScreenDistortion::PushStreak(float x, float y, float dx, float dy, float size, int channel)
{
    PushDirectional(x, y, dx, dy, size, channel);
}

void TScreenDistortion::SetWindowSize(int width, int height)
{
    windowWidth = float(width);
    windowHeight = float(height);
    const TPictureRect picture = FitPicture(width, height, scale);
    xOffset = picture.x;
    yOffset = picture.y;
    this->width = picture.width;
    this->height = picture.height;
}

void TScreenDistortion::SetScale(TScreenScale newScale)
{
    scale = newScale;
    SetWindowSize(int(windowWidth), int(windowHeight));
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
