#include "player/weapons/SmallExplosive.h"
#include "audio/Mixer.h"
#include "render/Sprite.h"
#include "world/Physics.h"
#include "world/Plahvatus.h"
#include "world/World.h"
#include <algorithm>
#include <box2d/box2d.h>
#include <cstdlib>

TSmallExplosive::TSmallExplosive(float x, float y, float vx, float vy)
{
    stuckTo.reserve(5);
    sprite = FindSprite("spr_asjad");
    frame = float(kSmallExplosiveFrame);
    shadowDist = kSmallExplosiveShadow;
    fuse = 50 + std::rand() % 10;
    body = CreateCircleBody(1.0f / 6.0f, 1.0f, false, this, 7.5f, 5.0f);
    if (!body) return;
    body->SetBullet(true);
    // Like the player's fixtures: the charge never touches its shooter.
    for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext()) {
        b2Filter filter = fixture->GetFilterData();
        filter.groupIndex = -3;
        fixture->SetFilterData(filter);
    }
    body->SetTransform(b2Vec2(x, y), -float(std::rand() % 40));
    body->ApplyLinearImpulse(b2Vec2(0.25f * vx, 0.25f * vy), body->GetPosition(), true);
}

std::string TSmallExplosive::GetCreateCommand()
{
    return {};
}

bool TSmallExplosive::StuckTo(const TGameObject* object) const
{
    return std::find(stuckTo.begin(), stuckTo.end(), object) != stuckTo.end();
}

void TSmallExplosive::OnContact(TGameObject* other, b2Vec2 point, b2Vec2, b2Vec2)
{
    if (!other || !body || !other->body || other->body == body) return;
    if (other->collisionType != kCollisionWall && other->collisionType != kCollisionEnemy) return;
    // Forget what has left the world since (its joint went with its body).
    stuckTo.erase(std::remove_if(stuckTo.begin(), stuckTo.end(),
                                 [](TGameObject* o) { return ObjectFromHandle(o) == nullptr; }),
                  stuckTo.end());
    if (StuckTo(other) || !world || !world->physics) return;
    b2WeldJointDef weld;
    weld.bodyA = body;
    weld.bodyB = other->body;
    weld.localAnchorA.SetZero();
    weld.localAnchorB = other->body->GetLocalPoint(point);
    weld.referenceAngle = 0.0f;
    weld.collideConnected = false;
    weld.stiffness = 0.0f;
    weld.damping = 0.0f;
    world->physics->CreateJoint(&weld);
    stuckTo.push_back(other);
}

void TSmallExplosive::Update()
{
    shadowDist *= 0.7f;
    if (--fuse >= 0) return;
    const b2Vec2 p = GetPosition();
    new TPlahvatus(p.x, p.y, kSmallExplosivePower);
    PlaySoundAt("exp_pump_cluster", p.x, p.y);
    dead = 1;
}

void FireSmallExplosive(float x, float y, float vx, float vy)
{
    new TSmallExplosive(x, y, vx, vy);
}
