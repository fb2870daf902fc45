#pragma once
#include "autoplay/AutoCombat.h"
#include "autoplay/AutoCrafting.h"
#include "autoplay/AutoLooting.h"
#include "player/input/KeyboardInputDevice.h"
#include "autoplay/NavigationGrid.h"
#include "autoplay/PathFinder.h"
#include "world/ObjectRef.h"
#include <string>
#include <vector>

class TAutoControls;
class TGameObject;
class TPlayer;
class TTrigger;
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
    // What the legs are given to do in a frame; Think chooses one afresh every
    // frame, in this order of precedence (Wait aside).
    enum class Mode {
        Wait,     // the level's opening freeze, or the player is down: nothing pressed
        Fight,    // an enemy asks for the legs: stand, strafe, back off, take cover or keep away
        BackOut,  // hurt by fire from out of sight: hide from the nearest gunman, or back out the way it came
        Sort,     // busy at the combine menu or dropping junk: the legs stay still
        Loot,     // on the way to loot, or at it working it
        Travel,   // on the way to the gate (standing, while none is known); with no
                  // way there, on to the level's switches to open one
    };

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
    // The mode of the last frame.
    Mode CurrentMode() const { return mode; }
    // What it was busy with in the last frame, in a word or two (for status lines).
    const std::string& Doing() const { return doing; }

private:
    // A way over the grid and how far along it the player is.
    struct Route {
        std::vector<TPathFinder::Step> cells;
        size_t index = 0;                   // the cell nearest the player
        TPathFinder::Step goal{-1, -1};     // the cell it was planned to
        int plannedFrame = -1000;           // -1000: plan again at once
    };
    // Where the player has walked (a point every metre or so, the latest
    // last), and the point a walk back along it heads for.
    struct Trail {
        std::vector<b2Vec2> points;
        int backTo = -1;
        int walkedBackFrame = -1000;  // the last frame of a walk back
    };
    // The narrow place a swarm is met in.
    struct Narrows {
        b2Vec2 spot{0.0f, 0.0f};
        bool found = false;
        int lookedFrame = -1000;
    };
    // A way to cover from a gunman.
    struct CoverRoute {
        std::vector<TPathFinder::Step> cells;
        int lookedFrame = -1000;
    };
    // The piece of loot being gone for.
    struct LootChase {
        TObjectRef object;
        b2Vec2 spot{0.0f, 0.0f};       // where to stand for it
        b2Vec2 from{0.0f, 0.0f};       // where the player was when it chose the loot
        int since = 0;                 // when it was chosen
        int lookedFrame = 0;           // the last look for loot
    };
    // Hit by what it cannot see: until `backOutUntil` it hides from the
    // nearest gunman (when there is one) or backs out along the trail.
    struct UnseenFire {
        float lastHealth = 0.0f;  // health at the end of the last frame
        int backOutUntil = 0;
        int backOutFrame = -1000;  // when the last back-out began
        TObjectRef shooter;
    };
    // The trigger stood on to open the way, and those tried already.
    struct SwitchHunt {
        TObjectRef current;
        int stoodFrames = 0;
        int until = 0;  // the frame the current one is given up after
        std::vector<TObjectRef> tried;
    };
    // Getting out of harm's way, watched: where and how healthy the player
    // was when the span began. Fleeing without headway (a corner), or hiding
    // where the fire still hurts, is worse than shooting back.
    struct EvasionWatch {
        b2Vec2 from{0.0f, 0.0f};
        float health = 0.0f;
        int since = -1000;
    };
    // Progress watch: where the player was when it began, and when. Standing
    // still on purpose (fighting, hiding, working loot or the menu) starts it
    // afresh; walking without headway for long makes the player stuck.
    struct ProgressWatch {
        b2Vec2 from{0.0f, 0.0f};
        int since = 0;
    };

    // This frame's mode, by precedence: the fight's stance, a back-out under
    // way, the hands' errands between fights, loot to go for, the gate. The
    // errands are run here, as their being busy decides: working the combine
    // menu or dropping junk (Sort), else tending health, armour and guns.
    Mode ChooseMode(TPlayer& player, TWorld& world, TAutoCombat::Stance stance, TAutoControls& hands);
    // The modes, one frame each. Loot is false when it is done with the loot
    // (worked, or no way there): the frame goes on as Travel.
    void Fight(TPlayer& player, TAutoCombat::Stance stance, TAutoControls& hands);
    void BackOut(TPlayer& player, TAutoControls& hands);
    bool Loot(TPlayer& player, TAutoControls& hands);
    void Travel(TPlayer& player, TWorld& world, TAutoControls& hands);
    // No way to the gate (a door shut behind him): stands on the level's
    // triggers, the nearest untried first, as a person tries the levers in
    // sight; after each the ground is mapped again.
    void TrySwitches(TPlayer& player, TWorld& world, TAutoControls& hands);
    // Walks to the trigger and stands on it; true once done with it (it
    // fired and he stood a little longer, or there is no way to it).
    bool WorkSwitch(TPlayer& player, TTrigger& trigger, TAutoControls& hands);

    // Maps the ground again when it is due (or was never mapped).
    void RefreshGrid(TWorld& world);
    // Where the gate's trigger is; false when the level has none.
    bool FindGate(TWorld& world);
    // Adds the player's position to the trail when he has come far enough.
    void NoteTrail(b2Vec2 at);
    // A hit from nothing in sight starts a back-out (at most once in a while)
    // and gives the loot being gone for up.
    void NoteUnseenFire(TPlayer& player, TWorld& world, b2Vec2 at);
    // The loot to go for now, a fresh choice now and then; null when there is
    // none, or when getting to it took too long.
    TGameObject* LootToGoFor(TPlayer& player, TWorld& world);
    // Standing still on purpose: the progress watch starts afresh at `at`.
    void RestartWatch(b2Vec2 at);
    // Walks along the way to goal; false when there is no way.
    bool FollowPath(TPlayer& player, b2Vec2 goal, TAutoControls& hands);
    void Replan(b2Vec2 from, b2Vec2 goal);
    // Whether a straight walk from a to b stays on open floor and doors.
    bool ClearLine(b2Vec2 a, b2Vec2 b) const;
    void Walk(TPlayer& player, b2Vec2 direction, TAutoControls& hands);
    // Backs away from a threat where the floor allows.
    void Retreat(TPlayer& player, b2Vec2 threat, TAutoControls& hands);
    // Walks to cover from a gunman at `threat`; false when there is none
    // within `maxSteps` cells.
    bool SeekCover(TPlayer& player, b2Vec2 threat, TAutoControls& hands, int maxSteps);
    // A swarm coming from `threat`: back along the trail to the nearest narrow
    // place farther from it, and stands there (giving ground only to one at
    // arm's length); with none such near, backs away.
    void HoldNarrows(TPlayer& player, b2Vec2 threat, TAutoControls& hands);
    // Of the trail back from the player, the first narrow place not nearer
    // the threat than he is (where he stands counts); false when none is near.
    bool FindNarrows(b2Vec2 at, b2Vec2 threat, b2Vec2* spot) const;
    // Whether the floor at `at` is a passage: no wider than kNarrowWidth
    // across, and longer than that along it (a doorway, a corridor).
    bool Narrow(b2Vec2 at) const;
    // How far open floor (or a door) runs from `at` in `direction`, up to `limit`.
    float OpenRun(b2Vec2 at, b2Vec2 direction, float limit) const;
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
    // Fleeing or hiding this frame: when the last span of it gave no headway
    // (fleeing) or left him hurt where he stood (hiding), the fight is
    // fought where he stands for a while.
    void WatchEvasion(TPlayer& player, bool hiding);
    // Not getting anywhere: the cell ahead counts as blocked for a while.
    void CheckStuck(TPlayer& player, b2Vec2 toward);

    TKeyboardInputDevice keys;
    Mode mode = Mode::Wait;
    std::string doing = "-";
    int frame = 0;  // frames thought, from the first after the opening freeze
    bool hurry = false;
    TAutoCombat combat;
    TAutoLooting looting;
    TAutoCrafting crafting;

    // The ground and the way over it.
    TNavigationGrid grid;
    int gridFrame = -1000;  // when it was mapped
    std::vector<std::pair<TPathFinder::Step, int>> stuckCells;  // cell and until which frame
    bool gateKnown = false;
    b2Vec2 gate{0.0f, 0.0f};
    Route route;
    ProgressWatch watch;
    int cellByCellUntil = 0;  // stuck a while ago: no corner cutting until then
    SwitchHunt switches;

    // Keeping alive.
    Trail trail;
    CoverRoute cover;
    Narrows narrows;
    UnseenFire unseenFire;
    EvasionWatch evasion;
    int strafeSide = 1;

    LootChase loot;
};
