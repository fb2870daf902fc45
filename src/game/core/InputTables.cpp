#include "core/InputTables.h"
#include "core/App.h"
#include "render/Graphics.h"
#include <cstring>

TInputTables inputTables;

namespace {
float mouseWorldX = 0.0f;
float mouseWorldY = 0.0f;
// Set while a program (a replay or the automatic player) holds the pointer.
bool mouseWorldHeld = false;
}

void TInputTables::BeginFrame()
{
    std::memset(pressed, 0, sizeof pressed);
    std::memset(released, 0, sizeof released);
    std::memset(joyPressed, 0, sizeof joyPressed);
    std::memset(joyReleased, 0, sizeof joyReleased);
    anyKeyPressed = false;
    typedChar = 0;
    mouseWheel = 0;
    focusLost = false;
    keysDown.clear();
}

void TInputTables::CodeDown(int code)
{
    if (!Valid(code)) return;
    held[code] = 1;
    pressed[code] = 1;
    anyKeyPressed = true;
    lastKeyCode = code;
}

void TInputTables::CodeUp(int code)
{
    if (!Valid(code)) return;
    held[code] = 0;
    released[code] = 1;
}

bool TInputTables::HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        typedChar = static_cast<char>(event.key.keysym.unicode & 0xFF);
        CodeDown(event.key.keysym.sym);
        keysDown.push_back({event.key.keysym.sym, typedChar});
        break;
    case SDL_KEYUP:
        CodeUp(event.key.keysym.sym);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button > 5) break;
        if (event.button.button == 4) mouseWheel = -1;
        if (event.button.button == 5) mouseWheel = 1;
        CodeDown(kMouseCodeBase + event.button.button);
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button > 5) break;
        CodeUp(kMouseCodeBase + event.button.button);
        break;
    case SDL_JOYBUTTONDOWN:
        if (ValidJoy(event.jbutton.button)) {
            joyHeld[event.jbutton.button] = 1;
            joyPressed[event.jbutton.button] = 1;
        }
        break;
    case SDL_JOYBUTTONUP:
        if (ValidJoy(event.jbutton.button)) {
            joyHeld[event.jbutton.button] = 0;
            joyReleased[event.jbutton.button] = 1;
        }
        break;
    case SDL_ACTIVEEVENT:
        // The pointer leaving the window is no loss of focus.
        if (!event.active.gain && (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE))) focusLost = true;
        break;
    case SDL_VIDEORESIZE:
        return true;
    default:
        break;
    }
    return false;
}

void TInputTables::ClearHeldAndPressed(int lastCode)
{
    for (int code = 0; code <= lastCode && code < kInputCodeCount; ++code) {
        held[code] = 0;
        pressed[code] = 0;
    }
}

void TInputTables::SetKey(int code, bool down)
{
    if (down) CodeDown(code);
    else CodeUp(code);
}

bool KeyHeld(int code) { return inputTables.KeyHeld(code); }
bool KeyPressed(int code) { return inputTables.KeyPressed(code); }
bool KeyReleased(int code) { return inputTables.KeyReleased(code); }
void ReleaseKey(int code) { inputTables.ReleaseKey(code); }
bool JoyButtonHeld(int button) { return inputTables.JoyButtonHeld(button); }
bool JoyButtonPressed(int button) { return inputTables.JoyButtonPressed(button); }
bool JoyButtonReleased(int button) { return inputTables.JoyButtonReleased(button); }
void ReleaseJoyButton(int button) { inputTables.ReleaseJoyButton(button); }
bool AnyKeyPressed() { return inputTables.AnyKeyPressed(); }
void ClearAnyKeyPressed() { inputTables.ClearAnyKeyPressed(); }
char TypedChar() { return inputTables.TypedChar(); }
int LastKeyCode() { return inputTables.LastKeyCode(); }
int MouseWheel() { return inputTables.MouseWheel(); }

int MouseScreenX()
{
    float x = 0.0f, y = 0.0f;
    MousePicturePoint(&x, &y);
    return int(x);
}

int MouseScreenY()
{
    float x = 0.0f, y = 0.0f;
    MousePicturePoint(&x, &y);
    return int(y);
}

float MouseWorldX() { return mouseWorldX; }
float MouseWorldY() { return mouseWorldY; }

void SetMouseWorldPosition(float x, float y)
{
    mouseWorldX = x;
    mouseWorldY = y;
}

void HoldMouseWorldPosition(float x, float y)
{
    SetMouseWorldPosition(x, y);
    mouseWorldHeld = true;
}

bool MouseWorldHeld() { return mouseWorldHeld; }
