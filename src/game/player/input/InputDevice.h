#pragma once
#include <box2d/b2_math.h>

// Where the player's intentions come from. The player never reads keys itself:
// each frame it asks its device for a movement vector, an aim vector and the
// action states. Crates and the combine menu ask the same device.
class TInputDevice {
public:
    virtual ~TInputDevice() = default;

    // Offset from `position` (world units) to the crosshair, world units.
    virtual b2Vec2 GetAim(b2Vec2 position) = 0;
    // Movement wish, each axis in about −2..2 (keyboard: −1, 0 or +1).
    virtual b2Vec2 GetMove() = 0;
    // −1 previous item, +1 next item, 0 neither (previous wins when both).
    virtual int GetItemStep() = 0;
    virtual bool IsShootHeld() = 0;
    virtual bool IsAimHeld() = 0;
    virtual bool IsStabPressed() = 0;
    virtual bool IsUsePressed() = 0;
    virtual bool IsDropPressed() = 0;
    virtual bool IsCombinePressed() = 0;
    // The lowest key code pressed this frame, −1 for none; devices without
    // keys answer 0.
    virtual int GetFirstPressedKey() { return 0; }
    // Lets go of the shoot control, so a held trigger does not act again until
    // it is pressed anew (single-shot weapons, combining, opening a crate).
    virtual void ReleaseShoot() = 0;
};
