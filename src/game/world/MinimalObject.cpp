#include "world/MinimalObject.h"
#include "audio/Mixer.h"
#include "level/campaign/CarriedState.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/ShadowQuads.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "util/LuaQuoted.h"
#include "world/MathUtil.h"
#include "world/ObjectDefinition.h"
#include "world/Physics.h"
#include "world/World.h"
#include <GL/gl.h>
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

float saveOriginX = 0.0f;
float saveOriginY = 0.0f;

namespace {

// Frames come from scripts as floats: anything that is not a sane index draws
// nothing rather than converting out of range.
int FrameIndex(float frame)
{
    if (!(frame >= 0.0f) || frame >= 2147483520.0f) return -1;
    return int(frame);
}

// Where the field-of-view shadows point away from.
b2Vec2 ShadowViewer(const TGame* g)
{
    float x = 0.0f, y = 0.0f;
    if (g && PlayerPixelPosition(g, &x, &y)) return b2Vec2(x, y);
    return b2Vec2(12000000.0f, 12000000.0f);
}

void PlayHitSound(const char* name, b2Vec2 point)
{
    PlaySoundAt(name, point.x, point.y);
}

} // namespace

TMinimalObject* TMinimalObject::Create(float x, float y, float angle, const std::string& name,
                                       std::string* error)
{
    bool unknown = false;
    const std::optional<TObjectDefinition> definition = TObjectDefinition::Read(name, error, &unknown);
    if (unknown) std::fprintf(stderr, "ERROR: cannot create object\"%s\"! \n", name.c_str());
    if (!definition) return nullptr;
    return new TMinimalObject(x, y, angle, name, *definition);
}

TMinimalObject::TMinimalObject() = default;

TMinimalObject::TMinimalObject(TWorld* w) : TGameObject(w) {}

TMinimalObject::TMinimalObject(float x, float y, float angle, const std::string& name,
                               const TObjectDefinition& d)
    : typeName(name)
{
    frame = float(d.frame);
    fovShadows = d.fovshadows != 0;
    sprite = FindSprite(d.sprite);
    shadowDist = float(d.shadowdist);
    material = d.material;
    if (fovShadows) collisionType = kCollisionWall;

    const float mass = float(d.mass);
    if (d.collision != kCollisionModeNone) {
        const bool sensor = d.collision == kCollisionModeSensor;
        if (d.rectangle != 0)
            body = CreateBoxBody(float(d.rw) * 0.5f / kPixelsPerUnit,
                                 float(d.rh) * 0.5f / kPixelsPerUnit, mass, sensor, this, 10.0f,
                                 10.0f);
        else
            body = CreateCircleBody(float(d.rw) / kPixelsPerUnit, mass, sensor, this, 10.0f, 10.0f);
    } else {
        if (fovShadows)
            std::fprintf(stderr,
                         "ERROR: cannot create object \"%s\" with fovshadows=true and collision=0! \n",
                         name.c_str());
        // A tiny static sensor that only lets the view query find the object.
        body = CreateCircleBody(0.1f, 0.0f, true, this, 10.0f, 10.0f);
    }

    SetDepth(d.depth);
    SetPosition(b2Vec2(x, y));
    if (body && std::isfinite(angle)) body->SetTransform(body->GetPosition(), angle);
    collision = d.collision;
}

TMinimalObject::~TMinimalObject() = default;

void TMinimalObject::Update() {}

void TMinimalObject::Draw()
{
    const b2Vec2 p = GetPosition();
    const float a = -GetAngle();
    const int f = FrameIndex(frame);
    SetBlendMode(2);
    DrawSpriteTinted(sprite, kPixelsPerUnit * p.x + shadowDist, kPixelsPerUnit * p.y + shadowDist,
                     a, f, 0.0f, 0.0f, 0.0f, 0.2f);
    DrawSprite(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a, f);
}

std::string TMinimalObject::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateObject(%f,%f,%f,", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle());
    return line + LuaQuoted(typeName) + ")\n";
}

void TMinimalObject::DrawShadow()
{
    if (!fovShadows || !body) return;
    const b2Vec2 viewer = ShadowViewer(game);
    const b2Transform& xf = body->GetTransform();
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        if (f->GetType() != b2Shape::e_polygon) continue;
        const auto* polygon = static_cast<const b2PolygonShape*>(f->GetShape());
        const int n = polygon->m_count;
        // One quad per edge, from 4 pixels behind the edge to 1000 pixels away;
        // the world's draw pass sends all of a frame's quads in one draw.
        b2Vec2 nearPrev, farPrev;
        for (int i = 0; i <= n; ++i) {
            const b2Vec2 w = kPixelsPerUnit * b2Mul(xf, polygon->m_vertices[i % n]);
            b2Vec2 d = w - viewer;
            if (d.Length() >= 1.1920929e-07f) d.Normalize();
            const b2Vec2 nearPoint = w + 4.0f * d;
            const b2Vec2 farPoint = w + 1000.0f * d;
            if (i > 0) {
                const float quad[8] = {farPrev.x,   farPrev.y,   nearPrev.x, nearPrev.y,
                                       nearPoint.x, nearPoint.y, farPoint.x, farPoint.y};
                shadowQuads.Add(quad);
            }
            nearPrev = nearPoint;
            farPrev = farPoint;
        }
    }
}

void TMinimalObject::OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2)
{
    if (!other) return;
    // Light objects: actors walking into them push them along and are slowed.
    if (collision == kCollisionModeSensor && other->collision != kCollisionModeSensor &&
        (other->collisionType == kCollisionPlayer || other->collisionType == kCollisionEnemy)) {
        if (!other->body) return;
        const b2Vec2 v = other->body->GetLinearVelocity();
        if (body && body->GetType() == b2_dynamicBody) {
            body->SetAwake(true);
            body->ApplyForce(v, 0.5f * (GetPosition() + other->GetPosition()), true);
        }
        if (other->body->GetType() == b2_dynamicBody) {
            other->body->SetAwake(true);
            other->body->ApplyForce(-1.5f * v, other->GetPosition(), true);
        }
        return;
    }

    TParticleSystem* sparks = world ? world->particles : nullptr;
    TParticleSystem* smoke = world ? world->debris : nullptr;
    const float px = kPixelsPerUnit * point.x;
    const float py = kPixelsPerUnit * point.y;

    if (other->collisionType == kCollisionBullet && collisionType == kCollisionWall) {
        const bool heavy = other->BulletKind() == 2;
        auto jitteredSparks = [&](int count, bool hot) {
            if (!sparks) return;
            for (int i = 0; i < count; ++i) {
                const float s = RandomRange(4.0f, 8.0f);
                const float x = px + RandomRange(-1.0f, 1.0f);
                const float y = py + RandomRange(-1.0f, 1.0f);
                const float vx = normal.x * s + RandomRange(-2.5f, 2.5f);
                const float vy = normal.y * s + RandomRange(-2.5f, 2.5f);
                if (hot) sparks->EmitHotSpark(x, y, vx, vy);
                else sparks->EmitSpark(x, y, vx, vy);
            }
        };
        if (material == kMaterialStoneYellow) {
            PlayHitSound("kuul_tabab_kiviseina", point);
            jitteredSparks(heavy ? 21 : 11, false);
            const int hot = std::rand() % 3;
            const float s2 = RandomRange(8.0f, 12.0f);
            for (int i = 0; i < hot && sparks; ++i)
                sparks->EmitHotSpark(px, py, normal.x * s2 + RandomRange(-4.0f, 4.0f),
                                     normal.y * s2 + RandomRange(-4.0f, 4.0f));
            if (std::rand() % 5 == 0 && smoke)
                smoke->EmitFireSmoke(px, py, RandomRange(0.7f, 1.2f));
        } else if (material >= kMaterialMetalRed && material <= kMaterialMetalBlue) {
            PlayHitSound("kuul_tabab_raudseina", point);
            jitteredSparks(heavy ? 7 : 3, true);
            if (std::rand() % 5 == 0 && smoke) smoke->EmitSmoke(px, py, RandomRange(0.7f, 1.2f));
        }
        return;
    }

    if (other->collisionType == kCollisionZSpawner && fovShadows) {
        if (std::rand() % 12 == 0 && smoke) {
            const int j1 = std::rand() % 16;
            const int j2 = std::rand() % 16;
            smoke->EmitSmoke(px + float(j1) - 8.0f, py + float(j2) - 8.0f,
                             0.6f + float(std::rand() % 1000) / 2000.0f);
        }
    }
}
