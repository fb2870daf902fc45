#include "player/Actor.h"
#include "core/Game.h"
#include "render/ParticleSystem.h"
#include "render/Sprite.h"
#include "world/FloorBitmap.h"
#include "world/MathUtil.h"
#include "world/World.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

bool (*bulletDamageOf)(TGameObject* bullet, float* damage, float* piercing) = nullptr;
bool (*explosionStrengthOf)(TGameObject* explosion, float* strength) = nullptr;

namespace {

// Most particles one Bleed throws.
constexpr int kMaxBleedParticles = 20;

} // namespace

void EmitBloodParticle(TWorld* world, float x, float y, float vx, float vy)
{
    if (!world || !world->particles) return;
    TParticle& p = world->particles->Spawn();
    p.kind = TParticle::kPoint;
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    p.vx = vx;
    p.vy = vy;
    p.damping = 0.8f;
    p.lifetime = 15 + std::rand() % 15;
    p.startColor[0] = 0.55f; p.startColor[1] = 0.02f; p.startColor[2] = 0.02f; p.startColor[3] = 1.0f;
    p.endColor[0] = 0.3f; p.endColor[1] = 0.0f; p.endColor[2] = 0.0f; p.endColor[3] = 0.0f;
}

void PlaceBloodDecal(float pixelX, float pixelY)
{
    const TSprite* blood = FindSprite("spr_veri");
    const int frame = std::rand() % 8;
    if (!TFloorBitmap::HasFrame(blood, frame)) return;
    const float angle = float(std::rand() % 100);
    new TFloorBitmap(pixelX / 12.0f, pixelY / 12.0f, angle, *blood, frame);
}

TActor::TActor() : stepCounter(float(std::rand() % 30)) {}

TActor::TActor(TWorld* w) : TMinimalObject(w), stepCounter(float(std::rand() % 30)) {}

TActor::~TActor() = default;

void TActor::SetAction(int32_t newAction)
{
    action = newAction;
}

TItem* TActor::GetCurrentItem()
{
    return nullptr;
}

void TActor::Bleed(float x, float y, float dx, float dy, int amount)
{
    const int count = std::min(amount, kMaxBleedParticles);
    for (int i = 0; i < count; ++i)
        EmitBloodParticle(world, x * 12.0f, y * 12.0f, dx + RandomRange(-1.5f, 1.5f),
                          dy + RandomRange(-1.5f, 1.5f));
    PlaceBloodDecal(12.0f * x + float(std::rand() % 3) - 1.0f,
                    12.0f * y + float(std::rand() % 3) - 1.0f);
}

float TActor::ApplyArmoredDamage(float damage, float piercing)
{
    const float armorLeft = armor >= 0.0f ? armor : 0.0f;
    const float factor = (100.0f - armorLeft) / 100.0f;
    const float passing = damage * piercing / 100.0f;
    const float blocked = damage * (100.0f - piercing) / 100.0f * factor;
    health -= passing + blocked;
    armor = armorLeft - passing;
    if (armor < 0.0f) armor = 0.0f;
    return passing + blocked;
}

void TActor::HitByBullet(float, float, float damage, float piercing)
{
    ApplyArmoredDamage(damage, piercing);
}

void TActor::TakeHit(float, float, float damage)
{
    health -= damage;
}

void TActor::KnockDown(float vx, float vy, float damage)
{
    TakeHit(vx, vy, damage);
}

void TActor::HitByExplosion(float x, float y, float strength)
{
    b2Vec2 away = GetPosition() - b2Vec2(x, y);
    away.Normalize();
    TakeHit(away.x * 4.0f * strength, away.y * 4.0f * strength, 3.0f * strength);
}

void TActor::Stabbed(float vx, float vy, float damage)
{
    TakeHit(vx, vy, damage);
}
