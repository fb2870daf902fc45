#include "autoplay/AutoInputDevice.h"
#include "enemies/Enemy.h"
#include "autoplay/AutoControls.h"
#include "autoplay/AutoTuning.h"
#include "autoplay/CoverFinder.h"
#include "core/InputTables.h"
#include "world/Physics.h"
#include "player/Player.h"
#include "world/Trigger.h"
#include "world/World.h"
#include <algorithm>
#include <cmath>

using namespace autotune;

void TAutoInputDevice::Think(TPlayer& player, TWorld& world, TAutoControls& hands)
{
    // Until the first aim the mouse would come from the X pointer, which the
    // window system moves in its own time: the run must not depend on it.
    if (!MouseWorldHeld()) {
        const b2Vec2 at = player.GetPosition();
        hands.Point(at.x * kPixelsPerUnit, at.y * kPixelsPerUnit);
    }
    if (world.introTimer <= kIntroFrames || !player.Alive()) {
        mode = Mode::Wait;
        return;
    }
    ++frame;
    RefreshGrid(world);
    if (!gateKnown) FindGate(world);

    // The fight comes first, whatever the legs do: it aims, shoots, stabs and
    // heals, and says what it wants of the legs.
    const TAutoCombat::Stance stance = combat.Fight(player, world, hands);
    const b2Vec2 at = player.GetPosition();
    NoteTrail(at);
    doing = combat.Target() ? "fighting " + combat.Target()->kindName : "walking";
    NoteUnseenFire(player, world, at);

    mode = ChooseMode(player, world, stance, hands);
    switch (mode) {
    case Mode::Wait:
        break;
    case Mode::Fight:
        Fight(player, stance, hands);
        break;
    case Mode::BackOut:
        BackOut(player, hands);
        break;
    case Mode::Sort:
        doing = "sorting";
        RestartWatch(at);
        break;
    case Mode::Loot:
        if (Loot(player, hands)) break;
        mode = Mode::Travel;  // done with it, or no way there: on to the gate this same frame
        [[fallthrough]];
    case Mode::Travel:
        Travel(player, world, hands);
        break;
    }
}

TAutoInputDevice::Mode TAutoInputDevice::ChooseMode(TPlayer& player, TWorld& world, TAutoCombat::Stance stance,
                                                    TAutoControls& hands)
{
    if (stance != TAutoCombat::Stance::None) return Mode::Fight;
    if (frame < unseenFire.backOutUntil) {
        // The hands are free meanwhile: a medkit, a reload.
        combat.Tend(player, hands);
        return Mode::BackOut;
    }
    // Between fights the hands have errands; while they work the combine
    // menu or drop junk the legs wait.
    if (crafting.Work(player, hands) || looting.Tidy(player, hands)) return Mode::Sort;
    combat.Tend(player, hands);
    return LootToGoFor(player, world) ? Mode::Loot : Mode::Travel;
}

void TAutoInputDevice::Fight(TPlayer& player, TAutoCombat::Stance stance, TAutoControls& hands)
{
    switch (stance) {
    case TAutoCombat::Stance::None:
    case TAutoCombat::Stance::Stand:
        break;
    case TAutoCombat::Stance::Strafe:
        if (combat.Target()) Strafe(player, combat.Target()->GetPosition(), hands);
        break;
    case TAutoCombat::Stance::BackOff:
        if (combat.Target()) Retreat(player, combat.Target()->GetPosition(), hands);
        break;
    case TAutoCombat::Stance::Cover:
        doing = "taking cover";
        WatchEvasion(player, true);
        // A heavy's burst is twenty rounds: cover is worth it only a few
        // steps away; else out of its line at a run, sideways, or, with it
        // at arm's length (where its spread misses nothing and its touch
        // hurts most), away from it.
        if (const bool heavy = combat.CoverFromHeavy();
            !SeekCover(player, combat.CoverFrom(), hands, heavy ? kQuickCoverSteps : kCoverMaxSteps)) {
            if (!heavy) {
                combat.NoCover();
            } else if ((combat.CoverFrom() - player.GetPosition()).Length() < kKiteNear) {
                doing = "keeping away";
                Flee(player, combat.CoverFrom(), hands);
            } else {
                doing = "dodging";
                Strafe(player, combat.CoverFrom(), hands);
            }
        }
        break;
    case TAutoCombat::Stance::Flee:
        doing = "keeping away";
        WatchEvasion(player, false);
        if (combat.Target()) Flee(player, combat.Target()->GetPosition(), hands);
        break;
    case TAutoCombat::Stance::Hold:
        doing = "holding a doorway";
        if (combat.Target()) HoldNarrows(player, combat.Target()->GetPosition(), hands);
        break;
    }
    // Standing or moving to fight is not being stuck.
    RestartWatch(player.GetPosition());
}

void TAutoInputDevice::BackOut(TPlayer& player, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    auto* shooter = unseenFire.shooter.GetAs<TEnemy>();
    doing = shooter ? "hiding" : "backing out";
    if (!shooter || shooter->dead || !SeekCover(player, shooter->GetPosition(), hands, kCoverMaxSteps))
        if (const int to = TrailPointBack(at); to >= 0) Walk(player, trail.points[size_t(to)] - at, hands);
    RestartWatch(at);
}

bool TAutoInputDevice::Loot(TPlayer& player, TAutoControls& hands)
{
    TGameObject* lootObject = loot.object.Get();
    const b2Vec2 at = player.GetPosition();
    doing = "looting";
    if ((loot.spot - at).Length() < kSpotReach || player.lootingCrate) {
        RestartWatch(at);
        if (looting.Work(player, lootObject, hands)) return true;
        loot.object.Reset();
        return false;
    }
    if ((loot.spot - at).Length() < kStraightWalkDistance && ClearLine(at, loot.spot)) {
        // The last steps straight to the spot.
        Walk(player, loot.spot - at, hands);
        CheckStuck(player, loot.spot);
        return true;
    }
    if (FollowPath(player, loot.spot, hands)) return true;
    looting.GiveUp(lootObject);
    loot.object.Reset();
    return false;
}

void TAutoInputDevice::Travel(TPlayer& player, TWorld& world, TAutoControls& hands)
{
    if (!gateKnown) return;
    if (FollowPath(player, gate, hands)) {
        switches.tried.clear();  // the way is open: a later shut door may need them again
        return;
    }
    TrySwitches(player, world, hands);
}

void TAutoInputDevice::TrySwitches(TPlayer& player, TWorld& world, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    auto* current = switches.current.GetAs<TTrigger>();
    if (!current || current->dead) {
        // The nearest trigger not tried yet; when all were, all again.
        float best = 1e9f;
        for (int pass = 0; pass < 2 && !current; ++pass) {
            for (TGameObject* object : world.objects) {
                auto* trigger = dynamic_cast<TTrigger*>(object);
                if (!trigger || trigger->dead || trigger->scriptName == "gate") continue;
                const std::vector<TObjectRef>& tried = switches.tried;
                if (std::any_of(tried.begin(), tried.end(), [&](const TObjectRef& t) { return t.Is(trigger); }))
                    continue;
                const float d = (trigger->GetPosition() - at).Length();
                if (d < best) {
                    best = d;
                    current = trigger;
                }
            }
            if (!current) switches.tried.clear();
        }
        if (!current) return;
        switches.current = TObjectRef(current);
        switches.stoodFrames = 0;
        // A farther one takes longer to reach.
        switches.until = frame + kSwitchPatienceFrames + int(kSwitchFramesPerUnit * best);
    }
    doing = "trying a switch";
    // Not reached in all that time (it lies in a wall's edge, a step he
    // cannot take): standing at it for ever opens nothing, the next one.
    if (frame <= switches.until && !WorkSwitch(player, *current, hands)) return;
    switches.tried.push_back(switches.current);
    switches.current.Reset();
    gridFrame = -1000;  // what it opened is seen at once
}

bool TAutoInputDevice::WorkSwitch(TPlayer& player, TTrigger& trigger, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    const b2Vec2 spot = trigger.GetPosition();
    if ((spot - at).Length() < std::max(kSpotReach, trigger.radius * 0.5f)) {
        // A trigger fires after period + 2 steps of contact: stand a little longer.
        RestartWatch(at);
        return ++switches.stoodFrames > trigger.period + kSwitchStandFrames;
    }
    if ((spot - at).Length() < kStraightWalkDistance && ClearLine(at, spot)) {
        Walk(player, spot - at, hands);
        CheckStuck(player, spot);
        return false;
    }
    if (FollowPath(player, spot, hands)) return false;
    // No way there on the map: a lever's trigger lies in the room kept from
    // the wall it is on, or from a heap beside it. Near it, straight at it:
    // the bodies let him nearer than the map does, and a touch fires it.
    if ((spot - at).Length() >= kSwitchStraightReach) return true;
    Walk(player, spot - at, hands);
    return false;
}

void TAutoInputDevice::RefreshGrid(TWorld& world)
{
    // The world changes (doors, pushed crates, broken blocks): look again now and then.
    if (frame - gridFrame < kGridRefreshFrames && !grid.Empty()) return;
    grid.Build(world);
    for (const auto& [cell, until] : stuckCells)
        if (until > frame) grid.Set(cell.first, cell.second, TNavigationGrid::Cell::Blocked);
    gridFrame = frame;
    route.plannedFrame = -1000;
}

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

void TAutoInputDevice::NoteTrail(b2Vec2 at)
{
    std::vector<b2Vec2>& points = trail.points;
    if (points.empty() || (points.back() - at).Length() > kTrailStep) {
        points.push_back(at);
        if (points.size() > kTrailLength) {
            points.erase(points.begin());
            if (trail.backTo > 0) --trail.backTo;  // still the same point
        }
    }
}

void TAutoInputDevice::NoteUnseenFire(TPlayer& player, TWorld& world, b2Vec2 at)
{
    // Hurt by something out of sight (a gun through a wall, a shooter
    // beyond sight range): away from there, and the loot there is left.
    if (player.health < unseenFire.lastHealth && !combat.Target() &&
        frame - unseenFire.backOutFrame > kBackOutRest) {
        unseenFire.backOutFrame = frame;
        unseenFire.backOutUntil = frame + kBackOutFrames;
        unseenFire.shooter = TObjectRef(TAutoCombat::NearestGunman(world, at, kUnseenShooterReach));
        cover.cells.clear();
        looting.GiveUp(loot.object.Get());
        loot.object.Reset();
    }
    unseenFire.lastHealth = player.health;
}

TGameObject* TAutoInputDevice::LootToGoFor(TPlayer& player, TWorld& world)
{
    TGameObject* lootObject = loot.object.Get();
    if (!lootObject && frame - loot.lookedFrame >= kLootLookFrames) {
        const bool hungry = TAutoCombat::Firepower(player) < kHungryFirepower;
        loot.lookedFrame = frame;
        const bool wounded = player.health < kWoundedHealth && TAutoCombat::Medkits(player) == 0;
        lootObject = looting.Choose(player, world, hungry, FarLootWorthIt(player, hungry),
                                    gateKnown && !wounded ? &gate : nullptr, &loot.spot);
        loot.object = TObjectRef(lootObject);
        loot.since = frame;
        loot.from = player.GetPosition();
    }
    // Far loot takes longer to reach.
    const int chaseFrames = kLootChaseFrames + int(kLootChaseFramesPerUnit * (loot.spot - loot.from).Length());
    if (lootObject && frame - loot.since > chaseFrames) {
        // Out of reach after all.
        looting.GiveUp(lootObject);
        loot.object.Reset();
        lootObject = nullptr;
    }
    return lootObject;
}

void TAutoInputDevice::RestartWatch(b2Vec2 at)
{
    watch.since = frame;
    watch.from = at;
}

void TAutoInputDevice::Replan(b2Vec2 from, b2Vec2 goal)
{
    route.cells.clear();
    route.index = 0;
    route.plannedFrame = frame;
    int sx = 0, sy = 0, gx = 0, gy = 0;
    if (!grid.NearestOpen(from, &sx, &sy) || !grid.NearestOpen(goal, &gx, &gy)) return;
    route.goal = {grid.CellX(goal.x), grid.CellY(goal.y)};
    route.cells = TPathFinder::Find(grid, {sx, sy}, {gx, gy});
}

bool TAutoInputDevice::FollowPath(TPlayer& player, b2Vec2 goal, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    const TPathFinder::Step goalCell{grid.CellX(goal.x), grid.CellY(goal.y)};
    if (goalCell != route.goal || frame - route.plannedFrame >= kReplanFrames || route.cells.empty()) Replan(at, goal);
    const std::vector<TPathFinder::Step>& path = route.cells;
    if (path.empty()) return false;

    // The path cell nearest to the player, looking a little ahead.
    size_t nearest = route.index;
    float nearestDistance = 1e9f;
    for (size_t i = route.index; i < std::min(path.size(), route.index + kLookAhead); ++i) {
        const float d = (grid.Centre(path[i].first, path[i].second) - at).Length();
        if (d < nearestDistance) {
            nearestDistance = d;
            nearest = i;
        }
    }
    route.index = nearest;

    // A breakable block on the way: shoot it down first.
    for (size_t i = route.index; i < std::min(path.size(), route.index + kBreakableLookAhead); ++i) {
        if (grid.At(path[i].first, path[i].second) != TNavigationGrid::Cell::Breakable) continue;
        const b2Vec2 block = grid.Centre(path[i].first, path[i].second);
        if ((block - at).Length() > kShootBlockDistance) break;
        doing = "breaking";
        if (combat.ShootAt(player, block, hands)) {
            RestartWatch(at);
            return true;
        }
        // Nothing to shoot with: that way is closed.
        grid.Set(path[i].first, path[i].second, TNavigationGrid::Cell::Blocked);
        route.plannedFrame = -1000;
        return true;
    }

    // Head for the farthest cell ahead that a straight walk reaches (just
    // the next one for a while after getting stuck).
    const size_t next = std::min(route.index + 1, path.size() - 1);
    b2Vec2 toward = frame < cellByCellUntil ? grid.Centre(path[next].first, path[next].second) : AheadOn(path, next, at);
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

bool TAutoInputDevice::SeekCover(TPlayer& player, b2Vec2 threat, TAutoControls& hands, int maxSteps)
{
    const b2Vec2 at = player.GetPosition();
    // The gunman moves: look again now and then, and at once when the spot is seen.
    std::vector<TPathFinder::Step>& coverWay = cover.cells;
    const bool seen = !coverWay.empty() &&
                      !TCoverFinder::Screened(grid.Centre(coverWay.back().first, coverWay.back().second), threat);
    if (coverWay.empty() || seen || frame - cover.lookedFrame >= kCoverLookFrames) {
        coverWay = TCoverFinder::Find(grid, at, threat, maxSteps);
        cover.lookedFrame = frame;
    }
    if (coverWay.empty()) return false;
    const b2Vec2 spot = grid.Centre(coverWay.back().first, coverWay.back().second);
    if ((spot - at).Length() < kSpotReach || TCoverFinder::Screened(at, threat)) return true;
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

void TAutoInputDevice::HoldNarrows(TPlayer& player, b2Vec2 threat, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    if (frame - narrows.lookedFrame >= kHoldLookFrames) {
        narrows.found = FindNarrows(at, threat, &narrows.spot);
        narrows.lookedFrame = frame;
    }
    if (!narrows.found) {
        // In the open a gunman is harder to hit moving sideways.
        const TEnemy* target = combat.Target();
        if (target && target->tuning.hasGun) Strafe(player, threat, hands);
        else Retreat(player, threat, hands);
        return;
    }
    const b2Vec2 spot = narrows.spot;
    if ((spot - at).Length() < kSpotReach * 2.0f) {
        // A heavy is not let near: its touch and a burst at arm's length hurt most.
        const TEnemy* target = combat.Target();
        const float giveGround = target && TAutoCombat::Tough(*target) ? kKiteNear : kHoldGiveGround;
        if ((threat - at).Length() < giveGround) Retreat(player, threat, hands);
        return;
    }
    if (ClearLine(at, spot)) Walk(player, spot - at, hands);
    else if (!FollowPath(player, spot, hands)) Retreat(player, threat, hands);
}

bool TAutoInputDevice::FindNarrows(b2Vec2 at, b2Vec2 threat, b2Vec2* spot) const
{
    const float fromThreat = (at - threat).Length();
    if (Narrow(at)) {
        *spot = at;
        return true;
    }
    float walked = 0.0f;
    b2Vec2 previous = at;
    for (auto point = trail.points.rbegin(); point != trail.points.rend(); ++point) {
        walked += (*point - previous).Length();
        previous = *point;
        if (walked > kHoldSearch) break;
        if ((*point - threat).Length() + kTrailReached < fromThreat) continue;  // back toward it
        if (Narrow(*point)) {
            *spot = *point;
            return true;
        }
    }
    return false;
}

bool TAutoInputDevice::Narrow(b2Vec2 at) const
{
    if (!grid.WalkableAt(at)) return false;
    const float look = 2.0f * kNarrowWidth;
    const float across = OpenRun(at, b2Vec2(1.0f, 0.0f), look) + OpenRun(at, b2Vec2(-1.0f, 0.0f), look);
    const float along = OpenRun(at, b2Vec2(0.0f, 1.0f), look) + OpenRun(at, b2Vec2(0.0f, -1.0f), look);
    const float narrow = std::min(across, along), wide = std::max(across, along);
    return narrow <= kNarrowWidth && wide > narrow + kNarrowWidth * 0.5f;
}

float TAutoInputDevice::OpenRun(b2Vec2 at, b2Vec2 direction, float limit) const
{
    const float step = TNavigationGrid::kCellSize;
    float run = 0.0f;
    while (run < limit) {
        if (!grid.WalkableAt(at + (run + step) * direction)) break;
        run += step;
    }
    return run;
}

bool TAutoInputDevice::ClearLine(b2Vec2 a, b2Vec2 b) const
{
    const b2Vec2 d = b - a;
    const int steps = std::max(1, int(d.Length() / (TNavigationGrid::kCellSize * 0.5f)));
    for (int i = 0; i <= steps; ++i) {
        if (!grid.WalkableAt(a + (float(i) / float(steps)) * d)) return false;
    }
    return true;
}

void TAutoInputDevice::Walk(TPlayer& player, b2Vec2 direction, TAutoControls& hands)
{
    const float length = direction.Length();
    if (length < kWalkDeadZone) return;
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
    float bestScore = kRetreatLeastAway;  // rather stand than walk toward it
    for (int i = 0; i < 8; ++i) {
        const float angle = float(i) * 0.785398163f;
        const b2Vec2 direction(std::cos(angle), std::sin(angle));
        const float score = b2Dot(direction, away);
        if (score <= bestScore || !ClearLine(at, at + kRetreatRoom * direction)) continue;
        best = direction;
        bestScore = score;
    }
    if (bestScore > kRetreatLeastAway) Walk(player, best, hands);
}

int TAutoInputDevice::TrailPointBack(b2Vec2 at)
{
    // A new walk back starts from the latest point of the trail.
    if (frame - trail.walkedBackFrame > 1) trail.backTo = int(trail.points.size()) - 1;
    trail.walkedBackFrame = frame;
    while (trail.backTo >= 0 && (trail.points[size_t(trail.backTo)] - at).Length() < kTrailReached) --trail.backTo;
    return trail.backTo;
}

void TAutoInputDevice::Flee(TPlayer& player, b2Vec2 threat, TAutoControls& hands)
{
    const b2Vec2 at = player.GetPosition();
    const int to = TrailPointBack(at);
    // The way back leads past the threat (it came from there): any way off.
    if (to < 0 || (trail.points[size_t(to)] - threat).Length() < (threat - at).Length()) {
        Retreat(player, threat, hands);
        return;
    }
    Walk(player, trail.points[size_t(to)] - at, hands);
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

void TAutoInputDevice::WatchEvasion(TPlayer& player, bool hiding)
{
    const b2Vec2 at = player.GetPosition();
    // A span begins with the first frame of evading after other things.
    if (frame - evasion.since > kEvasionFrames + 1) evasion = {at, player.health, frame};
    if (frame - evasion.since < kEvasionFrames) return;
    const bool stood = (at - evasion.from).Length() < kEvasionHeadway;
    const bool hurt = evasion.health - player.health >= kEvasionHurt;
    if (stood && (!hiding || hurt)) combat.StandAndFight();
    evasion = {at, player.health, frame};
}

void TAutoInputDevice::CheckStuck(TPlayer& player, b2Vec2 toward)
{
    const b2Vec2 at = player.GetPosition();
    if ((at - watch.from).Length() > kStuckDistance) {
        RestartWatch(at);
        return;
    }
    if (frame - watch.since < kStuckFrames) return;
    // Close the cell it keeps walking into, and find another way.
    const TPathFinder::Step cell{grid.CellX(toward.x), grid.CellY(toward.y)};
    const TPathFinder::Step here{grid.CellX(at.x), grid.CellY(at.y)};
    if (cell != here) {
        stuckCells.push_back({cell, frame + kStuckMemory});
        grid.Set(cell.first, cell.second, TNavigationGrid::Cell::Blocked);
    }
    route.plannedFrame = -1000;
    cellByCellUntil = frame + kCellByCellFrames;
    watch.since = frame;  // another look once as long again without headway
}
