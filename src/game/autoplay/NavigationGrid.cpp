#include "autoplay/NavigationGrid.h"
#include "player/Actor.h"
#include "player/items/Item.h"
#include "world/Kast.h"
#include "world/Physics.h"
#include "world/PuuSein.h"
#include "world/Sein.h"
#include "world/UkseSein.h"
#include "world/World.h"
#include <algorithm>
#include <box2d/box2d.h>
#include <cmath>

namespace {

using Cell = TNavigationGrid::Cell;

// Heavier loose things do not move far enough when walked into.
constexpr float kPushableMass = 20.0f;

// How an obstacle counts, or Open for things that never stand in the way
// (actors, items, sensors, effects).
Cell Kind(TGameObject* object, const b2Body* body)
{
    if (!object || object->collision != kCollisionModeSolid) return Cell::Open;
    if (dynamic_cast<TActor*>(object) || dynamic_cast<TItem*>(object)) return Cell::Open;
    if (object->collisionType & (kCollisionBullet | kCollisionExplosion | kCollisionLaser)) return Cell::Open;
    if (dynamic_cast<TUkseSein*>(object)) return Cell::Door;
    if (dynamic_cast<TPuuSein*>(object)) return Cell::Breakable;
    if (dynamic_cast<TSein*>(object)) return Cell::Blocked;
    if (body->GetType() == b2_dynamicBody && body->GetMass() <= kPushableMass) return Cell::Pushable;
    return Cell::Blocked;
}

} // namespace

void TNavigationGrid::Build(TWorld& world)
{
    width = height = 0;
    cells.clear();
    if (!world.physics) return;

    // The level's extent: every solid fixture's box.
    b2AABB bounds;
    bounds.lowerBound.Set(0.0f, 0.0f);
    bounds.upperBound.Set(0.0f, 0.0f);
    bool any = false;
    for (b2Body* body = world.physics->GetBodyList(); body; body = body->GetNext()) {
        if (Kind(ObjectOfBody(body), body) == Cell::Open) continue;
        for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
            if (f->IsSensor()) continue;
            const b2AABB box = f->GetAABB(0);
            if (!box.IsValid()) continue;  // a body thrown to infinity
            if (!any) bounds = box;
            else bounds.Combine(box);
            any = true;
        }
    }
    if (!any) return;
    constexpr float kMargin = 2.0f;
    originX = bounds.lowerBound.x - kMargin;
    originY = bounds.lowerBound.y - kMargin;
    width = int(std::ceil((bounds.upperBound.x - originX + kMargin) / kCellSize));
    height = int(std::ceil((bounds.upperBound.y - originY + kMargin) / kCellSize));
    // A broken level file could claim a huge area: keep the grid bounded.
    width = std::min(width, 1200);
    height = std::min(height, 1200);
    cells.assign(size_t(width) * height, Cell::Open);

    b2CircleShape probe;
    probe.m_radius = kClearance;
    for (b2Body* body = world.physics->GetBodyList(); body; body = body->GetNext()) {
        TGameObject* object = ObjectOfBody(body);
        const Cell kind = Kind(object, body);
        if (kind == Cell::Open) continue;
        for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
            if (f->IsSensor()) continue;
            const b2AABB box = f->GetAABB(0);
            if (!box.IsValid()) continue;
            const int x0 = CellX(box.lowerBound.x - kClearance), x1 = CellX(box.upperBound.x + kClearance);
            const int y0 = CellY(box.lowerBound.y - kClearance), y1 = CellY(box.upperBound.y + kClearance);
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    if (!Inside(x, y)) continue;
                    b2Transform at;
                    at.Set(Centre(x, y), 0.0f);
                    for (int child = 0; child < f->GetShape()->GetChildCount(); ++child)
                        if (b2TestOverlap(f->GetShape(), child, &probe, 0, body->GetTransform(), at)) {
                            Mark(x, y, kind);
                            break;
                        }
                }
        }
    }
}

void TNavigationGrid::Mark(int x, int y, Cell cell)
{
    // The worst obstacle on a cell decides what it is.
    Cell& current = cells[size_t(y) * width + x];
    if (cell > current) current = cell;
}

void TNavigationGrid::Set(int x, int y, Cell cell)
{
    if (Inside(x, y)) cells[size_t(y) * width + x] = cell;
}

int TNavigationGrid::CellX(float x) const
{
    return int(std::floor((x - originX) / kCellSize));
}

int TNavigationGrid::CellY(float y) const
{
    return int(std::floor((y - originY) / kCellSize));
}

b2Vec2 TNavigationGrid::Centre(int x, int y) const
{
    return b2Vec2(originX + (float(x) + 0.5f) * kCellSize, originY + (float(y) + 0.5f) * kCellSize);
}

bool TNavigationGrid::NearestOpen(b2Vec2 at, int* outX, int* outY) const
{
    const int cx = CellX(at.x), cy = CellY(at.y);
    for (int r = 0; r <= kNearestOpenReach; ++r) {
        float best = 1e9f;
        bool found = false;
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x) {
                if (std::max(std::abs(x - cx), std::abs(y - cy)) != r) continue;
                const Cell c = At(x, y);
                if (c == Cell::Blocked || c == Cell::Breakable) continue;
                const float d = (Centre(x, y) - at).LengthSquared();
                if (d < best) {
                    best = d;
                    *outX = x;
                    *outY = y;
                    found = true;
                }
            }
        if (found) return true;
    }
    return false;
}
