#include "player/input/GamepadInputDevice.h"
#include "core/App.h"
#include "core/InputTables.h"
#include <cmath>

int TGamepadInputDevice::ReadAxis(int axis)
{
    if (!joystick || axis >= SDL_JoystickNumAxes(joystick)) return 0;
    return SDL_JoystickGetAxis(joystick, axis);
}

float TGamepadInputDevice::Axis(int axis)
{
    return float(ReadAxis(axis)) * 2.0f / 32768.0f;
}

b2Vec2 TGamepadInputDevice::GetAim(b2Vec2)
{
    aimX = (Axis(3) + 2.0f * aimX) / 3.0f;
    aimY = (Axis(2) + 2.0f * aimY) / 3.0f;
    return b2Vec2(aimX, aimY);
}

b2Vec2 TGamepadInputDevice::GetMove()
{
    return b2Vec2(Axis(0), Axis(1));
}

int TGamepadInputDevice::GetItemStep()
{
    if (JoyButtonPressed(1)) return -1;
    if (JoyButtonPressed(2)) return 1;
    return 0;
}

bool TGamepadInputDevice::IsShootHeld() { return JoyButtonHeld(7); }
bool TGamepadInputDevice::IsAimHeld() { return std::sqrt(aimX * aimX + aimY * aimY) > 0.4f; }
bool TGamepadInputDevice::IsStabPressed() { return JoyButtonPressed(5); }
bool TGamepadInputDevice::IsUsePressed() { return JoyButtonPressed(6); }
bool TGamepadInputDevice::IsDropPressed() { return JoyButtonPressed(8); }
bool TGamepadInputDevice::IsCombinePressed() { return JoyButtonPressed(9); }
void TGamepadInputDevice::ReleaseShoot() { ReleaseJoyButton(7); }
