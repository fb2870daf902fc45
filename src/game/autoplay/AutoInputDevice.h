#pragma once
#include "autoplay/AutoCombat.h"
#include "autoplay/AutoCrafting.h"
#include "autoplay/AutoLooting.h"
#include "player/input/KeyboardInputDevice.h"
#include "autoplay/NavigationGrid.h"
#include "autoplay/PathFinder.h"
#include <string>
#include <vector>

class TAutoControls;
class TPlayer;
class TWorld;

// The automatic player's device. It reads the controls exactly as the
// keyboard device does; what differs is whose hands are on them: each frame,
// before the events are read, Think decides where to go (the level's gate
// over the navigation grid, with detours for loot), what to fight and what
// to press, and hands that to the controls. A run it plays is therefore an
// ordinary stream of key, button and pointer events that a recording keeps
// and a replay on the keyboard device plays back the same.
class TAutoInputDevice : public TInputDevice {
public:
    b2Vec2 GetAim(b2Vec2 position) override { return keys.GetAim(position); }
    b2Vec2 GetMove() override { return keys.GetMove(); }
    int GetItemStep() override { return keys.GetItemStep(); }
    bool IsShootHeld() override { return keys.IsShootHeld(); }
    bool IsAimHeld() override { return keys.IsAimHeld(); }
    bool IsStabPressed() override { return keys.IsStabPressed(); }
    bool IsUsePressed() override { return keys.IsUsePressed(); }
    bool IsDropPressed() override { return keys.IsDropPressed(); }
    bool IsCombinePressed() override { return keys.IsCombinePressed(); }
    void ReleaseShoot() override { keys.ReleaseShoot(); }

    // One frame of decisions for `player` in `world`.
    void Think(TPlayer& player, TWorld& world, TAutoControls& hands);
    // With the level's time running short it leaves far crates alone.
    void Hurry(bool on) { hurry = on; }
    // What it was busy with in the last frame, in a word or two (for status lines).
    const std::string& Doing() const { return doing; }

private:
    // Where the gate's trigger is; false when the level has none.
    bool FindGate(TWorld& world);
    // Walks along the way to goal; false when there is no way.
    bool FollowPath(TPlayer& player, b2Vec2 goal, TAutoControls& hands);
    void Replan(b2Vec2 from, b2Vec2 goal);
    // Whether a straight walk from a to b stays on open floor and doors.
    bool ClearLine(b2Vec2 a, b2Vec2 b) const;
    void Walk(TPlayer& player, b2Vec2 direction, TAutoControls& hands);
    // Backs away from a threat where the floor allows.
    void Retreat(TPlayer& player, b2Vec2 threat, TAutoControls& hands);
    // Walks to cover from a gunman at `threat`; false when there is none near.
    bool SeekCover(TPlayer& player, b2Vec2 threat, TAutoControls& hands);
    // Of the cells of `way` from `first` on, a few ahead, the centre of the
    // farthest a straight walk from `at` reaches.
    b2Vec2 AheadOn(const std::vector<TPathFinder::Step>& way, size_t first, b2Vec2 at) const;
    // Runs from a threat back along the way it came (the trail), or else
    // backs away where the floor allows.
    void Flee(TPlayer& player, b2Vec2 threat, TAutoControls& hands);
    // The trail point a walk back along it heads for this frame; -1 at its start.
    int TrailPointBack(b2Vec2 at);
    // Whether crates out of sight are worth the walk now.
    bool FarLootWorthIt(const TPlayer& player, bool hungry) const;
    // Steps sideways to a threat, changing sides now and then and at walls.
    void Strafe(TPlayer& player, b2Vec2 threat, TAutoControls& hands);
    // Not getting anywhere: the cell ahead counts as blocked for a while.
    void CheckStuck(TPlayer& player, b2Vec2 toward);

    TKeyboardInputDevice keys;
    std::string doing = "-";
    TNavigationGrid grid;
    TAutoCombat combat;
    TAutoLooting looting;
    TAutoCrafting crafting;
    std::vector<TPathFinder::Step> path;
    size_t pathIndex = 0;
    TPathFinder::Step pathGoal{-1, -1};
    int frame = 0;
    int gridFrame = -1000;
    int pathFrame = -1000;
    bool gateKnown = false;
    bool hurry = false;
    b2Vec2 gate{0.0f, 0.0f};
    const void* loot = nullptr;  // checked against the live objects before use
    b2Vec2 lootSpot{0.0f, 0.0f};
    b2Vec2 lootFrom{0.0f, 0.0f};  // where the player was when it chose the loot
    int lootLookFrame = 0;
    int lootSince = 0;
    // Progress watch: where the player was when the watch started.
    b2Vec2 watchFrom{0.0f, 0.0f};
    int watchFrame = 0;
    int strafeSide = 1;
    std::vector<TPathFinder::Step> coverWay;
    // Where the player has walked (a point every metre or so, the latest
    // last), and the point a flight along it heads for.
    std::vector<b2Vec2> trail;
    int fleeTo = -1;
    int fleeFrame = -1000;
    // Hit by what it cannot see: until then it hides from the nearest gunman
    // (when there is one) or backs out along the trail.
    float lastHealth = 0.0f;
    int backOutUntil = 0;
    int backOutFrame = -1000;
    const void* unseenShooter = nullptr;  // a handle, checked before use
    int coverFrame = -1000;
    std::vector<std::pair<TPathFinder::Step, int>> stuckCells;  // cell and until which frame
};
