#include "player/weapons/Kuul.h"
#include "level/campaign/LevelProgress.h"
#include "player/Actor.h"
#include "player/Player.h"
#include "render/GLState.h"
#include "render/effects/Particle.h"
#include "render/effects/ParticleSystem.h"
#include "render/ScreenDistortion.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "util/FreeList.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <cmath>
#include <cstdlib>

namespace {

// The burst an exploding bullet leaves where it strikes: the animated
// "spr_l6hkekuuli_plahvatus" on the small particle system.
void EmitHitBurst(TWorld* world, float x, float y)
{
    if (!world || !world->debris) return;
    TSprite* sprite = FindSprite("spr_l6hkekuuli_plahvatus");
    if (!sprite || sprite->frameCount < 1) return;
    TParticle& p = world->debris->Spawn();
    p.x = p.prevX = x;
    p.y = p.prevY = y;
    p.kind = TParticle::kSpriteAdditive;
    p.sprite = sprite;
    p.startFrame = 0;
    p.endFrame = sprite->frameCount < 12 ? sprite->frameCount - 1 : 11;
    p.lifetime = sprite->frameCount > 1 ? sprite->frameCount - 1 : 1;
    p.angle = float(std::rand() % 10);
    for (int i = 0; i < 4; ++i) p.startColor[i] = p.endColor[i] = 1.0f;
}

} // namespace

void* TKuul::operator new(std::size_t size) { return TakeBlock(ClassBlocks<TKuul>(), size); }

void TKuul::operator delete(void* block, std::size_t size) { GiveBlock(ClassBlocks<TKuul>(), block, size); }

TKuul::TKuul(float x, float y, float angle, float speed, float dmg, float range, int piercing,
             int type, TActor* from)
{
    collisionType = kCollisionBullet;
    alwaysDraw = 1;
    position = previous = spawn = b2Vec2(x * kPixelsPerUnit, y * kPixelsPerUnit);
    const float scale = speed * float(80 + std::rand() % 40) / 100.0f;
    velocity = b2Vec2(std::cos(angle) * scale, -std::sin(angle) * scale);
    if (!position.IsValid() || !velocity.IsValid()) {
        // A shot from nowhere or in no direction: nothing to fly or to cast.
        position = previous = spawn = b2Vec2(0.0f, 0.0f);
        velocity = b2Vec2(0.0f, 0.0f);
        dead = 1;
    }
    life = std::isfinite(range) && std::fabs(range) < 1e9f ? int(range) : 0;
    maxLife = range;
    // rand() % pierce must never divide by zero.
    pierce = piercing < 1 ? 1 : piercing;
    bulletType = type;
    damage = dmg;
    shooter = from;
    sprite = FindSprite("spr_kuul");
    firedByPlayer = from && static_cast<TGameObject*>(CurrentPlayer()) == from;
    TLevelProgress* progress = CurrentProgress();
    if (firedByPlayer && progress) ++progress->shots;
}

bool TKuul::BulletDamage(float* damageOut, float* piercing) const
{
    if (dead) return false;
    if (damageOut) *damageOut = damage;
    if (piercing) *piercing = float(pierce);
    return true;
}

void TKuul::Update()
{
    life -= 1;
    position += velocity;

    b2Vec2 point(0.0f, 0.0f), normal(0.0f, 0.0f);
    TGameObject* hit = nullptr;
    const b2Vec2 from = (1.0f / kPixelsPerUnit) * previous;
    const b2Vec2 to = (1.0f / kPixelsPerUnit) * position;
    if (RayCast(from.x, from.y, to.x, to.y, &point, &normal, &hit, kBulletMask, nullptr, shooter) &&
        hit) {
        hit->OnContact(this, point, normal, to - from);
        if (bulletType == kBulletExploding)
            EmitHitBurst(world, point.x * kPixelsPerUnit, point.y * kPixelsPerUnit);
        position = kPixelsPerUnit * point;
        if (hit->collisionType & (kCollisionWall | kCollisionPlayer)) {
            stopped = 1;
        } else if (hit->collisionType & kCollisionEnemy) {
            if (firedByPlayer && !countsAsHit) {
                countsAsHit = 1;
                if (TLevelProgress* progress = CurrentProgress()) ++progress->hits;
            }
            if (std::rand() % pierce < kPierceThreshold) {
                dead = 1;
            } else {
                pierce -= 10;
                damage *= 0.5f;
                if (pierce < 1) {
                    pierce = 1;
                    dead = 1;
                }
                position += 0.01f * velocity;
                const float heading = std::atan2(velocity.y, velocity.x) +
                                      float(std::rand() % 10 - std::rand() % 10) / 1000.0f;
                const float speed =
                    velocity.Length() * (0.5f + float(std::rand() % 1000) / 2000.0f);
                velocity = b2Vec2(std::cos(heading) * speed, std::sin(heading) * speed);
            }
        }
    }
    if (life < 0) dead = 1;
}

void TKuul::Draw()
{
    if (bulletType == kBulletNail) {
        SetBlendMode(4);
    } else {
        SetBlendMode(1);
    }
    const float c = bulletType == kBulletNail ? 0.6f : 1.0f;
    if (Speed() > 30.0f) {
        const b2Vec2 a = previous - 0.1f * velocity;
        const b2Vec2 b = position + 0.1f * velocity;
        DrawThickLine(a.x, a.y, b.x, b.y, c, c, c, 0.1f, 6.0f);
    }
    DrawThickLine(previous.x, previous.y, position.x, position.y, c, c, c, 1.0f, 2.0f);
    // The head of the bullet, frame by type, pointing where it flies.
    if (velocity.LengthSquared() > 0.0f)
        DrawSpriteTinted(sprite, position.x, position.y, -std::atan2(velocity.y, velocity.x),
                         bulletType, c, c, c, 1.0f);
    SetBlendMode(4);
    FinishFrame();
}

void TKuul::FinishFrame()
{
    previous = position;
    if (stopped) dead = 1;
}

void TKuul::DrawIfVisible()
{
    Draw();
}

void TKuul::DrawLate()
{
    if (skipTrail) {
        skipTrail = 0;
        return;
    }
    if (screenDistortion)
        screenDistortion->AddStreak(position.x, position.y, velocity.x, velocity.y, 3.0f,
                                    std::rand() % 2);
}
