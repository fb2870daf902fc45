#pragma once
#include "level/EditorState.h"

// The second module editor (objects placed by script commands).
class TEditorState2 : public TEditorState {
public:
    using TEditorState::TEditorState;
};
