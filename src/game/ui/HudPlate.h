#pragma once

// A dark, translucent plate behind HUD text, so that a line reads on any
// floor (brown ammunition on grey concrete, white on the hazard stripes).
// The plates go with the hints: drawn only while the settings' "hints" are on.

// Behind `lines` lines of `characters` glyphs whose first line is drawn at (x, y).
void DrawHudPlate(float x, float y, int characters, int lines = 1);
// Behind one line of text as DrawTextLine draws it at (x, y).
void DrawHudPlateFor(const char* text, float x, float y);
