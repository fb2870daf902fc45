#pragma once
#include "autoplay/ItemStepWatch.h"
#include <box2d/b2_math.h>
#include "world/ObjectRef.h"
#include <cstdint>
#include <set>

class TAutoControls;
class TGameObject;
class TPlayer;
class TWorld;

// The automatic player's looting: items lying near it and the crates and
// lockers it passes. It walks up, presses "use", and from an open crate takes
// everything with the trigger until the crate is empty.
class TAutoLooting {
public:
    // The nearest loot not given up on: items lying in sight within reach,
    // and when `farLoot` is worth the walk, from far, seen or not, the
    // crates it knows of and for a `hungry` player (short of rounds) rounds
    // lying about, as long as they lie not too far off the way to the
    // `goal` (the gate; null when unknown). Writes where to stand for it;
    // null when there is none.
    TGameObject* Choose(TPlayer& player, TWorld& world, bool hungry, bool farLoot, const b2Vec2* goal,
                        b2Vec2* standAt);
    // Works on the loot while standing at it; false once it is done with it
    // (emptied, picked up, or given up on).
    bool Work(TPlayer& player, TGameObject* loot, TAutoControls& hands);
    // With the inventory nearly full, drops one thing it has no use for
    // (spare materials, a second gun of a kind or one that fires the rounds
    // of a better gun carried, a detector); true while busy.
    bool Tidy(TPlayer& player, TAutoControls& hands);
    // Never try this one again on this level.
    void GiveUp(const TGameObject* loot);
    // Where someone stands to open a crate: in front of its lid.
    static b2Vec2 CrateFront(TGameObject& crate);

private:
    // The slot of something not worth carrying, or -1.
    static int Junk(const TPlayer& player);
    std::set<uint64_t> givenUp;  // by creation number: addresses are handed out again
    TObjectRef working;
    int workFrames = 0;
    int tidyFrames = 0;
    TItemStepWatch steps;  // the pack's item steps, taken by the game or not
};
