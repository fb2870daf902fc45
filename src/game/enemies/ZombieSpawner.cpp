#include "enemies/ZombieSpawner.h"
#include "audio/Mixer.h"
#include "core/CurrentScreen.h"
#include "enemies/Zombi.h"
#include "player/items/Item.h"
#include "player/Player.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "script/ScriptHost.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float kSpawnerRadius = 5.0f;
constexpr float kRingPixels = 60.0f;
constexpr float kInnerRingPixels = 6.0f;

} // namespace

float DetectorAlpha(float distance)
{
    if (distance <= kDetectorNear) return 1.0f;
    if (distance >= kDetectorFar) return 0.0f;
    return (kDetectorFar - distance) / (kDetectorFar - kDetectorNear);
}

TZombieSpawner::TZombieSpawner(float x, float y, float angle, int zombies) : count(zombies)
{
    collisionType = kCollisionTrigger;
    SetDepth(12);
    body = CreateCircleBody(kSpawnerRadius, 1.0f, true, this, 1000.0f, 1000.0f);
    if (body) body->SetTransform(b2Vec2(x, y), angle);
    if (world) world->enemyCounts["zombie"] += count;
    CallScriptFunction("AddToRndTable",
                       {ScriptValue::Pointer(static_cast<TGameObject*>(this)),
                        ScriptValue::String("zombie_spawner")},
                       0, ScriptErrors::Console);
}

void TZombieSpawner::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (!other || other->collisionType != kCollisionPlayer) return;
    const b2Vec2 p = GetPosition();
    const b2Vec2 q = other->GetPosition();
    if (!RayCast(p.x, p.y, q.x, q.y, nullptr, nullptr, nullptr, kCollisionWall, nullptr)) triggered = 1;
}

void TZombieSpawner::Update()
{
    phase += 0.01f;
    if (triggered && !dead && std::rand() % 4 == 0) Release();
}

void TZombieSpawner::Release()
{
    const b2Vec2 p = GetPosition();
    const float angle = GetAngle() + float(std::rand() % 200 - std::rand() % 200) / 400.0f;
    const float jx = float(std::rand() % 100 - std::rand() % 100) / 500.0f;
    const float jy = float(std::rand() % 100 - std::rand() % 100) / 500.0f;
    TZombi* zombie = new TZombi(p.x + jx, p.y + jy, 0);
    if (zombie->body) {
        zombie->body->SetTransform(zombie->body->GetPosition(), angle);
        const float speed = float(200 + std::rand() % 200) / 250.0f;
        zombie->body->SetLinearVelocity(speed * b2Vec2(std::cos(angle), std::sin(angle)));
    }
    zombie->SetAction(kActionWalk);
    zombie->holdTimer = 15;
    if (TPlayer* player = CurrentPlayer()) {
        zombie->SetTarget(player);
        const b2Vec2 q = player->GetPosition();
        zombie->goalX = q.x;
        zombie->goalY = q.y;
    }
    PlaySoundAt("zombi_random_h22l", p.x, p.y);
    // Counted in advance when the spawner was made.
    if (world) world->enemyCounts["zombie"] -= 1;
    count -= 1;
    if (count < 0) dead = 1;
}

void TZombieSpawner::Draw()
{
    const b2Vec2 p = GetPosition();
    const float px = kPixelsPerUnit * p.x;
    const float py = kPixelsPerUnit * p.y;
    if (CurrentScreenIsEditor()) {
        DrawCircle(px, py, kRingPixels, 1.0f, 1.0f, 1.0f, 1.0f);
        DrawCircle(px, py, kInnerRingPixels, 1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    TPlayer* player = CurrentPlayer();
    if (!player) return;
    TItem* item = player->GetCurrentItem();
    if (!item || item->itemName != "detector") return;
    const b2Vec2 q = player->GetPosition();
    const float d = Distance(p.x, p.y, q.x, q.y);
    if (d > kDetectorFar) return;
    SetBlendMode(2);
    DrawDashedCircle(px, py, kRingPixels, phase, 1.0f, 1.0f, 1.0f, DetectorAlpha(d));
}

std::string TZombieSpawner::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateZSpawner(%f,%f,%f,zspawncount)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle());
    return line;
}
