#include "render/Projection.h"
#include "render/SpriteBatch.h"
#include "core/App.h"
#include <GL/glew.h>

// The overlay and the game view are drawn 1/64 of a pixel lower. A sprite of
// odd size drawn at a whole coordinate (the crosshair, 11 x 11; the player, whom
// the camera centres) has its edges on pixel centres, and which rows such an
// edge takes is up to the rasterizer: Mesa decides it one way in a window and
// the other way in a framebuffer object, which it stores the other way up
// (sdl12-compat has the game draw into one). Off the centres both agree. Down
// is the way a window settled those edges. The nudge is a power of two, which
// the rasterizer's sub-pixel grid holds exactly; one it has to round (0.01)
// left more pixels differing between the two.
constexpr double kRowNudgePixels = 1.0 / 64.0;

void NudgeRowsOffPixelCentres()
{
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[3] <= 0) return;
    // Moved in normalised device coordinates (y up), where a row is 2 / height
    // whatever the view: the projection is multiplied by that move from the left.
    const double move = -2.0 * kRowNudgePixels / viewport[3];
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    for (int column = 0; column < 4; ++column) m[4 * column + 1] += move * m[4 * column + 3];
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(m);
    glMatrixMode(GL_MODELVIEW);
}

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
    NudgeRowsOffPixelCentres();
}

void SetScreenView320()
{
    SetOrthoView(320.0, 240.0);
}

void SetWindowView()
{
    SetOrthoView(windowWidth, windowHeight);
}
