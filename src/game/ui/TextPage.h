#pragma once
#include <string>

// How far the text page hangs above its resting place: -240 (off screen) at
// slide 0, 0 (fully down) at slide 1.
float TextPageOffset(float slide);

// A dark page that slides down from the top of the 320 x 240 screen with a
// block of white text on it; the state draws the menu bar over it.
void DrawTextPage(const std::string& text, float slide);
