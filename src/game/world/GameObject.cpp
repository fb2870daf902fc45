#include "world/GameObject.h"
#include "core/Game.h"
#include "render/GLState.h"
#include "script/Handles.h"
#include "world/Physics.h"
#include "world/World.h"
#include <GL/gl.h>
#include <box2d/box2d.h>

namespace {
uint64_t objectsMade = 0;
}

TGameObject::TGameObject() : serial(++objectsMade)
{
    Join(::game ? ::game->world : nullptr);
}

TGameObject::TGameObject(TWorld* w) : serial(++objectsMade)
{
    Join(w);
}

void TGameObject::Join(TWorld* w)
{
    game = ::game;
    world = w;
    RegisterHandle(this, HandleKind::GameObject);
    if (world) world->AddObject(this);
}

TGameObject::~TGameObject()
{
    UnregisterHandle(this);
    if (body && world && world->physics) world->physics->DestroyBody(body);
    body = nullptr;
}

void TGameObject::SetPosition(b2Vec2 position)
{
    if (body) body->SetTransform(position, body->GetAngle());
}

b2Vec2 TGameObject::GetPosition()
{
    return body ? body->GetPosition() : b2Vec2(0.0f, 0.0f);
}

float TGameObject::GetAngle() const
{
    return body ? body->GetAngle() : 0.0f;
}

void TGameObject::DrawIfVisible()
{
    if (onScreen || alwaysDraw) Draw();
}

void TGameObject::DrawLate() {}

std::string TGameObject::GetCreateCommand()
{
    return {};
}

void TGameObject::Hook() {}

void TGameObject::DrawShadow() {}

void TGameObject::DrawOnMap(float alpha)
{
    if (!body) return;
    BindTexture(0);
    SetColor(1.0f, 1.0f, 1.0f, alpha);
    const b2Transform& xf = body->GetTransform();
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        if (f->GetType() != b2Shape::e_polygon) continue;
        const auto* polygon = static_cast<const b2PolygonShape*>(f->GetShape());
        glBegin(GL_POLYGON);
        for (int i = 0; i < polygon->m_count; ++i) {
            const b2Vec2 v = b2Mul(xf, polygon->m_vertices[i]);
            glVertex2f(v.x * kPixelsPerUnit, v.y * kPixelsPerUnit);
        }
        glEnd();
    }
}

void TGameObject::OnContact(TGameObject*, b2Vec2, b2Vec2, b2Vec2) {}

void TGameObject::SetDepth(int d)
{
    if (d == depth) return;
    depth = d;
    if (world) world->needsSort = 1;
}

void TGameObject::SetCollisionMode(int32_t mode)
{
    if (mode == collision) return;
    collision = mode;
    if (!body) return;
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) f->Refilter();
}

TGameObject* ObjectFromHandle(const void* handle)
{
    return HandleAs<TGameObject>(handle, HandleKind::GameObject);
}
