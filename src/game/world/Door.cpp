#include "world/Door.h"
#include "audio/Mixer.h"
#include "core/CurrentScreen.h"
#include "world/Physics.h"
#include "world/UkseSein.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>

TDoor::TDoor(float x, float y, float angle, int doorKind) : kind(doorKind)
{
    collisionType = kCollisionDoor;
    body = CreateCircleBody(1.5f, 1.0f, true, this, 1000.0f, 1000.0f);
    SetPosition(b2Vec2(x, y));
    if (body && std::isfinite(angle)) body->SetTransform(body->GetPosition(), angle);
    SetDepth(12);
    leafA = new TUkseSein(x, y, angle, float(doorKind), this);
    leafB = new TUkseSein(x, y, angle, float(doorKind), this);
    PlaceLeaves();
}

TDoor::~TDoor()
{
    StopSound();
    if (!dead) return;
    // The leaves may already be gone (a clear deletes in list order).
    if (TUkseSein* a = LeafA()) a->dead = 1;
    if (TUkseSein* b = LeafB()) b->dead = 1;
}

TUkseSein* TDoor::LeafA() const
{
    TUkseSein* leaf = ObjectFromHandleAs<TUkseSein>(static_cast<const TGameObject*>(leafA));
    return leaf == leafA ? leaf : nullptr;
}

TUkseSein* TDoor::LeafB() const
{
    TUkseSein* leaf = ObjectFromHandleAs<TUkseSein>(static_cast<const TGameObject*>(leafB));
    return leaf == leafB ? leaf : nullptr;
}

void TDoor::PlaceLeaves()
{
    const b2Vec2 p = GetPosition();
    const float a = GetAngle();
    const b2Vec2 d(std::cos(-a) * opening / kPixelsPerUnit, std::sin(a) * opening / kPixelsPerUnit);
    if (TUkseSein* b = LeafB(); b && b->body) b->body->SetTransform(p + d, a);
    if (TUkseSein* l = LeafA(); l && l->body) l->body->SetTransform(p - d, a);
}

void TDoor::StartSound()
{
    if (soundChannel != -1) return;
    const b2Vec2 p = GetPosition();
    soundChannel = PlaySoundAt("uks", p.x, p.y);
}

void TDoor::StopSound()
{
    if (soundChannel == -1) return;
    HaltChannel(soundChannel);
    soundChannel = -1;
}

void TDoor::Open()
{
    openTimer = kDoorOpenTime;
    // The sound goes with the motion: a door already opening or held open by
    // someone standing in it stays quiet.
    if (doorState == kOpening || doorState == kOpen) return;
    StartSound();
    doorState = kOpening;
}

void TDoor::Close()
{
    if (doorState == kClosed) return;
    StartSound();
    doorState = kClosing;
}

void TDoor::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (!other) return;
    if (other->collisionType == kCollisionPlayer) Open();
    else if (other->collisionType == kCollisionEnemy && doorState != kNeverOpened) Open();
}

void TDoor::Update()
{
    switch (doorState) {
    case kClosed:
        StopSound();
        break;
    case kClosing:
        opening -= kDoorSpeed;
        if (opening < kDoorClosedOpening) {
            opening = kDoorClosedOpening;
            doorState = kClosed;
            StopSound();
        }
        PlaceLeaves();
        break;
    case kOpening:
        opening += kDoorSpeed;
        if (opening > kDoorOpenOpening) {
            opening = kDoorOpenOpening;
            doorState = kOpen;
        }
        PlaceLeaves();
        break;
    case kOpen:
        --openTimer;
        StopSound();
        if (openTimer < 0) Close();
        break;
    default:
        break;
    }
}

void TDoor::Draw()
{
    if (!CurrentScreenIsEditor()) return;
    PlaceLeaves();
    if (TUkseSein* a = LeafA()) a->selected = 0;
    if (TUkseSein* b = LeafB()) b->selected = 0;
}

std::string TDoor::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[160];
    std::snprintf(line, sizeof line, "CreateDoor(%f,%f,%f,%d)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle(), kind);
    return line;
}
