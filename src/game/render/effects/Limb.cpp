#include "render/effects/Limb.h"
#include "render/effects/Decals.h"
#include "render/effects/ParticleSystem.h"
#include "render/SpriteDraw.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cstdlib>

TLimb::TLimb(float x, float y, float vx, float vy, int f, TSprite* s, bool b)
    : frame(f), sprite(s), bleeds(b ? 1 : 0)
{
    collision = kCollisionModeSolid;
    collisionType = kCollisionNull;
    SetDepth(-5);
    body = CreateCircleBody(1.0f / 6.0f, 2.0f, false, this, 3.5f, 5.0f);
    if (!body) return;
    for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext()) {
        b2Filter filter = fixture->GetFilterData();
        filter.groupIndex = -3;
        fixture->SetFilterData(filter);
    }
    body->SetTransform(b2Vec2(x, y), -float(std::rand() % 30) / 30.0f);
    body->ApplyLinearImpulse(b2Vec2(-0.25f * vx, -0.25f * vy), body->GetPosition(), true);
}

TLimb::~TLimb()
{
    // Only a limb that came to rest leaves a decal, and only into the world it
    // lay in (a cleared level takes its flying gibs with it).
    if (!dead || !body || CurrentWorld() != world) return;
    const b2Vec2 p = body->GetPosition();
    PlaceDecal(sprite, frame, p.x, p.y, -body->GetAngle());
}

void TLimb::Update()
{
    if (!body) {
        dead = 1;
        return;
    }
    const b2Vec2 v = body->GetLinearVelocity();
    const float speed = v.Length();
    const b2Vec2 p = body->GetPosition();
    if (speed < kLimbRestSpeed) {
        dead = 1;
        if (bleeds) PlaceBloodDecal(kPixelsPerUnit * p.x, kPixelsPerUnit * p.y);
        return;
    }
    if (!bleeds || speed <= 2.0f) return;
    TParticleSystem* particles = world ? world->particles : nullptr;
    if (!particles) return;
    float vx = v.x / kPixelsPerUnit;
    float vy = v.y / kPixelsPerUnit;
    if (speed > 4.0f) {
        vx += RandomRange(-1.0f, 1.0f);
        vy += RandomRange(-1.0f, 1.0f);
    }
    particles->EmitBlood(kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, vx, vy);
}

void TLimb::Draw()
{
    const b2Vec2 p = GetPosition();
    DrawSprite(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, -GetAngle(), frame);
}
