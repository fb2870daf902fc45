#pragma once
#include "player/input/InputDevice.h"

// The first gamepad: left stick moves, right stick aims (smoothed), fixed
// buttons for the actions. Without a joystick every axis reads 0.
class TGamepadInputDevice : public TInputDevice {
public:
    // Moves the stored aim a third of the way toward the right stick (axis 3
    // drives x, axis 2 drives y) and returns it; the position is not used.
    b2Vec2 GetAim(b2Vec2 position) override;
    b2Vec2 GetMove() override;
    int GetItemStep() override;         // button 1 previous, button 2 next
    bool IsShootHeld() override;        // button 7
    bool IsAimHeld() override;          // stored aim longer than 0.4, not updated
    bool IsStabPressed() override;      // button 5
    bool IsUsePressed() override;       // button 6
    bool IsDropPressed() override;      // button 8
    bool IsCombinePressed() override;   // button 9
    void ReleaseShoot() override;

    float aimX = 0.0f;
    float aimY = 0.0f;

protected:
    // Raw axis value −32768..32767 of the opened joystick, 0 without one.
    virtual int ReadAxis(int axis);

private:
    // An axis scaled to −2..2.
    float Axis(int axis);
};
