#include "player/weapons/RocketSmoke.h"
#include "render/SpriteBatch.h"
#include "render/GLState.h"
#include "render/Texture.h"
#include "script/Handles.h"
#include "world/MathUtil.h"
#include "world/ObjectDefinition.h"
#include "world/Physics.h"
#include <GL/gl.h>
#include <box2d/box2d.h>

namespace {

TTexture* SmokeTexture()
{
    static TTexture* cached = nullptr;
    if (!cached || !IsHandle(cached, HandleKind::Texture)) cached = FindTexture("tex_rocketsmoke");
    return cached;
}

} // namespace

TRocketSmoke::TRocketSmoke(float x, float y, const TObjectDefinition& rocket)
    : TMinimalObject(x, y, 0.0f, "rocket", rocket)
{
    // A rocket flying for a few seconds leaves a few hundred points.
    points.reserve(512);
    collision = kCollisionModeNone;
    SetDepth(11);
    // The strip reaches far past the little body the view query finds.
    alwaysDraw = 1;
    if (body) body->SetBullet(true);
}

std::string TRocketSmoke::GetCreateCommand()
{
    return {};
}

void TRocketSmoke::AddPoint(float x, float y, float vx, float vy)
{
    points.push_back({x, y, vx, vy, 1.0f, RandomRange(0.4f, 0.8f)});
}

void TRocketSmoke::Update()
{
    bool visible = false;
    for (TPoint& p : points) {
        const float a2 = p.alpha * p.alpha;
        p.vx = p.vx * 0.95f + RandomRange(-0.1f, 0.1f) * a2;
        p.vy = p.vy * 0.95f + RandomRange(-0.1f, 0.1f) * a2;
        p.x += p.vx;
        p.y += p.vy;
        p.alpha -= kSmokeFade;
        if (p.alpha > 0.0f) visible = true;
    }
    if (!visible) dead = 1;
}

void TRocketSmoke::Draw()
{
    if (points.size() < 2) return;
    TTexture* texture = SmokeTexture();
    if (!texture) return;
    SetBlendMode(2);
    BindTexture(texture->id);
    float saved[4];
    CurrentColor(saved);
    FlushSprites();  // kept sprites of the same texture come first
    glBegin(GL_QUAD_STRIP);
    for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& p = points[i];
        glColor4f(p.brightness, p.brightness, p.brightness, p.alpha);
        glTexCoord2f(float(i % 2), float(i / 2 + 1));
        glVertex2f(p.x, p.y);
    }
    glEnd();
    // The per-vertex colours went round the colour cache.
    glColor4f(saved[0], saved[1], saved[2], saved[3]);
}
