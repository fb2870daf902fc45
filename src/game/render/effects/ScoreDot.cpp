#include "render/effects/ScoreDot.h"
#include "level/campaign/LevelProgress.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdlib>

TScoreDot::TScoreDot(float x, float y) : anchorX(x), anchorY(y)
{
    sprite = FindSprite("spr_dot");
    phase = std::rand();
    body = CreateCircleBody(0.1f, 1.0f, true, this, 0.02f, 0.0f);
    if (!body) return;
    body->SetTransform(b2Vec2(x, y), float(std::rand() % 100) / 10.0f);
    const float vx = float(std::rand() % 100 - 50) / 10.0f;
    const float vy = float(std::rand() % 100 - 50) / 10.0f;
    body->SetLinearVelocity(b2Vec2(vx, vy));
    body->SetAngularVelocity(2.0f);
}

void TScoreDot::BackToAnchor()
{
    SetPosition(b2Vec2(anchorX, anchorY));
}

void TScoreDot::Update()
{
    phase += std::rand() % 3;
    // A dot out of view is not drawn, so it is put back here as well: it
    // never wanders off.
    BackToAnchor();
}

void TScoreDot::Draw()
{
    const b2Vec2 p = GetPosition();
    const float x = kPixelsPerUnit * p.x;
    const float y = kPixelsPerUnit * p.y;
    SetBlendMode(2);
    if (scale <= 1.0f) {
        const float alpha = 0.5f + 0.3f * std::sin(float(phase) / 13.0f);
        DrawSpriteTinted(sprite, x, y, -GetAngle(), 0, 1.0f, 1.0f, 1.0f, alpha);
    } else {
        DrawSpriteEx(sprite, x, y, -GetAngle(), 0, scale, scale, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    BackToAnchor();
}

void TScoreDot::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    // The player has two fixtures: count the dot once.
    if (dead || !other || other->collisionType != kCollisionPlayer) return;
    dead = 1;
    if (TLevelProgress* progress = CurrentProgress()) progress->score += 1;
}
