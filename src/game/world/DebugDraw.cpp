#include "world/DebugDraw.h"
#include "render/Shapes.h"
#include "world/Physics.h"
#include <cmath>

void DebugDraw::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color)
{
    DrawThickLine(p1.x * kPixelsPerUnit, p1.y * kPixelsPerUnit, p2.x * kPixelsPerUnit,
                  p2.y * kPixelsPerUnit, color.r, color.g, color.b, 1.0f, 1.0f);
}

void DebugDraw::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    if (vertexCount <= 0) return;
    for (int32 i = 0; i + 1 < vertexCount; ++i) DrawSegment(vertices[i], vertices[i + 1], color);
    DrawSegment(vertices[vertexCount - 1], vertices[0], color);
}

void DebugDraw::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    DrawPolygon(vertices, vertexCount, color);
}

void DebugDraw::DrawCircle(const b2Vec2& center, float radius, const b2Color& color)
{
    const float step = float(M_PI) / 8.0f;
    float angle = 0.0f;
    for (int i = 0; i < 16; ++i) {
        const b2Vec2 a(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
        angle += step;
        const b2Vec2 b(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
        DrawSegment(a, b, color);
    }
}

void DebugDraw::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2&,
                                const b2Color& color)
{
    const float step = 0.6304009f;
    float angle = 0.0f;
    for (int i = 0; i < 17; ++i) {
        const b2Vec2 a(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
        angle -= step;
        const b2Vec2 b(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
        DrawSegment(a, b, color);
    }
}

void DebugDraw::DrawTransform(const b2Transform&) {}

void DebugDraw::DrawPoint(const b2Vec2&, float, const b2Color&) {}
