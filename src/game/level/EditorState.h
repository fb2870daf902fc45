#pragma once
#include "core/Menustate.h"

// The module editor. Until the editor tools exist it shows the world without
// field-of-view shadows; Escape returns to the main menu.
class TEditorState : public TMenustate {
public:
    explicit TEditorState(TGame* game) : TMenustate(game) { isEditor = 1; drawsShadows = 0; }
    void Update() override;
};
