#include "player/weapons/TimeBomb.h"
#include "audio/Mixer.h"
#include "player/Actor.h"
#include "player/items/Container.h"
#include "player/weapons/Kuul.h"
#include "render/Camera.h"
#include "render/effects/Decals.h"
#include "world/MathUtil.h"
#include "world/Plahvatus.h"
#include <box2d/box2d.h>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

TTimeBomb* TTimeBomb::Create(float x, float y, const std::string& name, std::string* error)
{
    Entry entry;
    if (!ReadEntry(name, &entry, error)) return nullptr;
    int delay = 0, nails = 0;
    double radius = 0.0, throwSpeed = 0.0;
    if (!entry.table.GetInteger("delay", &delay, error) ||
        !entry.table.GetInteger("nailcount", &nails, error) ||
        !entry.table.GetNumber("radius", &radius, error) ||
        !entry.table.GetNumber("throwspeed", &throwSpeed, error))
        return nullptr;
    if (nails < 0 || nails > kMaxBombNails) {
        std::fprintf(stderr, "ERROR: item \"%s\": nailcount %d is outside 0..%d, using %d\n",
                     name.c_str(), nails, kMaxBombNails, nails < 0 ? 0 : kMaxBombNails);
        nails = nails < 0 ? 0 : kMaxBombNails;
    }
    return new TTimeBomb(x, y, entry, delay, nails, float(radius), float(throwSpeed));
}

TTimeBomb::TTimeBomb(float x, float y, const Entry& entry, int d, int nails, float r, float speed)
    : TItem(x, y, entry), delay(d), nailCount(nails), radius(r), throwSpeed(speed)
{
}

bool TTimeBomb::Activate()
{
    TActor* holder = Holder();
    fuse = delay;
    if (container) container->RemoveItem(this);
    if (!body) return true;
    body->SetTransform(body->GetPosition(), float(std::rand() % 100) / 100.0f);
    if (holder && holder->action == kActionAim) {
        const float a = holder->GetAngle();
        body->ApplyForceToCenter(throwSpeed * b2Vec2(std::cos(a), std::sin(a)), true);
        body->SetAngularVelocity(float(std::rand() % 40) * 0.25f);
    }
    return true;
}

void TTimeBomb::Update()
{
    // An unarmed bomb counts on below -1 and never reaches 0.
    if (fuse > INT_MIN) --fuse;
    if (fuse == 0 && !dead) Explode();
    if (!body) return;
    if (b2Fixture* fixture = body->GetFixtureList())
        fixture->SetSensor(!(body->GetLinearVelocity().LengthSquared() > 1.0f));
}

void TTimeBomb::Explode()
{
    const b2Vec2 p = GetPosition();
    dead = 1;
    new TPlahvatus(p.x, p.y, radius);
    ThrowNails(p.x, p.y);
    cameraShake = kBombCameraShake;
    PlaySoundAt("explosion", p.x, p.y);
    PlaceDecal("spr_kraater1", 0, p.x, p.y, RandomRange(-float(M_PI), float(M_PI)));
}

void TTimeBomb::ThrowNails(float x, float y)
{
    for (int i = 0; i < nailCount; ++i) {
        const float angle = float(std::rand() % 3600) / 100.0f;
        const float speed = float(std::rand() % 40);
        const float range = float(std::rand() % 2);
        new TKuul(x, y, angle, speed, 7.0f, range, 5, kBulletNail, nullptr);
    }
}
