#include "enemies/SnakeSegment.h"
#include "enemies/Electric.h"
#include "world/MathUtil.h"
#include "world/ObjectDefinition.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void JoinGroup(b2Body* body, int group)
{
    if (!body) return;
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        b2Filter filter = f->GetFilterData();
        filter.groupIndex = int16(group);
        f->SetFilterData(filter);
    }
}

} // namespace

TSnakeSegment* TSnakeSegment::Create(float x, float y, float angle, std::string* error)
{
    bool unknown = false;
    const std::optional<TObjectDefinition> definition =
        TObjectDefinition::Read(kSnakeSegmentKind, error, &unknown);
    if (unknown) std::fprintf(stderr, "ERROR: cannot create object\"%s\"! \n", kSnakeSegmentKind);
    if (!definition) return nullptr;
    return new TSnakeSegment(x, y, angle, *definition);
}

TSnakeSegment::TSnakeSegment(float x, float y, float angle, const TObjectDefinition& definition)
    : TMinimalObject(x, y, angle, kSnakeSegmentKind, definition)
{
    JoinGroup(body, kSnakeGroup);
}

TSnakeSegment::~TSnakeSegment()
{
    if (TElectric* a = Arc()) a->dead = 1;
}

TElectric* TSnakeSegment::Arc() const
{
    return ObjectFromHandleAs<TElectric>(arc);
}

void TSnakeSegment::Update()
{
    if (!body) return;
    const b2Vec2 p = body->GetPosition();
    const float a = body->GetAngle();
    const b2Vec2 side(-std::sin(a), std::cos(a));
    if (body->GetType() == b2_dynamicBody) {
        const float slide = b2Dot(body->GetLinearVelocity(), side);
        body->ApplyForce(-kSegmentSideFriction * slide * side, p, true);
    }

    TElectric* current = Arc();
    if (!current) {
        arc = nullptr;
        if (!Chance(kSegmentArcChance)) return;
        const float tx = p.x + RandomRange(-kSegmentArcReach, kSegmentArcReach);
        const float ty = p.y + RandomRange(-kSegmentArcReach, kSegmentArcReach);
        b2Vec2 point;
        if (RayCast(p.x, p.y, tx, ty, &point, nullptr, nullptr, kCollisionWall, nullptr, this))
            arc = new TElectric(p.x, p.y, point.x, point.y);
        return;
    }
    current->SetEnds(p, current->end);
    if (Chance(kSegmentArcEndChance)) {
        current->dead = 1;
        arc = nullptr;
    }
}
