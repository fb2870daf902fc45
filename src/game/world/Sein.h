#pragma once
#include "world/MinimalObject.h"
#include <cstdint>
#include <string>

// A wall block: one of the fixed block types of CreateBlock, or a block drawn
// with any sprite frame (CreateBlock2). Walls stop bullets with sparks, dust
// and a hit sound chosen by their material, and most cast field-of-view
// shadows. The frame field holds the block's value (its sprite frame).
class TSein : public TMinimalObject {
public:
    // A CreateBlock block of type 0..5 at (x, y) world units with the body
    // angle in radians (type 2 picks its own random angle). Type 6 blocks are
    // TPuuSein; any other type makes a plain 2 x 2 unit box.
    TSein(float x, float y, float angle, float value, int type);
    // A CreateBlock2 block: a static box of the frame's size, depth 10, no
    // shadows, the given material. A sprite without that frame gets a one-unit
    // box and a message on stderr.
    TSein(float x, float y, float angle, const std::string& spriteName, int frame, int material);

    // Soft black outline (scaled 1.14, alpha 0.1), then the frame (int)frame.
    void Draw() override;
    // Types 0..4: a CreateBlock line. CreateBlock2 blocks: a CreateBlock2 line
    // naming the sprite, the frame and the material, so a saved level keeps
    // what they look like and how they sound. Door leaves write nothing.
    std::string GetCreateCommand() override;
    // Bullets: sparks, dust or smoke and a hit sound by material. Lasers: smoke.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    int32_t type = 0;
    std::string spriteName;  // CreateBlock2 blocks only

protected:
    // For derived blocks that build their own body.
    TSein();
    // Moves the body to (x, y) and turns it to angle.
    void PlaceBody(float x, float y, float angle);
};

// Block types of CreateBlock.
constexpr int kBlockWall = 0;            // "spr_sein", 2 x 2 units
constexpr int kBlockSmallWall = 1;       // "spr_vsein", 0.5 x 0.5
constexpr int kBlockPillar = 2;          // "spr_sammas", octagon
constexpr int kBlockLongMetal = 3;       // "spr_pikksein"
constexpr int kBlockLongJagged = 4;      // "spr_sakilinesein"
constexpr int kBlockDoorLeaf = 5;        // "spr_uks", kinematic, made by doors
constexpr int kBlockBreakable = 6;       // "spr_puustuks", a TPuuSein
// The type of CreateBlock2 blocks, which name their own sprite.
constexpr int kBlockNamedSprite = -1;

// Types CreateBlock accepts.
inline bool IsWallBlockType(int type) { return type >= kBlockWall && type <= kBlockBreakable; }
// The sprite of a CreateBlock type ("" for others).
const char* WallBlockSpriteName(int type);
