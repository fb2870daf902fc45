#pragma once

// Moves the current projection a fraction of a pixel down, so that no edge drawn
// at a whole or half coordinate lies on a pixel centre (see Projection.cpp).
// Leaves the model-view matrix current. The 640 view comes nudged; the game
// view is nudged once the mouse has been read through it exactly. The views
// whose pictures are not shown as drawn (the distortion's) stay exact.
void NudgeRowsOffPixelCentres();

// Orthographic projections with y downward and an identity model-view.
void SetScreenView640();  // 0..640 x 0..480: overlays, HUD, console (nudged)
void SetScreenView320();  // 0..320 x 0..240
void SetWindowView();     // the window's own size
