#include "level/editor/FreeCamera.h"
#include "core/App.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/Camera.h"
#include "script/ScriptHost.h"

namespace {

constexpr float kPanStep = 6.0f;

bool Held(const char* binding, int arrow)
{
    const int bound = GetKeyBinding(binding);
    return KeyHeld(arrow) || (bound > 0 && KeyHeld(bound));
}

} // namespace

bool UpdateFreeCamera(TGame* game)
{
    if (!game || game->player) return false;
    float dx = 0.0f, dy = 0.0f;
    if (Held("up", SDLK_UP)) dy -= 1.0f;
    if (Held("down", SDLK_DOWN)) dy += 1.0f;
    if (Held("left", SDLK_LEFT)) dx -= 1.0f;
    if (Held("right", SDLK_RIGHT)) dx += 1.0f;
    if (dx == 0.0f && dy == 0.0f) return false;
    const float zoom = cameraZoom > 0.0f ? cameraZoom : 1.0f;
    const float step = kPanStep * (KeyHeld(SDLK_LSHIFT) ? 4.0f : 1.0f) / zoom;
    cameraX += dx * step;
    cameraY += dy * step;
    return true;
}

void PanCameraWithArrowKeys()
{
    if (KeyHeld(SDLK_UP)) cameraY -= kPanStep;
    if (KeyHeld(SDLK_DOWN)) cameraY += kPanStep;
    if (KeyHeld(SDLK_LEFT)) cameraX -= kPanStep;
    if (KeyHeld(SDLK_RIGHT)) cameraX += kPanStep;
}
