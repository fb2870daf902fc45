#pragma once

class TGame;

// Camera globals, in world pixels (12 per metre).
extern float cameraX;
extern float cameraY;
extern float cameraAngle;  // radians
extern float cameraSpin;
extern float cameraShake;  // starts 1.0

// Projection 0..320 x 0..240; model-view: translate (80, 60), scale zoom, rotate by
// the camera angle, translate (x, y).
void SetGameView(float x, float y, float zoom);
// Remembers the viewport, model-view and projection of this frame for WorldToScreen.
void SaveMatrices();
// A world point (pixels) to 640 x 480 overlay coordinates, y downward.
void WorldToScreen(float x, float y, float* screenX, float* screenY);
// First step of drawing: camera transform, clear, blend mode 4, no face culling.
void BeginGameFrame();
// Unprojects the mouse into world pixels for MouseWorldX/Y; after BeginGameFrame.
void ComputeMouseWorldPosition();
// Follows the player (look-ahead, shake, kick, optional rotation). Without a
// player the camera stays where it is.
void UpdateCamera(TGame* game);
