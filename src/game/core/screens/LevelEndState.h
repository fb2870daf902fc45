#pragma once
#include "core/screens/Menustate.h"

// Between two levels: the summary of the one just finished; any key goes on.
class TLevelEndState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;
    void DrawPass1() override {}
    void DrawPass2() override;
    void Enter() override;
    void Leave() override;
};
