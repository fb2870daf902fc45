#include "autoplay/AutoControls.h"
#include "core/InputTables.h"
#include "script/ScriptHost.h"
#include <SDL/SDL.h>

void TAutoControls::Hold(int code)
{
    if (code > 0 && code < kInputCodeCount) wanted.insert(code);
}

void TAutoControls::Tap(int code)
{
    if (code > 0 && code < kInputCodeCount) tapped.insert(code);
}

void TAutoControls::HoldAction(const char* action)
{
    Hold(GetKeyBinding(action));
}

void TAutoControls::TapAction(const char* action)
{
    Tap(GetKeyBinding(action));
}

void TAutoControls::Point(float worldX, float worldY)
{
    HoldMouseWorldPosition(worldX, worldY);
}

bool TAutoControls::Wants(const char* action) const
{
    const int code = GetKeyBinding(action);
    return wanted.count(code) > 0 || tapped.count(code) > 0;
}

void TAutoControls::Clear()
{
    wanted.clear();
    tapped.clear();
}

void TAutoControls::Push(int code, bool isDown)
{
    SDL_Event event{};
    if (code > kMouseCodeBase) {
        event.type = isDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.type = event.type;
        event.button.button = static_cast<Uint8>(code - kMouseCodeBase);
        event.button.state = isDown ? SDL_PRESSED : SDL_RELEASED;
    } else {
        event.type = isDown ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.type = event.type;
        event.key.state = isDown ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = static_cast<SDLKey>(code);
    }
    SDL_PushEvent(&event);
    if (isDown) down.insert(code);
    else down.erase(code);
}

void TAutoControls::PushEvents()
{
    for (auto it = down.begin(); it != down.end();) {
        const int code = *it++;
        if (!wanted.count(code) && !tapped.count(code)) Push(code, false);
    }
    for (int code : tapped) {
        if (down.count(code)) Push(code, false);
        Push(code, true);
    }
    for (int code : wanted) {
        if (tapped.count(code)) continue;
        // The game may have let go of a held key (a single-shot weapon fired):
        // lift the finger and press again, as a person would.
        if (down.count(code) && !KeyHeld(code)) Push(code, false);
        if (!down.count(code)) Push(code, true);
    }
    Clear();
}
