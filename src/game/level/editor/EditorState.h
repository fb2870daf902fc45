#pragma once
#include "core/screens/Menustate.h"
#include <cstdint>

class TSprite;

// The script-driven placement editor ("editor", F2). editor.lua fills
// edit_commands (functions 1..length, and the field length), edit_sprites
// (a preview sprite name per command) and edit_rendercmds (an optional
// function per command that draws its own preview). Every update publishes
// edit_mousex, edit_mousey (the mouse in world units), edit_dir (the placement
// angle, negated), edit_type (the command) and edit_frame (the preview frame);
// the left button runs the current command. M and N step through the
// commands, K and J through the preview frames; U and I turn the placement
// angle fast, T and Y slowly; the arrow keys pan; F10 toggles the shadows.
class TEditorState : public TMenustate {
public:
    explicit TEditorState(TGame* game) : TMenustate(game) { isEditor = 1; drawsShadows = 0; }
    void Update() override;
    // The world, then the command's own preview or its sprite under the mouse.
    void DrawPass1() override;
    // The view faces north.
    void Enter() override;

    int commandNumber = 1;
    float placementAngle = 0.0f;
    int previewFrame = 0;
    TSprite* previewSprite = nullptr;

private:
    // edit_commands.length, or -1 (reported once) when it is not a number.
    int CommandCount();
    void Publish();
    void HandleKeys(int count);
    bool lengthReported = false;
};

// Placement angle steps while U/I (coarse) or T/Y (fine) are held, radians per frame.
constexpr float kCoarseTurn = 0.05f;
constexpr float kFineTurn = 0.01f;
