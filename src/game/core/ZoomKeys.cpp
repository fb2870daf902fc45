#include "core/ZoomKeys.h"
#include "core/App.h"
#include "core/InputTables.h"

void ApplyZoomKeys()
{
    if (KeyHeld(SDLK_KP_PLUS)) cameraZoom += 0.05f;
    if (KeyHeld(SDLK_KP_MINUS)) cameraZoom -= 0.05f;
    if (KeyHeld(SDLK_KP0)) cameraZoom = 1.0f;
    if (KeyHeld(SDLK_KP1)) {
        cameraZoom = 0.5f;
        return;
    }
    if (cameraZoom < 0.05f) cameraZoom = 0.05f;
    if (cameraZoom > 2.0f) cameraZoom = 2.0f;
}
