#include "render/Shapes.h"
#include "render/GLState.h"
#include "render/SpriteBatch.h"
#include <GL/glew.h>
#include <cmath>

namespace {

constexpr float kTwoPi = 6.28318530717959f;

// Twelve segments and the closing point: a circle is small on a 320 x 240 screen.
void CircleVertices(float x, float y, float radius)
{
    for (int k = 0; k <= 12; ++k) {
        float t = float(k) * kTwoPi / 12.0f;
        glVertex2f(x + radius * std::cos(t), y - radius * std::sin(t));
    }
}

}  // namespace

void DrawFilledCircle(float x, float y, float radius, float r, float g, float b, float a)
{
    BindTexture(0);
    SetColor(r, g, b, a);
    glBegin(GL_TRIANGLE_FAN);
    CircleVertices(x, y, radius);
    glEnd();
}

void DrawCircle(float x, float y, float radius, float r, float g, float b, float a)
{
    BindTexture(0);
    SetColor(r, g, b, a);
    glBegin(GL_LINE_LOOP);
    CircleVertices(x, y, radius);
    glEnd();
}

void DrawDashedCircle(float x, float y, float radius, float phase, float r, float g, float b,
                      float a)
{
    BindTexture(0);
    SetColor(r, g, b, a);
    glBegin(GL_LINES);
    for (int k = 0; k < 48; ++k) {
        float t = phase + float(k) * kTwoPi / 48.0f;
        glVertex2f(x + radius * std::cos(t), y - radius * std::sin(t));
    }
    glEnd();
}

void DrawRect(float x1, float y1, float x2, float y2, bool filled, float r, float g, float b,
              float a)
{
    BindTexture(0);
    SetColor(r, g, b, a);
    glBegin(filled ? GL_QUADS : GL_LINE_LOOP);
    glVertex2f(x1, y1);
    glVertex2f(x1, y2);
    glVertex2f(x2, y2);
    glVertex2f(x2, y1);
    glEnd();
}

void DrawPoint(float x, float y, float size, float r, float g, float b, float a)
{
    BindTexture(0);
    SetColor(r, g, b, a);
    glPointSize(size);
    glBegin(GL_POINTS);
    glVertex2f(x, y);
    glEnd();
}

void DrawThickLine(float x1, float y1, float x2, float y2, float r, float g, float b, float a,
                   float width)
{
    float length = std::hypot(x2 - x1, y2 - y1);
    if (length <= 0.0f) return;
    float k = width * 0.25f / length;
    float ox = k * (y2 - y1);
    float oy = k * (x1 - x2);
    const float corners[4][2] = {
        {x1 - ox, y1 - oy}, {x1 + ox, y1 + oy}, {x2 + ox, y2 + oy}, {x2 - ox, y2 - oy}};
    if (spriteBatch.Collecting()) {
        // Bullets' trails join the kept quads, untextured. Binding no texture
        // would send them, as it does for every other untextured shape.
        SetColor(r, g, b, a);
        TSpriteBatch::Vertex quad[4];
        for (int i = 0; i < 4; ++i) quad[i] = {corners[i][0], corners[i][1], 0.0f, 0.0f, r, g, b, a};
        spriteBatch.Add(quad, 0);
        return;
    }
    BindTexture(0);
    SetColor(r, g, b, a);
    glBegin(GL_QUADS);
    for (const auto& corner : corners) glVertex2f(corner[0], corner[1]);
    glEnd();
}
