#pragma once
#include <SDL/SDL.h>
#include <cstdint>
#include <vector>

// One code space for keys and mouse buttons: SDL key symbols 0..321, and
// mouse button b (1 left, 2 middle, 3 right, 4 wheel up, 5 wheel down) as 322 + b.
constexpr int kMouseCodeBase = 322;
constexpr int kInputCodeCount = 328;
constexpr int kJoyButtonCount = 10;

// A key that went down, with the character it typed (0 for none).
struct TKeyDown {
    int code;
    char character;
};

// The frame's input state: what is held, what went down or up this frame.
// Rebuilt by the event poll once per frame; everything else only reads it.
class TInputTables {
public:
    // Clears the per-frame tables (pressed, released, typed char, wheel, any-key).
    void BeginFrame();
    // Applies one SDL event. Returns true for a video-resize event the caller must handle.
    bool HandleEvent(const SDL_Event& event);
    // Clears held and pressed for the codes a fresh start must not see as down.
    void ClearHeldAndPressed(int lastCode);

    bool KeyHeld(int code) const { return Valid(code) && held[code]; }
    bool KeyPressed(int code) const { return Valid(code) && pressed[code]; }
    bool KeyReleased(int code) const { return Valid(code) && released[code]; }
    void ReleaseKey(int code) { if (Valid(code)) held[code] = 0; }
    // Takes this frame's press of `code` away from everyone after the caller.
    void ForgetPress(int code) { if (Valid(code)) pressed[code] = 0; }

    bool JoyButtonHeld(int b) const { return ValidJoy(b) && joyHeld[b]; }
    bool JoyButtonPressed(int b) const { return ValidJoy(b) && joyPressed[b]; }
    bool JoyButtonReleased(int b) const { return ValidJoy(b) && joyReleased[b]; }
    void ReleaseJoyButton(int b) { if (ValidJoy(b)) joyHeld[b] = 0; }

    bool AnyKeyPressed() const { return anyKeyPressed; }
    void ClearAnyKeyPressed() { anyKeyPressed = false; }
    char TypedChar() const { return typedChar; }
    int LastKeyCode() const { return lastKeyCode; }
    int MouseWheel() const { return mouseWheel; }
    // The window lost the keyboard's focus or was minimised this frame.
    bool FocusLost() const { return focusLost; }
    // Every key that went down this frame, in order. Fast typing puts several keys
    // in one frame; the typed character above keeps only the last.
    const std::vector<TKeyDown>& KeysDownThisFrame() const { return keysDown; }

    // Sets a key's state directly; used by tests and by the input replay.
    void SetKey(int code, bool down);

private:
    static bool Valid(int code) { return code >= 0 && code < kInputCodeCount; }
    static bool ValidJoy(int b) { return b >= 0 && b < kJoyButtonCount; }
    void CodeDown(int code);
    void CodeUp(int code);

    uint8_t held[kInputCodeCount] = {};
    uint8_t pressed[kInputCodeCount] = {};
    uint8_t released[kInputCodeCount] = {};
    uint8_t joyHeld[kJoyButtonCount] = {};
    uint8_t joyPressed[kJoyButtonCount] = {};
    uint8_t joyReleased[kJoyButtonCount] = {};
    bool anyKeyPressed = false;
    char typedChar = 0;
    int lastKeyCode = 0;
    int mouseWheel = 0;
    bool focusLost = false;
    std::vector<TKeyDown> keysDown;
};

extern TInputTables inputTables;

// The queries every part of the game uses.
bool KeyHeld(int code);
bool KeyPressed(int code);
bool KeyReleased(int code);
void ReleaseKey(int code);
bool JoyButtonHeld(int button);
bool JoyButtonPressed(int button);
bool JoyButtonReleased(int button);
void ReleaseJoyButton(int button);
bool AnyKeyPressed();
void ClearAnyKeyPressed();
char TypedChar();
int LastKeyCode();
int MouseWheel();

// Mouse position in the 320 x 240 screen space, read from SDL at the call.
int MouseScreenX();
int MouseScreenY();
// Mouse position in world pixels, computed once per frame while drawing.
float MouseWorldX();
float MouseWorldY();
void SetMouseWorldPosition(float x, float y);
// Points at (x, y) world pixels from now on: the mouse no longer moves the
// pointer (a replay or the automatic player has taken it over).
void HoldMouseWorldPosition(float x, float y);
bool MouseWorldHeld();
