#pragma once
#include <box2d/b2_math.h>
#include <cstdint>
#include <memory>

class b2Body;
class b2Fixture;
class b2World;
class TGameObject;

// Collision types: one bit per kind of thing (TGameObject::collisionType).
// object.GetCollisionType names them by bit index.
constexpr int32_t kCollisionNull = 1;
constexpr int32_t kCollisionWall = 2;
constexpr int32_t kCollisionPlayer = 4;
constexpr int32_t kCollisionBullet = 8;
constexpr int32_t kCollisionEnemy = 16;
constexpr int32_t kCollisionExplosion = 32;
constexpr int32_t kCollisionDoor = 64;
constexpr int32_t kCollisionLaser = 128;
constexpr int32_t kCollisionZSpawner = 256;  // laser beams carry this bit
constexpr int32_t kCollisionTrigger = 512;   // triggers and zombie spawners
// What bullets hit: wall, player, enemy.
constexpr uint32_t kBulletMask = 0x16;

// Collision modes (TGameObject::collision).
constexpr int32_t kCollisionModeNone = 0;    // no contact at all, invisible to rays
constexpr int32_t kCollisionModeSolid = 1;
constexpr int32_t kCollisionModeSensor = 2;  // touches but does not push

// World units to pixels.
constexpr float kPixelsPerUnit = 12.0f;
// One physics step.
constexpr float kPhysicsTimeStep = 1.0f / 30.0f;
constexpr int kVelocityIterations = 7;
constexpr int kPositionIterations = 7;

// A fresh physics world: no gravity, continuous collision, the program's one
// contact filter, contact listener and debug drawer (shapes and joints).
std::unique_ptr<b2World> CreatePhysicsWorld();

// Body builders. The body is made in the owner's world with the owner as user
// data, at the origin with angle 0; the creator then moves it with
// SetPosition. Fixture: friction 0, restitution 0.5, category 1, mask 0xFFFF,
// group 0, density = mass. Null when the owner has no world.
// Circle: static when mass is exactly 0, else dynamic.
b2Body* CreateCircleBody(float radius, float mass, bool sensor, TGameObject* owner,
                         float linearDamping, float angularDamping);
// Box centred on the origin: dynamic when mass > 0, else static.
b2Body* CreateBoxBody(float halfWidth, float halfHeight, float mass, bool sensor,
                      TGameObject* owner, float linearDamping, float angularDamping);
// A circle at (x, y) in the body frame on an existing body.
b2Fixture* AddCircleFixture(float x, float y, float radius, float density, bool sensor,
                            b2Body* body);

// The game object a body or fixture belongs to (null when none).
TGameObject* ObjectOfBody(const b2Body* body);
TGameObject* ObjectOfFixture(const b2Fixture* fixture);

// Calls OnContact on both objects of every touching contact of the world, in
// contact-list order, with the first world-manifold point, its normal (from A
// to B) and the velocity of A minus that of B at the point.
void RunContactPass(b2World* world);

// Casts a ray through game->world's physics from (x1, y1) to (x2, y2) and
// reports the closest accepted hit: a non-sensor fixture of an object with
// collision mode 1, a collision type sharing a bit with mask, and not the
// ignore object. A hit below fraction 0.0001 ends the cast at once. Out
// arguments (each may be null) are written only when the segment has a length:
// point (end point when nothing was hit), normal, object, fraction. Returns hit.
bool RayCast(float x1, float y1, float x2, float y2, b2Vec2* outPoint, b2Vec2* outNormal,
             TGameObject** outObject, uint32_t mask, float* outFraction,
             TGameObject* ignore = nullptr);

// Counts and times the ray casts of one mask (kBulletMask: the bullets') for
// the benchmarks. Off (null) in the game: RayCast then only tests the pointer.
struct TRayCastProfile {
    uint32_t mask = 0;
    int64_t casts = 0;
    double seconds = 0.0;
};
extern TRayCastProfile* rayCastProfile;
