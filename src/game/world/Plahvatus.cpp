#include "world/Plahvatus.h"
#include "player/Actor.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/ScreenDistortion.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <algorithm>
#include <box2d/box2d.h>
#include <cmath>
#include <cstdlib>

namespace {

// Wakes the dynamic bodies whose fixtures overlap the blast circle.
class TWakeQuery : public b2QueryCallback {
public:
    TWakeQuery(const b2CircleShape& shape, const b2Transform& xf, b2Body* self)
        : shape(shape), xf(xf), self(self)
    {
    }
    bool ReportFixture(b2Fixture* fixture) override
    {
        b2Body* other = fixture->GetBody();
        if (other == self || other->GetType() != b2_dynamicBody || other->IsAwake()) return true;
        for (int child = 0; child < fixture->GetShape()->GetChildCount(); ++child) {
            if (b2TestOverlap(&shape, 0, fixture->GetShape(), child, xf, other->GetTransform())) {
                other->SetAwake(true);
                break;
            }
        }
        return true;
    }

private:
    const b2CircleShape& shape;
    const b2Transform& xf;
    b2Body* self;
};

} // namespace

TPlahvatus::TPlahvatus(float x, float y, float p)
{
    // Box2D cannot take a circle of no, negative or absurd size.
    power = std::isfinite(p) ? std::clamp(p, kMinExplosionPower, kMaxExplosionPower)
                             : kMinExplosionPower;
    collisionType = kCollisionExplosion;
    alwaysDraw = 1;
    SetDepth(kParticleDepth);
    sprite = FindSprite("spr_plahvatus");
    body = CreateCircleBody(power, 0.0f, true, this, 1000.0f, 1000.0f);
    SetPosition(b2Vec2(x, y));
    if (body && world && world->physics) {
        b2CircleShape shape;
        shape.m_radius = power;
        const b2Transform& xf = body->GetTransform();
        b2AABB box;
        box.lowerBound.Set(x - power, y - power);
        box.upperBound.Set(x + power, y + power);
        TWakeQuery query(shape, xf, body);
        world->physics->QueryAABB(&query, box);
    }
    cameraShake = std::max(cameraShake, std::min(20.0f, 6.0f * power));
    if (screenDistortion) {
        const float strength = std::min(60.0f, 12.0f * power);
        for (int channel = 0; channel < 3; ++channel)
            screenDistortion->AddRadial(kPixelsPerUnit * x, kPixelsPerUnit * y,
                                        strength * RandomRange(0.8f, 1.2f), channel);
    }
}

bool TPlahvatus::ExplosionStrength(float* strength) const
{
    if (strength) *strength = Strength();
    return true;
}

void TPlahvatus::Update()
{
    onScreen = 1;
    if (--lifetime < 0) dead = 1;
    if (TParticleSystem* smoke = world ? world->debris : nullptr) {
        const b2Vec2 c = GetPosition();
        const float ox = float(std::rand() % 60 - 30) * power * 0.5f;
        const float oy = float(std::rand() % 60 - 30) * power * 0.5f;
        smoke->EmitSmoke(kPixelsPerUnit * c.x + ox, kPixelsPerUnit * c.y + oy, 0.8f * power);
    }
}

void TPlahvatus::Draw()
{
    const b2Vec2 c = GetPosition();
    const float alpha = std::min(1.0f, float(lifetime * (3 - lifetime)));
    const float scale = 0.35f * power;
    SetBlendMode(1);
    DrawSpriteEx(sprite, kPixelsPerUnit * c.x, kPixelsPerUnit * c.y, 0.0f, 0, scale, scale, 1.0f,
                 1.0f, 1.0f, alpha);
    SetBlendMode(4);
}
