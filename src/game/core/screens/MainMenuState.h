#pragma once
#include "core/screens/Menustate.h"

// The menu bar over the world.
class TMainMenuState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass2() override;
    // Tells the scripts (MainMenuEntered) so that the menu can offer "resume".
    void Enter() override;
    // A level is loaded with its player alive: Escape (and "resume") go back to it.
    bool CanResume() const;

    // Set until the first level is loaded: Escape can't return to a game that isn't there.
    uint8_t noGameLoaded = 1;
};
