#pragma once
#include "core/screens/Menustate.h"
#include <box2d/b2_math.h>

// The module editor ("editor2", F3): the room in the world is edited with the
// mouse. The left button drags a selection rectangle (left Shift adds to the
// selection), the right button moves the selection, the middle button turns
// it about its centre (one degree per screen pixel of vertical motion), Delete
// removes it, Return duplicates it in place, Q and W put the first selected
// floor bitmap on top of the others or under them, the arrow keys pan, F10
// shows or hides the field-of-view shadows. F7 (anywhere) saves the selection
// as a module. The world is not stepped here, so physics leaves the pieces
// where they are put.
class TEditorState2 : public TMenustate {
public:
    explicit TEditorState2(TGame* game) : TMenustate(game) { isEditor = 1; drawsShadows = 0; }
    void Update() override;
    // The world, outlines of the selected bitmaps, red boxes round the selected
    // objects, the cursor, and the rubber band while the left button is held.
    void DrawPass1() override;
    // The cursor's world position as text.
    void DrawPass2() override;
    // The view faces north.
    void Enter() override;

    b2Vec2 editCursor{0.0f, 0.0f};  // the mouse in world units
    b2Vec2 anchor{0.0f, 0.0f};      // where the rectangle selection started
    int lastMouseX = 0;             // the mouse in 320 x 240 screen space after the last update
    int lastMouseY = 0;

private:
    void Edit();
    void DrawSelection() const;
};

// One screen pixel of vertical mouse motion turns the selection this far (radians).
constexpr float kTurnPerScreenPixel = 0.017453292f;
// A screen pixel of mouse motion moves the selection this many world pixels.
constexpr float kMovePerScreenPixel = 0.5f;
