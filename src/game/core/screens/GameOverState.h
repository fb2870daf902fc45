#pragma once
#include "core/screens/Menustate.h"

// The player is dead: the run's summary until Return.
class TGameOverState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void DrawPass1() override {}
    void DrawPass2() override;
    void Enter() override;
    void Leave() override;
};
