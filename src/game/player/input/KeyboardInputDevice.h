#pragma once
#include "player/input/InputDevice.h"

// Keyboard and mouse through the rebindable actions of settings.keys. Every
// query looks its binding up again, so a rebinding takes effect at once; an
// unbound action (code 0) tests key code 0.
class TKeyboardInputDevice : public TInputDevice {
public:
    // Mouse world position in units minus position, at most 8 units long.
    b2Vec2 GetAim(b2Vec2 position) override;
    b2Vec2 GetMove() override;
    int GetItemStep() override;
    bool IsShootHeld() override;
    bool IsAimHeld() override;
    bool IsStabPressed() override;
    bool IsUsePressed() override;
    bool IsDropPressed() override;
    bool IsCombinePressed() override;
    // Lowest code 0..176 pressed this frame, −1 when none.
    int GetFirstPressedKey() override;
    void ReleaseShoot() override;
};

// Longest keyboard aim, world units.
constexpr float kMaxKeyboardAim = 8.0f;
