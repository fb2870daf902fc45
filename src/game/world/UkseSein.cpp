#include "world/UkseSein.h"
#include "render/GLState.h"
#include "world/Door.h"
#include "world/Physics.h"
#include <GL/gl.h>
#include <box2d/box2d.h>

TUkseSein::TUkseSein(float x, float y, float angle, float value, TDoor* door)
    : TSein(x, y, angle, value, kBlockDoorLeaf), owner(door)
{
}

TDoor* TUkseSein::Owner() const
{
    TDoor* door = ObjectFromHandleAs<TDoor>(static_cast<const TGameObject*>(owner));
    return door == owner ? door : nullptr;
}

void TUkseSein::DrawOnMap(float alpha)
{
    if (!body) return;
    const TDoor* door = Owner();
    const bool neverOpened = door && door->doorState == TDoor::kNeverOpened;
    BindTexture(0);
    if (neverOpened) SetColor(0.0f, 0.0f, 1.0f, alpha);
    else SetColor(1.0f, 1.0f, 1.0f, alpha);
    const b2Transform& xf = body->GetTransform();
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        if (f->GetType() != b2Shape::e_polygon) continue;
        const auto* polygon = static_cast<const b2PolygonShape*>(f->GetShape());
        glBegin(GL_POLYGON);
        for (int i = 0; i < polygon->m_count; ++i) {
            const b2Vec2 w = kPixelsPerUnit * b2Mul(xf, polygon->m_vertices[i]);
            glVertex2f(w.x, w.y);
        }
        glEnd();
    }
}
