#pragma once

class TSprite;

// Floor decals: one sprite frame copied into a floor bitmap of the current
// world, drawn under every object until the level is cleared (craters, blood,
// gibs at rest, corpses).

// Frame `frame` of `sprite` centred at (x, y) world units, turned like a
// bitmap of that angle. Nothing (false) when the sprite lacks the frame or its
// texture, or there is no world.
bool PlaceDecal(const TSprite* sprite, int frame, float x, float y, float angle);
// The same for a sprite the scripts know by name.
bool PlaceDecal(const char* spriteName, int frame, float x, float y, float angle);
// A blood splash: "spr_veri", a random frame 0..7 and a random angle 0..99, at
// (px, py) world pixels moved by a random -1..1 pixel on each axis.
bool PlaceBloodDecal(float px, float py);
