#include "player/Actor.h"
#include "player/items/Container.h"
#include "render/effects/Decals.h"
#include "render/effects/ParticleSystem.h"
#include "world/MathUtil.h"
#include "world/World.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

TActor::TActor() : stepCounter(float(std::rand() % 30)) {}

TActor::TActor(TWorld* w) : TMinimalObject(w), stepCounter(float(std::rand() % 30)) {}

TActor::~TActor()
{
    delete inventory;
    inventory = nullptr;
}

void TActor::SetAction(int32_t newAction)
{
    action = newAction;
}

TItem* TActor::GetCurrentItem()
{
    if (!inventory) return nullptr;
    for (TItem* item : inventory->slots)
        if (item) return item;
    return nullptr;
}

void TActor::Bleed(float x, float y, float dx, float dy, int amount)
{
    if (world && world->particles) world->particles->BloodBurst(x, y, dx, dy, amount);
    PlaceBloodDecal(12.0f * x, 12.0f * y);
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
