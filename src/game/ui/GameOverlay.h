#pragma once
#include <box2d/b2_math.h>

class TGame;
class TPlayer;

// The game state's second pass: while a player exists the aiming line and the
// world's late pass (the HUD among it); always the crosshair at the mouse.
void DrawGameOverlay(TGame* game);

// The aiming line from the player toward the mouse (both world pixels),
// shortened by 20 pixels at each end. False (nothing to draw) unless the
// player aims and the mouse is more than kAimLineMinDistance pixels away.
bool AimingLine(const TPlayer* player, float mouseX, float mouseY, b2Vec2* from, b2Vec2* to);

constexpr float kAimLineMinDistance = 40.0f;
