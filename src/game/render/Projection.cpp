#include "render/Projection.h"
#include "render/SpriteBatch.h"
#include "core/App.h"
#include <GL/glew.h>

namespace {
void SetOrthoView(double width, double height)
{
    FlushSprites();  // kept sprites belong to the old view
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
}

void SetScreenView640()
{
    SetOrthoView(640.0, 480.0);
}

void SetScreenView320()
{
    SetOrthoView(320.0, 240.0);
}

void SetWindowView()
{
    SetOrthoView(windowWidth, windowHeight);
}
