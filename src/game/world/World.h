#pragma once
#include "util/RecyclingAllocator.h"
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TGame;
class TGameObject;
class TBitmap;
class TParticleSystem;
class b2World;
class b2Fixture;

// The world of the current level: every game object and floor bitmap, and the
// physics world. Owned by the game for the whole run; clearing it deletes all
// objects and bitmaps and starts a fresh physics world with two new particle
// systems.
//
// Lists: `objects` and `bitmaps` own their entries (raw pointers, deleted by
// the world only: at the end of a step for objects whose `dead` flag is set,
// and by Clear). Objects join `objects` in the TGameObject constructor,
// bitmaps join `bitmaps` in the TBitmap constructor.
//
// No object is ever deleted inside the physics step or the contact pass.
using TObjectList = std::list<TGameObject*, TRecyclingAllocator<TGameObject*>>;
using TBitmapList = std::list<TBitmap*, TRecyclingAllocator<TBitmap*>>;

class TWorld {
public:
    // A world right after a clear.
    TWorld();
    ~TWorld();
    TWorld(const TWorld&) = delete;
    TWorld& operator=(const TWorld&) = delete;

    // One frame: physics step (1/30 s, 7 and 7 iterations, forces cleared),
    // contact pass, depth sort when needed, every Update, removal of the dead,
    // level-start effect.
    void Step();
    // Bitmaps, objects in view in depth order, field-of-view shadows, the
    // physics debug view while F11 is held; then a requested clear.
    void Draw();
    // Late pass over the HUD: object overlays and the level-start effect.
    void DrawLate();
    // Objects the player has seen, filled white at alpha (map screen).
    void DrawOnMap(float alpha);
    // Deletes every object and bitmap now, forgets the player, new physics
    // world, the two particle systems, counters back to 0.
    void Clear();
    // Clears at the end of the next Draw (safe from inside an update).
    void RequestClear() { clearRequested = 1; }
    // True while Step runs: objects are being updated, so nothing may delete them.
    bool IsStepping() const { return stepping; }

    // Moves the object's entry to the front of the list (updated and drawn
    // first until the next sort).
    void MoveToFront(TGameObject* object);
    // Appends to `objects`; the TGameObject constructor calls it.
    void AddObject(TGameObject* object);
    void AddBitmap(TBitmap* bitmap);

    // The creation lines of every bitmap then every object, in list order; only
    // the `selected` ones when selectedOnly. Saved levels and modules are made
    // of these lines.
    std::string CreateCommands(bool selectedOnly = false) const;
    // Writes CreateCommands() to path (atomically).
    bool SaveAsModule(const std::string& path) const;

    // Called from Step while introTimer <= 126 and from DrawLate (the level
    // code installs the level-start effect here). Empty by default.
    std::function<void(TWorld&)> levelStartStep;
    std::function<void(TWorld&)> levelStartDraw;

    // Phase times of the last Step in milliseconds, filled only while
    // measurePhases is set (benchmarks).
    struct PhaseTimes {
        double physics = 0.0;
        double contacts = 0.0;
        double sort = 0.0;
        double updates = 0.0;
        double removal = 0.0;
    };
    bool measurePhases = false;
    PhaseTimes lastPhases;

    TGame* game = nullptr;
    std::string levelDir;
    std::unique_ptr<b2World> physics;
    TParticleSystem* particles = nullptr;  // 1000 particles, depth 12
    TParticleSystem* debris = nullptr;     // 100 particles, depth 13
    // Nodes are recycled: bullets and decals come and go every frame.
    TObjectList objects;
    TBitmapList bitmaps;
    uint8_t needsSort = 0;
    std::map<std::string, int32_t> enemyCounts;
    std::map<std::string, int32_t> killCounts;
    int32_t stepCount = 0;
    int32_t introTimer = 0;
    // The light of the level's zone, multiplied over the drawn world; white
    // (the plain picture) until a level script sets it, and again after a clear.
    float tint[3] = {1.0f, 1.0f, 1.0f};
    uint8_t clearRequested = 0;
    bool stepping = false;
    bool clearAfterStep = false;  // a clear asked for in the middle of a step

private:
    void DeleteEverything();
    void DrawTint() const;
    void RemoveDead();
    // Fixtures found by the last view query, in the order found.
    std::vector<b2Fixture*> viewFixtures;
};

// Ends of the level-start effect: it runs while introTimer is at most this.
constexpr int kIntroFrames = 126;

// The running game's world, or null before the game is set up. For code that
// needs the world and nothing else of the game.
TWorld* CurrentWorld();
