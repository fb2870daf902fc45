#include "world/Physics.h"
#include "world/ContactFilter.h"
#include "world/ContactListener.h"
#include "world/DebugDraw.h"
#include "world/GameObject.h"
#include "world/RayCastBulletCallback.h"
#include "world/RayCastCallback.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <chrono>
#include <cmath>

namespace {

// One filter, listener and debug drawer for every physics world of the run.
TContactFilter contactFilter;
TContactListener contactListener;
DebugDraw debugDraw;

b2Body* CreateBody(b2BodyType type, TGameObject* owner, float linearDamping,
                   float angularDamping)
{
    if (!owner || !owner->world || !owner->world->physics) return nullptr;
    b2BodyDef def;
    def.type = type;
    def.linearDamping = linearDamping;
    def.angularDamping = angularDamping;
    def.allowSleep = true;
    def.awake = true;
    def.userData.pointer = reinterpret_cast<uintptr_t>(owner);
    return owner->world->physics->CreateBody(&def);
}

void AddFixture(b2Body* body, const b2Shape& shape, float density, bool sensor)
{
    b2FixtureDef def;
    def.shape = &shape;
    def.density = density;
    def.friction = 0.0f;
    def.restitution = 0.5f;
    def.isSensor = sensor;
    def.filter.categoryBits = 1;
    def.filter.maskBits = 0xFFFF;
    def.filter.groupIndex = 0;
    body->CreateFixture(&def);
}

} // namespace

std::unique_ptr<b2World> CreatePhysicsWorld()
{
    auto world = std::make_unique<b2World>(b2Vec2(0.0f, 0.0f));
    world->SetContinuousPhysics(true);
    world->SetContactFilter(&contactFilter);
    world->SetContactListener(&contactListener);
    debugDraw.SetFlags(b2Draw::e_shapeBit | b2Draw::e_jointBit);
    world->SetDebugDraw(&debugDraw);
    return world;
}

b2Body* CreateCircleBody(float radius, float mass, bool sensor, TGameObject* owner,
                         float linearDamping, float angularDamping)
{
    b2Body* body = CreateBody(mass == 0.0f ? b2_staticBody : b2_dynamicBody, owner,
                              linearDamping, angularDamping);
    if (!body) return nullptr;
    b2CircleShape circle;
    circle.m_radius = radius;
    AddFixture(body, circle, mass, sensor);
    return body;
}

b2Body* CreateBoxBody(float halfWidth, float halfHeight, float mass, bool sensor,
                      TGameObject* owner, float linearDamping, float angularDamping)
{
    b2Body* body = CreateBody(mass > 0.0f ? b2_dynamicBody : b2_staticBody, owner,
                              linearDamping, angularDamping);
    if (!body) return nullptr;
    b2PolygonShape box;
    box.SetAsBox(halfWidth, halfHeight);
    AddFixture(body, box, mass, sensor);
    return body;
}

b2Fixture* AddCircleFixture(float x, float y, float radius, float density, bool sensor,
                            b2Body* body)
{
    if (!body) return nullptr;
    b2CircleShape circle;
    circle.m_p.Set(x, y);
    circle.m_radius = radius;
    b2FixtureDef def;
    def.shape = &circle;
    def.density = density;
    def.friction = 0.0f;
    def.restitution = 0.5f;
    def.isSensor = sensor;
    return body->CreateFixture(&def);
}

TGameObject* ObjectOfBody(const b2Body* body)
{
    return body ? reinterpret_cast<TGameObject*>(const_cast<b2Body*>(body)->GetUserData().pointer)
                : nullptr;
}

TGameObject* ObjectOfFixture(const b2Fixture* fixture)
{
    return fixture ? ObjectOfBody(fixture->GetBody()) : nullptr;
}

void RunContactPass(b2World* world)
{
    if (!world) return;
    for (b2Contact* contact = world->GetContactList(); contact; contact = contact->GetNext()) {
        if (!contact->IsTouching()) continue;
        b2Fixture* fa = contact->GetFixtureA();
        b2Fixture* fb = contact->GetFixtureB();
        b2Body* ba = fa->GetBody();
        b2Body* bb = fb->GetBody();
        TGameObject* a = ObjectOfBody(ba);
        TGameObject* b = ObjectOfBody(bb);
        if (!a || !b) continue;

        b2WorldManifold manifold;
        manifold.normal.SetZero();
        manifold.points[0].SetZero();
        contact->GetWorldManifold(&manifold);
        b2Vec2 point = manifold.points[0];
        b2Vec2 normal = manifold.normal;
        if (contact->GetManifold()->pointCount == 0) {
            // Sensor overlaps carry no manifold: use the midpoint of the two
            // bodies and the direction from A to B.
            point = 0.5f * (ba->GetPosition() + bb->GetPosition());
            normal = bb->GetPosition() - ba->GetPosition();
            normal.Normalize();
        }
        const b2Vec2 va = ba->GetLinearVelocityFromWorldPoint(point);
        const b2Vec2 vb = bb->GetLinearVelocityFromWorldPoint(point);
        const b2Vec2 relative = va - vb;
        a->OnContact(b, point, normal, relative);
        b->OnContact(a, point, normal, relative);
    }
}

TRayCastProfile* rayCastProfile = nullptr;

namespace {

bool CastRay(float x1, float y1, float x2, float y2, b2Vec2* outPoint, b2Vec2* outNormal,
             TGameObject** outObject, uint32_t mask, float* outFraction, TGameObject* ignore)
{
    // Box2D asserts on a ray without length; NaN or infinite ends (a script
    // gave odd positions) have nothing to hit either.
    const b2Vec2 from(x1, y1), to(x2, y2);
    const float lengthSquared = (to - from).LengthSquared();
    if (!from.IsValid() || !to.IsValid() || !(lengthSquared > 0.0f) || !std::isfinite(lengthSquared)) return false;
    TWorld* world = CurrentWorld();
    if (!world || !world->physics) return false;

    TRayCastBulletCallback bulletCallback;
    TRayCastCallback plainCallback;
    TRayCastCallback* callback = &plainCallback;
    if (ignore) {
        bulletCallback.ignore = ignore;
        callback = &bulletCallback;
    }
    callback->mask = mask;
    callback->point.Set(x2, y2);
    callback->normal.SetZero();
    callback->object = nullptr;
    callback->hit = 0;
    world->physics->RayCast(callback, from, to);

    if (outFraction) *outFraction = callback->fraction;
    if (outPoint) *outPoint = callback->point;
    if (outNormal) *outNormal = callback->normal;
    if (outObject) *outObject = callback->object;
    return callback->hit != 0;
}

} // namespace

bool RayCast(float x1, float y1, float x2, float y2, b2Vec2* outPoint, b2Vec2* outNormal,
             TGameObject** outObject, uint32_t mask, float* outFraction, TGameObject* ignore)
{
    if (rayCastProfile && rayCastProfile->mask == mask) {
        const auto start = std::chrono::steady_clock::now();
        const bool hit = CastRay(x1, y1, x2, y2, outPoint, outNormal, outObject, mask, outFraction, ignore);
        rayCastProfile->seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++rayCastProfile->casts;
        return hit;
    }
    return CastRay(x1, y1, x2, y2, outPoint, outNormal, outObject, mask, outFraction, ignore);
}
