#pragma once
#include "render/Sprite.h"
#include "world/Bitmap.h"
#include <box2d/b2_math.h>
#include <cstddef>
#include <string>

// A textured quad on the floor, under every object: a rectangle of a texture
// turned by an angle about its centre. Made by CreateBitmap; owned by the
// world's bitmap list.
class TFloorBitmap : public TBitmap {
public:
    // The texture region (x1, y1)–(x2, y2) in pixels of the named texture,
    // centred at (x, y) world units, turned by angle. A texture the scripts do
    // not know is reported and the bitmap draws nothing.
    TFloorBitmap(float x, float y, float angle, int x1, int y1, int x2, int y2,
                 const std::string& textureName);
    // The rectangle of frame `frame` of a sprite. Check with HasFrame first.
    TFloorBitmap(float x, float y, float angle, const TSprite& sprite, int frame);
    ~TFloorBitmap() override;

    // Blood and scorch marks are laid many a second: their memory is recycled.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    // Cut-out blending for opaque textures, transparency for ones with alpha.
    void Draw() override;
    // "CreateBitmap(...)" with the region and texture name; nothing for a
    // bitmap parked at (10000, 10000) pixels.
    std::string GetCreateCommand() override;

    // A deleted bitmap waits at (10000, 10000) pixels until the world is cleared.
    bool Parked() const { return centre.x == kParkedBitmapPixels && centre.y == kParkedBitmapPixels; }
    void Park() { Place(b2Vec2(kParkedBitmapPixels, kParkedBitmapPixels), angle); }
    static constexpr float kParkedBitmapPixels = 10000.0f;

    // Moves the centre (world pixels) and sets the angle; the corners follow.
    void Place(b2Vec2 newCentre, float newAngle);

    // True when the sprite has that frame and a texture to cut it from.
    static bool HasFrame(const TSprite* sprite, int frame);

    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;  // region, texture pixels
    TSpriteFrame frame;                                // the region
    TTexture* texture = nullptr;                       // null: draws nothing
    b2Vec2 centre;                                     // world pixels
    b2Vec2 corners[4];                                 // world pixels
    float angle = 0.0f;
    uint8_t hasAlphaBlend = 0;
    std::string textureName;

private:
    void PlaceCorners();
};
