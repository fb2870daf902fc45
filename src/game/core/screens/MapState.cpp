#include "core/screens/MapState.h"
#include "render/Projection.h"
#include "core/App.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "script/ScriptHost.h"
#include "ui/Easing.h"
#include "world/World.h"
#include <cmath>

void TMapState::Update()
{
    const bool mapKey = KeyPressed(GetKeyBinding("map"));
    if (phase == 1) {
        transition = static_cast<float>(transition + 0.1);
        if (transition > 1.0f) {
            transition = 1.0f;
            phase = 2;
        }
    } else if (phase == 2) {
        if (mapKey) phase = 0;
    } else {
        transition = static_cast<float>(transition - 0.1);
        if (transition < 0.0f) {
            transition = 0.0f;
            game->SetState("game");
        }
    }
    if (mapKey) phase = 0;
    UpdateCamera(game);

    mapX += panX;
    mapY += panY;
    float dx = 0.0f, dy = 0.0f;
    if (KeyHeld(SDLK_UP) || KeyHeld(SDLK_w)) dy -= 6.0f;
    if (KeyHeld(SDLK_DOWN) || KeyHeld(SDLK_s)) dy += 6.0f;
    if (KeyHeld(SDLK_LEFT) || KeyHeld(SDLK_a)) dx -= 6.0f;
    if (KeyHeld(SDLK_RIGHT) || KeyHeld(SDLK_d)) dx += 6.0f;
    const float c = std::cos(-cameraAngle), s = std::sin(-cameraAngle);
    const float rx = dx * c - dy * s;
    const float ry = dx * s + dy * c;
    panX = (rx + panX) * 0.8f;
    panY = (ry + panY) * 0.8f;
}

void TMapState::SetMapView() const
{
    SetGameView(-CosineInterpolate(cameraX, mapX, transition),
                -CosineInterpolate(cameraY, mapY, transition), cameraZoom);
    NudgeRowsOffPixelCentres();
}

void TMapState::DrawPass1()
{
    SetMapView();
    TMenustate::DrawPass1();
}

void TMapState::DrawPass2()
{
    cameraZoom = CosineInterpolate(savedZoom, 0.2f, transition);
    SetMapView();
    // The markers fade in through their alpha, which only blend mode 2 honours.
    SetBlendMode(2);
    if (game->world) game->world->DrawOnMap(CosineInterpolate(0.0f, 1.0f, transition));
}

void TMapState::Enter()
{
    transition = 0.0f;
    phase = 1;
    savedZoom = cameraZoom;
    mapX = cameraX;
    mapY = cameraY;
}
