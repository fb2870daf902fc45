#pragma once
#include "core/screens/Menustate.h"

// The menu bar over the world.
class TMainMenuState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass2() override;

    // Set until the first level is loaded: Escape can't return to a game that isn't there.
    uint8_t noGameLoaded = 1;
};
