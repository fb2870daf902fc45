#include "player/weapons/Rocket.h"
#include "audio/Mixer.h"
#include "player/weapons/RocketSmoke.h"
#include "render/GLState.h"
#include "render/ScreenDistortion.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "script/Handles.h"
#include "world/MathUtil.h"
#include "world/ObjectDefinition.h"
#include "world/Physics.h"
#include "world/Plahvatus.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

TSprite* GlowSprite()
{
    static TSprite* cached = nullptr;
    if (!cached || !IsHandle(cached, HandleKind::Sprite)) cached = FindSprite("spr_omnismooth");
    return cached;
}

float Jitter(float range)
{
    return RandomRange(-range, range);
}

} // namespace

TRocket* TRocket::Create(float x, float y, float angle, std::string* error)
{
    bool unknown = false;
    const std::optional<TObjectDefinition> definition =
        TObjectDefinition::Read("rocket", error, &unknown);
    if (unknown) std::fprintf(stderr, "ERROR: cannot create object\"%s\"! \n", "rocket");
    if (!definition) return nullptr;
    return new TRocket(x, y, angle, *definition);
}

TRocket::TRocket(float x, float y, float angle, const TObjectDefinition& definition)
    : TMinimalObject(x, y, angle, "rocket", definition)
{
    wobblePhase = float(std::rand() % 1000);
    if (body) {
        body->SetLinearDamping(0.0f);
        body->SetAngularDamping(0.0f);
        body->ApplyForceToCenter(kRocketThrust * Facing(), true);
    }
    for (TRocketSmoke*& trail : trails) trail = new TRocketSmoke(x, y, definition);
}

std::string TRocket::GetCreateCommand()
{
    return {};
}

b2Vec2 TRocket::Facing() const
{
    const float a = GetAngle();
    return b2Vec2(std::cos(a), std::sin(a));
}

TRocketSmoke* TRocket::Trail(int index) const
{
    if (index < 0 || index > 2) return nullptr;
    return ObjectFromHandleAs<TRocketSmoke>(static_cast<TGameObject*>(trails[index]));
}

void TRocket::Update()
{
    if (!body) return;
    wobblePhase += 0.4f;
    body->ApplyTorque(std::cos(wobblePhase) * 0.001f, true);
    const b2Vec2 d = Facing();
    body->ApplyForceToCenter(kRocketThrust * d, true);

    const b2Vec2 p = kPixelsPerUnit * GetPosition();
    if (screenDistortion) screenDistortion->AddStreak(p.x, p.y, 0.6f * d.x, 0.6f * d.y, 3.0f, std::rand() % 3);

    const b2Vec2 back = -2.0f * d;
    const b2Vec2 side = 0.6f * b2Vec2(d.y, -d.x);
    for (int index : {kRocketTrailLeft, kRocketTrailRight}) {
        if (TRocketSmoke* trail = Trail(index)) {
            trail->AddPoint(p.x, p.y, back.x + side.x + Jitter(0.3f), back.y + side.y + Jitter(0.3f));
            trail->AddPoint(p.x, p.y, back.x - side.x + Jitter(0.3f), back.y - side.y + Jitter(0.3f));
        }
    }
    if (TRocketSmoke* trail = Trail(kRocketTrailCentre)) {
        const b2Vec2 b = 1.5f * back;
        const b2Vec2 n = 0.5f * side;
        trail->AddPoint(p.x, p.y, b.x + n.x + Jitter(0.1f), b.y + n.y + Jitter(0.1f));
        trail->AddPoint(p.x, p.y, b.x - n.x + Jitter(0.1f), b.y - n.y + Jitter(0.1f));
    }
}

void TRocket::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (dead || !other) return;
    if (other->collisionType != kCollisionWall && other->collisionType != kCollisionEnemy) return;
    dead = 1;
    const b2Vec2 p = GetPosition();
    new TPlahvatus(p.x, p.y, kRocketPower);
    PlaySoundAt("explosion", p.x, p.y);
}

void TRocket::Draw()
{
    const b2Vec2 p = kPixelsPerUnit * GetPosition();
    const float angle = -GetAngle() + float(M_PI) / 2.0f;
    const int f = (frame >= 0.0f && frame < 65536.0f) ? int(frame) : -1;
    SetBlendMode(2);
    DrawSpriteTinted(sprite, p.x + shadowDist, p.y + shadowDist, angle, f, 0.0f, 0.0f, 0.0f, 0.2f);
    DrawSprite(sprite, p.x, p.y, angle, f);
    SetBlendMode(1);
    DrawSpriteEx(GlowSprite(), p.x, p.y, 0.0f, 0, 1.0f, 1.0f, 1.0f, 1.0f, 0.8f,
                 RandomRange(0.3f, 0.8f));
}
