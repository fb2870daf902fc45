#pragma once

// Orthographic projections with y downward and an identity model-view.
void SetScreenView640();  // 0..640 x 0..480: overlays, HUD, console
void SetScreenView320();  // 0..320 x 0..240
void SetWindowView();     // the window's own size
