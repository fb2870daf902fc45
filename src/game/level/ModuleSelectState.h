#pragma once
#include "core/Menustate.h"

// The module selection screen of the editor.
class TModuleSelectState : public TMenustate {
public:
    using TMenustate::TMenustate;
    void Update() override;

    int words[4] = {};
};
