#include "world/Sein.h"
#include "audio/Mixer.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "util/LuaQuoted.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Frames are script numbers: only sane indices draw.
int FrameIndex(float frame)
{
    if (!(frame >= 0.0f) || frame >= 2147483520.0f) return -1;
    return int(frame);
}

// (rand() mod 100 − 50) × k: the velocity jitter of wall sparks.
float Jitter(float k)
{
    return float(std::rand() % 100 - 50) * k;
}

// The pillar: a static regular octagon of radius 7/12 unit.
b2Body* CreatePillarBody(TGameObject* owner)
{
    if (!owner->world || !owner->world->physics) return nullptr;
    b2BodyDef def;
    def.type = b2_staticBody;
    def.linearDamping = 1.0f;
    def.angularDamping = 1.0f;
    def.userData.pointer = reinterpret_cast<uintptr_t>(owner);
    b2Body* body = owner->world->physics->CreateBody(&def);

    const float radius = 7.0f / 12.0f;
    b2Vec2 corners[8];
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * b2_pi / 4.0f;
        corners[i].Set(radius * std::cos(a), radius * std::sin(a));
    }
    b2PolygonShape octagon;
    octagon.Set(corners, 8);
    b2FixtureDef fixture;
    fixture.shape = &octagon;
    fixture.friction = 0.3f;
    fixture.restitution = 0.0f;
    fixture.density = 100.0f;
    body->CreateFixture(&fixture);
    return body;
}

// Half extents of a sprite frame in world units; false when there is no such frame.
bool FrameHalfExtents(const TSprite* sprite, int frame, float* hw, float* hh)
{
    if (!sprite || frame < 0 || frame >= sprite->frameCount || size_t(frame) >= sprite->frames.size())
        return false;
    *hw = sprite->frames[size_t(frame)].width * 0.5f / kPixelsPerUnit;
    *hh = sprite->frames[size_t(frame)].height * 0.5f / kPixelsPerUnit;
    return true;
}

// Sparks of one kind thrown off the wall along the normal: each from the hit
// point jittered by up to one pixel, at speed base + (rand mod 40)·step.
void ThrowSparks(TParticleSystem* sparks, int count, bool hot, float px, float py, b2Vec2 n,
                 float step, float jitter)
{
    if (!sparks) return;
    for (int i = 0; i < count; ++i) {
        const float x = px + float(std::rand() % 10) / 10.0f - 1.0f;
        const float y = py + float(std::rand() % 10) / 10.0f - 1.0f;
        const float s = float(std::rand() % 40) * step + 4.0f;
        const float vx = s * n.x + Jitter(jitter);
        const float vy = s * n.y + Jitter(jitter);
        if (hot) sparks->EmitHotSpark(x, y, vx, vy);
        else sparks->EmitSpark(x, y, vx, vy);
    }
}

// A few fast hot sparks straight from the hit point.
void ThrowFastSparks(TParticleSystem* sparks, int count, float px, float py, b2Vec2 n)
{
    if (!sparks) return;
    for (int i = 0; i < count; ++i) {
        const float s2 = float(std::rand() % 40) * 0.1f + 8.0f;
        const float vx = s2 * n.x + Jitter(0.08f);
        const float vy = s2 * n.y + Jitter(0.08f);
        sparks->EmitHotSpark(px, py, vx, vy);
    }
}

float PuffSize()
{
    return float(std::rand() % 1000) / 2000.0f + 0.7f;
}

} // namespace

const char* WallBlockSpriteName(int type)
{
    switch (type) {
    case kBlockWall: return "spr_sein";
    case kBlockSmallWall: return "spr_vsein";
    case kBlockPillar: return "spr_sammas";
    case kBlockLongMetal: return "spr_pikksein";
    case kBlockLongJagged: return "spr_sakilinesein";
    case kBlockDoorLeaf: return "spr_uks";
    case kBlockBreakable: return "spr_puustuks";
    default: return "";
    }
}

TSein::TSein()
{
    shadowDist = 1.0f;
    collisionType = kCollisionWall;
    seen = 0;
}

TSein::TSein(float x, float y, float angle, float value, int blockType) : TSein()
{
    type = blockType;
    frame = value;
    sprite = FindSprite(WallBlockSpriteName(blockType));
    fovShadows = 1;
    material = kMaterialStoneYellow;
    int d = 10;
    // The long wall pieces are 7 x 20.5 pixels.
    const float longHalfWidth = 0.583333f;
    const float longHalfHeight = 1.708333f;
    switch (blockType) {
    case kBlockSmallWall:
        body = CreateBoxBody(0.25f, 0.25f, 0.0f, false, this, 1.0f, 1.0f);
        d = value == 1.0f ? 6 : 8;
        break;
    case kBlockPillar:
        body = CreatePillarBody(this);
        angle = float(std::rand() % 1000) / 100.0f;
        break;
    case kBlockLongMetal:
        body = CreateBoxBody(longHalfWidth, longHalfHeight, 0.0f, false, this, 1.0f, 1.0f);
        material = kMaterialMetalRed;
        break;
    case kBlockLongJagged:
        body = CreateBoxBody(longHalfWidth, longHalfHeight, 0.0f, false, this, 1.0f, 1.0f);
        break;
    case kBlockDoorLeaf:
        body = CreateBoxBody(0.5f, 0.25f, 0.0f, false, this, 1.0f, 1.0f);
        if (body) body->SetType(b2_kinematicBody);
        d = 7;
        // The leaf's kind picks its look and its hit reaction alike.
        material = std::isfinite(value) ? int(std::trunc(value)) : 0;
        break;
    default:
        body = CreateBoxBody(1.0f, 1.0f, 0.0f, false, this, 1.0f, 1.0f);
        break;
    }
    SetDepth(d);
    PlaceBody(x, y, angle);
}

TSein::TSein(float x, float y, float angle, const std::string& name, int spriteFrame,
             int blockMaterial)
    : TSein()
{
    type = kBlockNamedSprite;
    spriteName = name;
    frame = float(spriteFrame);
    material = blockMaterial;
    fovShadows = 0;
    sprite = FindSprite(name);
    float hw = 0.5f, hh = 0.5f;
    if (!FrameHalfExtents(sprite, spriteFrame, &hw, &hh)) {
        std::fprintf(stderr, "ERROR: block sprite \"%s\" has no frame %d!\n", name.c_str(),
                     spriteFrame);
        hw = hh = 0.5f;
    }
    body = CreateBoxBody(hw, hh, 0.0f, false, this, 1.0f, 1.0f);
    SetDepth(10);
    PlaceBody(x, y, angle);
}

void TSein::PlaceBody(float x, float y, float angle)
{
    SetPosition(b2Vec2(x, y));
    if (body && std::isfinite(angle)) body->SetTransform(body->GetPosition(), angle);
}

void TSein::Draw()
{
    const b2Vec2 p = GetPosition();
    const float a = -GetAngle();
    const int f = FrameIndex(frame);
    SetBlendMode(2);
    DrawSpriteEx(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a, f, 1.14f, 1.14f, 0.0f,
                 0.0f, 0.0f, 0.1f);
    DrawSprite(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a, f);
}

std::string TSein::GetCreateCommand()
{
    if (type == kBlockDoorLeaf) return "";
    const b2Vec2 p = GetPosition();
    const int value = FrameIndex(frame) < 0 ? 0 : int(frame);
    char line[160];
    if (type == kBlockNamedSprite) {
        std::snprintf(line, sizeof line, "CreateBlock2(%f,%f,%f,", p.x - saveOriginX,
                      p.y - saveOriginY, GetAngle());
        char tail[48];
        std::snprintf(tail, sizeof tail, ",%d,%d)\n", value, material);
        return line + LuaQuoted(spriteName) + tail;
    }
    std::snprintf(line, sizeof line, "CreateBlock(%f,%f,%f,%d,%d)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle(), value, type);
    return line;
}

void TSein::OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2)
{
    if (!other || !world) return;
    const float px = kPixelsPerUnit * point.x;
    const float py = kPixelsPerUnit * point.y;
    TParticleSystem* sparks = world->particles;
    TParticleSystem* smoke = world->debris;

    if (other->collisionType == kCollisionBullet) {
        const bool plain = other->BulletKind() == 0;
        if (material == kMaterialStoneYellow) {
            PlaySoundAt("kuul_tabab_kiviseina", point.x, point.y);
            if (plain) {
                ThrowSparks(sparks, 11, false, px, py, normal, 0.1f, 0.05f);
                ThrowFastSparks(sparks, std::rand() % 3, px, py, normal);
            } else {
                ThrowSparks(sparks, 21, false, px, py, normal, 0.15f, 0.03f);
            }
            if (std::rand() % 5 == 0 && smoke) smoke->EmitFireSmoke(px, py, PuffSize());
        } else if (material == kMaterialMetalRed || material == kMaterialMetalGrey) {
            PlaySoundAt("kuul_tabab_raudseina", point.x, point.y);
            if (plain) {
                ThrowSparks(sparks, 3, true, px, py, normal, 0.1f, 0.05f);
                ThrowFastSparks(sparks, std::rand() % 3, px, py, normal);
            } else {
                ThrowSparks(sparks, 7, true, px, py, normal, 0.15f, 0.03f);
            }
            if (std::rand() % 5 == 0 && smoke) smoke->EmitSmoke(px, py, PuffSize());
        }
        return;
    }

    // Laser beams carry the spawner bit.
    if (other->collisionType == kCollisionZSpawner && std::rand() % 12 == 0 && smoke) {
        const float x = px + float(std::rand() % 16 - 8);
        const float y = py + float(std::rand() % 16 - 8);
        smoke->EmitSmoke(x, y, float(std::rand() % 1000) / 2000.0f + 0.6f);
    }
}
