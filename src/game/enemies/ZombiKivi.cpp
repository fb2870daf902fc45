#include "enemies/ZombiKivi.h"
#include "audio/Mixer.h"
#include "enemies/EnemyAnimation.h"
#include "player/Player.h"
#include "render/effects/Decals.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kStoneFrame = 11;
constexpr int kWallDust = 41;
constexpr int kWallDebris = 2;
constexpr int kPlayerBlood = 10;
constexpr float kRestSpeed = 0.001f;
constexpr float kRollDrag = 0.3f;

} // namespace

TZombiKivi::TZombiKivi(float x, float y, float fx, float fy)
{
    sprite = FindSprite("spr_szombi");
    frame = float(kStoneFrame);
    shadowDist = 2.0f;
    // Let it clear the thrower's body before it can touch anything.
    collision = kCollisionModeNone;
    body = CreateCircleBody(0.2f, 0.4f, true, this, 1.0f, 1.0f);
    if (body) {
        body->SetTransform(b2Vec2(x, y), float(std::rand() % 10));
        body->ApplyForce(b2Vec2(fx, fy), body->GetWorldCenter(), true);
    }
}

void TZombiKivi::Update()
{
    age += 1;
    if (age == kHarmlessUpdates && body) {
        // Solid from now on. Pairs the physics found while it was harmless
        // were filtered out; have them found again.
        SetCollisionMode(kCollisionModeSolid);
    }
    scale -= 0.1f;
    if (scale >= 1.0f || !body) return;

    // Down: it rolls to a stop, throwing up dust.
    scale = 0.0f;
    const b2Vec2 p = body->GetPosition();
    const b2Vec2 v = body->GetLinearVelocity();
    const float speed = v.Length();
    if (world && world->particles) {
        const int dust = int(0.3f * speed / 0.1f);
        for (int i = 0; i < dust; ++i)
            world->particles->EmitDust(kPixelsPerUnit * p.x + RandomRange(-2.0f, 2.0f),
                                       kPixelsPerUnit * p.y + RandomRange(-2.0f, 2.0f),
                                       RandomRange(-0.5f, 0.5f), RandomRange(-0.5f, 0.5f));
    }
    ApplyDrag(body, kRollDrag);
    if (speed < kRestSpeed) dead = 1;
}

void TZombiKivi::Draw()
{
    if (!body) return;
    const int f = DrawableFrame(sprite, frame);
    if (f < 0) return;
    const b2Vec2 p = body->GetPosition();
    const float a = -GetAngle();
    // Height above the floor: 2 at the throw, 0 once down.
    const float height = scale > 1.0f ? scale - 1.0f : 0.0f;
    const float size = 1.0f + 0.25f * height;
    const float shadow = shadowDist + 4.0f * height;
    SetBlendMode(2);
    DrawSpriteEx(sprite, kPixelsPerUnit * p.x + shadow, kPixelsPerUnit * p.y + shadow, a, f, 1.0f, 1.0f,
                 0.0f, 0.0f, 0.0f, 0.2f);
    DrawSpriteEx(sprite, kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, a, f, size, size, 1.0f, 1.0f, 1.0f,
                 1.0f);
}

std::string TZombiKivi::GetCreateCommand()
{
    return "";
}

void TZombiKivi::OnContact(TGameObject* other, b2Vec2 point, b2Vec2, b2Vec2)
{
    if (!other || dead || collision != kCollisionModeSolid) return;
    if (other->collisionType == kCollisionWall) {
        PlaySoundAt("kivi_tabab_seina", point.x, point.y);
        if (world && world->particles) {
            for (int i = 0; i < kWallDust; ++i)
                world->particles->EmitDust(kPixelsPerUnit * point.x + RandomRange(-3.0f, 3.0f),
                                           kPixelsPerUnit * point.y + RandomRange(-3.0f, 3.0f),
                                           RandomRange(-2.0f, 2.0f), RandomRange(-2.0f, 2.0f));
        }
        for (int i = 0; i < kWallDebris; ++i)
            PlaceDecal(sprite, kStoneFrame, point.x + RandomRange(-0.15f, 0.15f),
                       point.y + RandomRange(-0.15f, 0.15f), float(std::rand() % 10));
        dead = 1;
    } else if (other->collisionType == kCollisionPlayer) {
        TPlayer* player = dynamic_cast<TPlayer*>(other);
        if (!player) return;
        PlaySound(FindSound("kivi_tabab_meest"), kMaxVolume);
        const b2Vec2 v = body ? body->GetLinearVelocity() : b2Vec2(0.0f, 0.0f);
        if (world && world->particles) world->particles->BloodBurst(point.x, point.y, v.x, v.y, kPlayerBlood);
        player->TakeHit(v.x, v.y, kDamage);
        dead = 1;
    }
}
