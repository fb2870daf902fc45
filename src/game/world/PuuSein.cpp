#include "world/PuuSein.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/Physics.h"
#include "world/World.h"
#include <cstdio>
#include <cstdlib>

namespace {

float Jitter(float k)
{
    return float(std::rand() % 100 - 50) * k;
}

} // namespace

TPuuSein::TPuuSein(float x, float y, float angle, float value, int stored)
    : storedValue(stored)
{
    type = kBlockBreakable;
    frame = value;
    material = kMaterialWoodDestructable;
    fovShadows = 0;
    sprite = FindSprite(WallBlockSpriteName(kBlockBreakable));
    // The body is as big as the intact block's picture; without the art, the
    // size of a standard 24-pixel wall block.
    float hw = 1.0f, hh = 1.0f;
    if (sprite && sprite->frameCount > 0 && !sprite->frames.empty()) {
        hw = sprite->frames[0].width * 0.5f / kPixelsPerUnit;
        hh = sprite->frames[0].height * 0.5f / kPixelsPerUnit;
    }
    body = CreateBoxBody(hw, hh, 0.0f, false, this, 1.0f, 1.0f);
    SetDepth(10);
    PlaceBody(x, y, angle);
}

int TPuuSein::CurrentFrame() const
{
    if (!(health > 0.0f)) return -1;
    return 3 - int(health);
}

void TPuuSein::Draw()
{
    const int f = CurrentFrame();
    if (f < 0) return;
    const b2Vec2 p = GetPosition();
    SetBlendMode(2);
    DrawSprite(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, -GetAngle(), f);
}

std::string TPuuSein::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    const int value = (frame >= 0.0f && frame < 2147483520.0f) ? int(frame) : 0;
    char line[160];
    std::snprintf(line, sizeof line, "CreateBlock(%f,%f,%f,%d,%d,%d)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle(), value, kBlockBreakable, storedValue);
    return line;
}

void TPuuSein::OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity)
{
    if (!other) return;
    if (other->collisionType != kCollisionBullet) {
        TSein::OnContact(other, point, normal, relativeVelocity);
        return;
    }
    const float px = kPixelsPerUnit * point.x;
    const float py = kPixelsPerUnit * point.y;
    if (TParticleSystem* particles = world ? world->particles : nullptr) {
        for (int i = 0; i < 21; ++i) {
            const float x = px + float(std::rand() % 30) / 10.0f - 3.0f;
            const float y = py + float(std::rand() % 30) / 10.0f - 3.0f;
            float s = float(std::rand() % 40) * 0.1f + 4.0f;
            // Most splinters fly back through the hole the bullet made.
            if ((std::rand() & 3) != 0) s = -s;
            particles->EmitDust(x, y, s * normal.x + Jitter(0.05f), s * normal.y + Jitter(0.05f));
        }
    }
    health -= 0.25f;
    if (health == 0.0f) dead = 1;
}
