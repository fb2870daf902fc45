#pragma once
#include "core/screens/Menustate.h"

// Playing: steps the world, follows the player with the camera, draws the overlay.
class TGameState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass1() override;
    void DrawPass2() override;
};
