#include "render/effects/Decals.h"
#include "world/World.h"
#include "render/Sprite.h"
#include "world/FloorBitmap.h"
#include "world/Physics.h"
#include <cstdlib>

bool PlaceDecal(const TSprite* sprite, int frame, float x, float y, float angle)
{
    if (!CurrentWorld() || !TFloorBitmap::HasFrame(sprite, frame)) return false;
    new TFloorBitmap(x, y, angle, *sprite, frame);  // the world's bitmap list owns it
    return true;
}

bool PlaceDecal(const char* spriteName, int frame, float x, float y, float angle)
{
    if (!CurrentWorld()) return false;
    return PlaceDecal(FindSprite(spriteName), frame, x, y, angle);
}

bool PlaceBloodDecal(float px, float py)
{
    const float x = px + float(std::rand() % 3 - 1);
    const float y = py + float(std::rand() % 3 - 1);
    const int frame = std::rand() % 8;
    const float angle = float(std::rand() % 100);
    return PlaceDecal("spr_veri", frame, x / kPixelsPerUnit, y / kPixelsPerUnit, angle);
}
