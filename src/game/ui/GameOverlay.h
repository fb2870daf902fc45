#pragma once

class TGame;

// The game state's second pass: the aiming line, the late pass with the HUD,
// and the crosshair at the mouse.
void DrawGameOverlay(TGame* game);
