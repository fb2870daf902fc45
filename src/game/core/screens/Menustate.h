#pragma once
#include <cstdint>

class TGame;

// A screen of the program: the game, a menu, a summary, the map, an editor.
// Registered once under a name; exactly one is current at a time.
class TMenustate {
public:
    explicit TMenustate(TGame* game) : game(game) {}
    virtual ~TMenustate() = default;

    virtual void Update() {}
    // Default: the world.
    virtual void DrawPass1();
    virtual void DrawPass2() {}
    virtual void Enter() {}
    virtual void Leave() {}

    uint8_t isEditor = 0;
    uint8_t drawsShadows = 1;
    TGame* game;
};
