#pragma once

class TGame;

// Until a level has a player, the camera is the only way to look around it:
// the movement keys (the `keys` bindings up/down/left/right) and the arrow
// keys pan it by 6 world pixels a frame, 4 times as fast with left Shift.
// Does nothing while a player exists. Returns whether it moved the camera.
bool UpdateFreeCamera(TGame* game);

// The editors' camera: the arrow keys alone pan it by 6 world pixels a frame,
// whatever the zoom and whether or not a player exists.
void PanCameraWithArrowKeys();
