#pragma once
#include "core/screens/Menustate.h"

// Through the tenth gate: the way out and the whole run's figures until
// Return; then the run is recorded as won and the main menu comes back.
class TWinState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass1() override {}
    void DrawPass2() override;
    void Enter() override;
    void Leave() override;
};
