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
// Once per frame: follows the player (look-ahead toward the crosshair, shake,
// the decaying kick, and with the "viewrotate" setting the turn toward the
// player's view rotation). Without a player the game screen's free camera
// pans with the movement keys; other screens leave the camera where it is.
void UpdateCamera(TGame* game);
// The signed turn in degrees from the camera angle (radians) toward the
// negated view rotation (radians), in (−180, 180].
float CameraTurnDegrees(float angle, float viewRotation);

// Camera follow tuning.
constexpr float kKickDecay = 0.99f;          // per frame
constexpr float kShakeDecay = 0.4f;          // per frame
constexpr float kTurnDeadZoneDegrees = 2.5f;
constexpr float kTurnStep = 1.0f / 150.0f;   // radians per frame outside the dead zone
constexpr int kSnapSteps = 9;                // world steps at the start of a level that snap the angle
