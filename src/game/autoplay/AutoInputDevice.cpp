#include "autoplay/AutoInputDevice.h"
#include "enemies/Enemy.h"
#include "autoplay/AutoControls.h"
#include "autoplay/CoverFinder.h"
#include "player/Player.h"
#include "world/Trigger.h"
#include "world/World.h"
#include <algorithm>
#include <cmath>

namespace {

// The world changes (doors, pushed crates, broken blocks): look again this often.
constexpr int kGridRefreshFrames = 150;
constexpr int kReplanFrames = 45;
// Path cells looked ahead for a straight walk.
constexpr size_t kLookAhead = 8;
// A breakable block on the way is shot from this near.
constexpr float kShootBlockDistance = 3.0f;
// Under this much headway in this many frames the player counts as stuck.
constexpr float kStuckDistance = 0.4f;
constexpr int kStuckFrames = 75;
constexpr int kStuckMemory = 600;
// Room needed behind the player to back away from an enemy, world units.
constexpr float kRetreatRoom = 1.2f;
// The trail of where the player walked: a point this far from the last, this
// many kept; a point this near is reached.
constexpr float kTrailStep = 1.0f;
constexpr size_t kTrailLength = 300;
constexpr float kTrailReached = 0.5f;
// Frames between looks for cover while hiding.
constexpr int kCoverLookFrames = 15;
// Frames between changes of side while strafing.
constexpr int kStrafeFrames = 40;
// Frames between looks for loot.
constexpr int kLootLookFrames = 20;
// Under this much firepower (damage its rounds could do) it goes looking for more.
constexpr float kHungryFirepower = 2500.0f;
// Near enough to the spot where loot is worked on.
constexpr float kLootReach = 0.22f;
// Far crates are worth the walk while the player is short of medkits (or of
// rounds): health is carried from level to level, and a level begun weak is
// begun again weak after every death.
constexpr int kMedkitsWanted = 2;
// Under this health and without a medkit, any crate of the level is worth the
// walk, however far off the way to the gate.
constexpr float kWoundedHealth = 50.0f;
// Hit with nothing in sight to answer, he hides from the nearest gunman
// within the first distance (its rounds come round a corner the sight line
// does not), or else backs out the way he came, this long; and does so at
// most once in the second span: a gun covering the only way on is passed
// after all.
constexpr float kUnseenShooterReach = 16.0f;
constexpr int kBackOutFrames = 60;
constexpr int kBackOutRest = 300;
// Frames spent getting to one piece of loot and working it before it is given up.
constexpr int kLootChaseFrames = 300;
constexpr float kLootChaseFramesPerUnit = 20.0f;

} // namespace

bool TAutoInputDevice::FindGate(TWorld& world)
{
    for (TGameObject* object : world.objects) {
        auto* trigger = dynamic_cast<TTrigger*>(object);
        if (trigger && !trigger->dead && trigger->scriptName == "gate") {
            gate = trigger->GetPosition();
            gateKnown = true;
            return true;
        }
    }
    return false;
}

void TAutoInputDevice::Think(TPlayer& player, TWorld& world, TAutoControls& hands)
{
    if (world.introTimer <= kIntroFrames || !player.Alive()) return;
    ++frame;
    if (frame - gridFrame >= kGridRefreshFrames || grid.Empty()) {
        grid.Build(world);
        for (const auto& [cell, until] : stuckCells)
            if (until > frame) grid.Set(cell.first, cell.second, TNavigationGrid::Cell::Blocked);
        gridFrame = frame;
        pathFrame = -1000;
    }
    if (!gateKnown) FindGate(world);

    const TAutoCombat::Stance stance = combat.Fight(player, world, hands);
    const b2Vec2 at = player.GetPosition();
    if (trail.empty() || (trail.back() - at).Length() > kTrailStep) {
        trail.push_back(at);
        if (trail.size() > kTrailLength) {
            trail.erase(trail.begin());
            if (fleeTo > 0) --fleeTo;  // still the same point
        }
    }
    doing = combat.Target() ? "fighting " + combat.Target()->kindName : "walking";
    // Hurt by something out of sight (a gun through a wall, a shooter
    // beyond sight range): away from there, and the loot there is left.
    if (player.health < lastHealth && !combat.Target() && frame - backOutFrame > kBackOutRest) {
        backOutFrame = frame;
        backOutUntil = frame + kBackOutFrames;
        unseenShooter = TAutoCombat::NearestGunman(world, at, kUnseenShooterReach);
        coverWay.clear();
        if (TGameObject* lootObject = loot ? ObjectFromHandle(loot) : nullptr) looting.GiveUp(lootObject);
        loot = nullptr;
    }
    lastHealth = player.health;
    switch (stance) {
    case TAutoCombat::Stance::Stand:
        watchFrame = frame;  // standing still to fight is not being stuck
        watchFrom = at;
        return;
    case TAutoCombat::Stance::Strafe:
        if (combat.Target()) Strafe(player, combat.Target()->GetPosition(), hands);
        watchFrame = frame;
        watchFrom = at;
        return;
    case TAutoCombat::Stance::BackOff:
        if (combat.Target()) Retreat(player, combat.Target()->GetPosition(), hands);
        watchFrame = frame;
        watchFrom = at;
        return;
    case TAutoCombat::Stance::Cover:
        doing = "taking cover";
        if (!SeekCover(player, combat.CoverFrom(), hands)) combat.NoCover();
        watchFrame = frame;
        watchFrom = at;
        return;
    case TAutoCombat::Stance::Flee:
        doing = "keeping away";
        if (combat.Target()) Flee(player, combat.Target()->GetPosition(), hands);
        watchFrame = frame;
        watchFrom = at;
        return;
    case TAutoCombat::Stance::None:
        break;
    }

    if (frame < backOutUntil) {
        auto* shooter = ObjectFromHandleAs<TEnemy>(unseenShooter);
        doing = shooter ? "hiding" : "backing out";
        if (!shooter || shooter->dead || !SeekCover(player, shooter->GetPosition(), hands))
            if (const int to = TrailPointBack(at); to >= 0) Walk(player, trail[size_t(to)] - at, hands);
        watchFrame = frame;
        watchFrom = at;
        return;
    }
    if (crafting.Work(player, hands) || looting.Tidy(player, hands)) {
        doing = "sorting";
        watchFrame = frame;
        watchFrom = at;
        return;
    }
    combat.Tend(player, hands);

    // Loot near the way.
    TGameObject* lootObject = loot ? ObjectFromHandle(loot) : nullptr;
    if (!lootObject && frame - lootLookFrame >= kLootLookFrames) {
        const bool hungry = TAutoCombat::Firepower(player) < kHungryFirepower;
        lootLookFrame = frame;
        const bool wounded = player.health < kWoundedHealth && TAutoCombat::Medkits(player) == 0;
        lootObject = looting.Choose(player, world, hungry, FarLootWorthIt(player, hungry),
                                    gateKnown && !wounded ? &gate : nullptr, &lootSpot);
        loot = lootObject;
        lootSince = frame;
        lootFrom = player.GetPosition();
    }
    // Far loot takes longer to reach.
    const int chaseFrames = kLootChaseFrames + int(kLootChaseFramesPerUnit * (lootSpot - lootFrom).Length());
    if (lootObject && frame - lootSince > chaseFrames) {
        // Out of reach after all.
        looting.GiveUp(lootObject);
        loot = lootObject = nullptr;
    }
    if (lootObject) {
        doing = "looting";
        if ((lootSpot - at).Length() < kLootReach || player.lootingCrate) {
            watchFrame = frame;
            watchFrom = at;
            if (looting.Work(player, lootObject, hands)) return;
            loot = nullptr;
        } else if ((lootSpot - at).Length() < 1.0f && ClearLine(at, lootSpot)) {
            // The last steps straight to the spot.
            Walk(player, lootSpot - at, hands);
            CheckStuck(player, lootSpot);
            return;
        } else if (FollowPath(player, lootSpot, hands)) {
            return;
        } else {
            looting.GiveUp(lootObject);
            loot = nullptr;
        }
    }
    if (gateKnown) FollowPath(player, gate, hands);
}

void TAutoInputDevice::Replan(b2Vec2 from, b2Vec2 goal)
{
    path.clear();
    pathIndex = 0;
    pathFrame = frame;
    int sx = 0, sy = 0, gx = 0, gy = 0;
    if (!grid.NearestOpen(from, &sx, &sy) || !grid.NearestOpen(goal, &gx, &gy)) return;
    pathGoal = {grid.CellX(goal.x), grid.CellY(goal.y)};
    path = TPathFinder::Find(grid, {sx, sy}, {gx, gy});
}

bool TAutoInputDevice::FollowPath(TPlayer& player, b2Vec2 goal, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    const TPathFinder::Step goalCell{grid.CellX(goal.x), grid.CellY(goal.y)};
    if (goalCell != pathGoal || frame - pathFrame >= kReplanFrames || path.empty()) Replan(at, goal);
    if (path.empty()) return false;

    // The path cell nearest to the player, looking a little ahead.
    size_t nearest = pathIndex;
    float nearestDistance = 1e9f;
    for (size_t i = pathIndex; i < std::min(path.size(), pathIndex + kLookAhead); ++i) {
        const float d = (grid.Centre(path[i].first, path[i].second) - at).Length();
        if (d < nearestDistance) {
            nearestDistance = d;
            nearest = i;
        }
    }
    pathIndex = nearest;

    // A breakable block on the way: shoot it down first.
    for (size_t i = pathIndex; i < std::min(path.size(), pathIndex + 4); ++i) {
        if (grid.At(path[i].first, path[i].second) != TNavigationGrid::Cell::Breakable) continue;
        const b2Vec2 block = grid.Centre(path[i].first, path[i].second);
        if ((block - at).Length() > kShootBlockDistance) break;
        doing = "breaking";
        if (combat.ShootAt(player, block, hands)) {
            watchFrame = frame;
            watchFrom = at;
            return true;
        }
        // Nothing to shoot with: that way is closed.
        grid.Set(path[i].first, path[i].second, TNavigationGrid::Cell::Blocked);
        pathFrame = -1000;
        return true;
    }

    // Head for the farthest cell ahead that a straight walk reaches.
    b2Vec2 toward = AheadOn(path, std::min(pathIndex + 1, path.size() - 1), at);
    if (toward == grid.Centre(path.back().first, path.back().second)) toward = goal;
    Walk(player, toward - at, hands);
    CheckStuck(player, toward);
    return true;
}

b2Vec2 TAutoInputDevice::AheadOn(const std::vector<TPathFinder::Step>& way, size_t first, b2Vec2 at) const
{
    size_t aim = first;
    for (size_t i = aim + 1; i < std::min(way.size(), first + kLookAhead - 1); ++i) {
        if (!ClearLine(at, grid.Centre(way[i].first, way[i].second))) break;
        aim = i;
    }
    return grid.Centre(way[aim].first, way[aim].second);
}

bool TAutoInputDevice::SeekCover(TPlayer& player, b2Vec2 threat, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    // The gunman moves: look again now and then, and at once when the spot is seen.
    const bool seen = !coverWay.empty() &&
                      !TCoverFinder::Screened(grid.Centre(coverWay.back().first, coverWay.back().second), threat);
    if (coverWay.empty() || seen || frame - coverFrame >= kCoverLookFrames) {
        coverWay = TCoverFinder::Find(grid, at, threat);
        coverFrame = frame;
    }
    if (coverWay.empty()) return false;
    const b2Vec2 spot = grid.Centre(coverWay.back().first, coverWay.back().second);
    if ((spot - at).Length() < kLootReach || TCoverFinder::Screened(at, threat)) return true;
    // The way's cell nearest the player, and on from there.
    size_t nearest = 0;
    for (size_t i = 1; i < coverWay.size(); ++i) {
        const b2Vec2 c = grid.Centre(coverWay[i].first, coverWay[i].second);
        if ((c - at).Length() < (grid.Centre(coverWay[nearest].first, coverWay[nearest].second) - at).Length())
            nearest = i;
    }
    const b2Vec2 toward = nearest + 1 < coverWay.size() ? AheadOn(coverWay, nearest + 1, at) : spot;
    Walk(player, toward - at, hands);
    return true;
}

bool TAutoInputDevice::ClearLine(b2Vec2 a, b2Vec2 b) const
{
    const b2Vec2 d = b - a;
    const int steps = std::max(1, int(d.Length() / (TNavigationGrid::kCellSize * 0.5f)));
    for (int i = 0; i <= steps; ++i) {
        const b2Vec2 p = a + (float(i) / float(steps)) * d;
        const TNavigationGrid::Cell cell = grid.At(grid.CellX(p.x), grid.CellY(p.y));
        if (cell != TNavigationGrid::Cell::Open && cell != TNavigationGrid::Cell::Door) return false;
    }
    return true;
}

void TAutoInputDevice::Walk(TPlayer& player, b2Vec2 direction, TAutoControls& hands)
{
    const float length = direction.Length();
    if (length < 0.05f) return;
    // The controls are turned by the view: turn the wish back.
    const b2Rot back(-player.viewRotation);
    const b2Vec2 m = b2Mul(back, direction);
    // Eight directions, as the movement keys give them.
    constexpr float kSin22 = 0.38268343f;
    if (m.x > kSin22 * length) hands.HoldAction("right");
    if (m.x < -kSin22 * length) hands.HoldAction("left");
    if (m.y > kSin22 * length) hands.HoldAction("down");
    if (m.y < -kSin22 * length) hands.HoldAction("up");
}

void TAutoInputDevice::Retreat(TPlayer& player, b2Vec2 threat, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    b2Vec2 away = at - threat;
    if (away.Normalize() < 0.01f) return;
    // Of the eight key directions, the one leading most away with room to go.
    b2Vec2 best(0.0f, 0.0f);
    float bestScore = -0.2f;  // rather stand than walk toward it
    for (int i = 0; i < 8; ++i) {
        const float angle = float(i) * 0.785398163f;
        const b2Vec2 direction(std::cos(angle), std::sin(angle));
        const float score = b2Dot(direction, away);
        if (score <= bestScore || !ClearLine(at, at + kRetreatRoom * direction)) continue;
        best = direction;
        bestScore = score;
    }
    if (bestScore > -0.2f) Walk(player, best, hands);
}

int TAutoInputDevice::TrailPointBack(b2Vec2 at)
{
    // A new walk back starts from the latest point of the trail.
    if (frame - fleeFrame > 1) fleeTo = int(trail.size()) - 1;
    fleeFrame = frame;
    while (fleeTo >= 0 && (trail[size_t(fleeTo)] - at).Length() < kTrailReached) --fleeTo;
    return fleeTo;
}

void TAutoInputDevice::Flee(TPlayer& player, b2Vec2 threat, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    const int to = TrailPointBack(at);
    // The way back leads past the threat (it came from there): any way off.
    if (to < 0 || (trail[size_t(to)] - threat).Length() < (threat - at).Length()) {
        Retreat(player, threat, hands);
        return;
    }
    Walk(player, trail[size_t(to)] - at, hands);
}

bool TAutoInputDevice::FarLootWorthIt(const TPlayer& player, bool hungry) const
{
    return !hurry && (hungry || TAutoCombat::Medkits(player) < kMedkitsWanted);
}

void TAutoInputDevice::Strafe(TPlayer& player, b2Vec2 threat, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    b2Vec2 toward = threat - at;
    if (toward.Normalize() < 0.01f) return;
    if (frame % kStrafeFrames == 0) strafeSide = -strafeSide;
    b2Vec2 side = float(strafeSide) * b2Vec2(-toward.y, toward.x);
    if (!ClearLine(at, at + kRetreatRoom * side)) {
        // A wall that way: the other.
        strafeSide = -strafeSide;
        side = -side;
        if (!ClearLine(at, at + kRetreatRoom * side)) return;
    }
    Walk(player, side, hands);
}

void TAutoInputDevice::CheckStuck(TPlayer& player, b2Vec2 toward)
{
    const b2Vec2 at = player.GetPosition();
    if ((at - watchFrom).Length() > kStuckDistance) {
        watchFrom = at;
        watchFrame = frame;
        return;
    }
    if (frame - watchFrame < kStuckFrames) return;
    // Close the cell it keeps walking into, and find another way.
    const TPathFinder::Step cell{grid.CellX(toward.x), grid.CellY(toward.y)};
    const TPathFinder::Step here{grid.CellX(at.x), grid.CellY(at.y)};
    if (cell != here) {
        stuckCells.push_back({cell, frame + kStuckMemory});
        grid.Set(cell.first, cell.second, TNavigationGrid::Cell::Blocked);
    }
    pathFrame = -1000;
    watchFrame = frame;
}
