#pragma once
#include <box2d/b2_math.h>

class TWorld;

// What the module editor does to the selected objects and floor bitmaps of a
// world: rectangle selection, moving, turning, deleting, duplicating and the
// drawing order of bitmaps. Positions are world units unless a name says
// pixels; objects without a body are never selected by a rectangle nor moved.
//
// The selection's module rectangle and save origin are the globals moduleRect
// (ModuleFile.h) and saveOriginX/Y (MinimalObject.h): module files and
// creation lines are written around them.
class TSelectionEditor {
public:
    explicit TSelectionEditor(TWorld& world) : world(world) {}

    // Nothing stays selected.
    void ClearSelection();
    // Selects the objects and bitmaps lying strictly inside the rectangle
    // spanned by corners a and b (with `adding`, the selected ones stay
    // selected too) and deselects the rest. The module rectangle becomes the
    // extremes of the selection and the save origin its centre; a selection
    // that catches nothing leaves the rectangle inside out (min 10 000 000,
    // max −10 000 000) and the origin at (0, 0).
    void SelectRectangle(b2Vec2 a, b2Vec2 b, bool adding);
    // Moves the selection and the save origin by (dx, dy) world pixels.
    void Move(float dxPixels, float dyPixels);
    // Turns the selection by `angle` radians about the save origin.
    void Turn(float angle);
    // Removes the selected objects (two world steps) and parks the selected
    // bitmaps where nothing draws or saves them.
    void Delete();
    // Runs every selected object's and bitmap's creation line under a creation
    // transform that puts each copy on its original. Copies are not selected.
    void Duplicate();
    // The first selected bitmap to the end of the bitmap list (drawn on top)
    // or to its front (drawn first under everything).
    void RaiseBitmap();
    void LowerBitmap();

private:
    TWorld& world;
};

// Bounds the module rectangle starts from before a rectangle selection widens it.
constexpr float kEmptySelectionBound = 10000000.0f;
