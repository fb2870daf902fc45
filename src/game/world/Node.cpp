#include "world/Node.h"
#include "core/CurrentScreen.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>

TNode::TNode(float x, float y, float angle, int nodeKind) : kind(nodeKind)
{
    body = CreateCircleBody(0.3f, 0.0f, true, this, 1.0f, 1.0f);
    SetPosition(b2Vec2(x, y));
    if (body && std::isfinite(angle)) body->SetTransform(body->GetPosition(), angle);
    collision = kCollisionModeNone;
    collisionType = kCollisionNull;
    SetDepth(12);
}

void TNode::Update() {}

void TNode::Draw()
{
    if (!CurrentScreenIsEditor()) return;
    const b2Vec2 p = GetPosition();
    SetBlendMode(2);
    DrawSprite(FindSprite("spr_node"), kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, -GetAngle(), kind);
}

std::string TNode::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[160];
    std::snprintf(line, sizeof line, "CreateNode(%f,%f,%f,%d)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle(), kind);
    return line;
}
