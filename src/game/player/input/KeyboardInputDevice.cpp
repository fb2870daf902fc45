#include "player/input/KeyboardInputDevice.h"
#include "core/InputTables.h"
#include "script/ScriptHost.h"
#include <cmath>

namespace {

bool Held(const char* action)
{
    return KeyHeld(GetKeyBinding(action));
}

bool Pressed(const char* action)
{
    return KeyPressed(GetKeyBinding(action));
}

// Key codes a keyboard "press any key" prompt considers.
constexpr int kLastFirstPressedCode = 176;

} // namespace

b2Vec2 TKeyboardInputDevice::GetAim(b2Vec2 position)
{
    float dx = MouseWorldX() / 12.0f - position.x;
    float dy = MouseWorldY() / 12.0f - position.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > kMaxKeyboardAim) {
        dx *= kMaxKeyboardAim / length;
        dy *= kMaxKeyboardAim / length;
    }
    return b2Vec2(dx, dy);
}

b2Vec2 TKeyboardInputDevice::GetMove()
{
    b2Vec2 move(0.0f, 0.0f);
    if (Held("left")) move.x -= 1.0f;
    if (Held("right")) move.x += 1.0f;
    if (Held("up")) move.y -= 1.0f;
    if (Held("down")) move.y += 1.0f;
    return move;
}

int TKeyboardInputDevice::GetItemStep()
{
    if (Pressed("previtem")) return -1;
    if (Pressed("nextitem")) return 1;
    return 0;
}

bool TKeyboardInputDevice::IsShootHeld() { return Held("shoot"); }
bool TKeyboardInputDevice::IsAimHeld() { return Held("aim"); }
bool TKeyboardInputDevice::IsStabPressed() { return Pressed("stab"); }
bool TKeyboardInputDevice::IsUsePressed() { return Pressed("use"); }
bool TKeyboardInputDevice::IsDropPressed() { return Pressed("drop"); }
bool TKeyboardInputDevice::IsCombinePressed() { return Pressed("combine"); }

int TKeyboardInputDevice::GetFirstPressedKey()
{
    for (int code = 0; code <= kLastFirstPressedCode; ++code)
        if (KeyPressed(code)) return code;
    return -1;
}

void TKeyboardInputDevice::ReleaseShoot()
{
    ReleaseKey(GetKeyBinding("shoot"));
}
