#pragma once
#include "world/GameObject.h"
#include <string>

class TSprite;
class TObjectDefinition;

// An object with a body that draws one sprite: the scenery defined by the
// script table `objectlist` (pillars, barrels, furniture, wall-like props),
// and the base of the static pieces that draw a single sprite.
class TMinimalObject : public TGameObject {
public:
    // Reads objectlist[name], then builds the object at (x, y, angle) (world
    // units, radians, already through the creation transform). Null when the
    // entry is missing or malformed: no object is left in the world then. An
    // unknown name also writes "ERROR: cannot create object\"name\"! \n" to
    // stderr. `error` (may be null) receives the text of the script error the
    // caller should raise.
    static TMinimalObject* Create(float x, float y, float angle, const std::string& name,
                                  std::string* error);

    // Builds from an entry that was already read and checked.
    TMinimalObject(float x, float y, float angle, const std::string& name,
                   const TObjectDefinition& definition);
    ~TMinimalObject() override;

    void Update() override;
    // Drop shadow (black, alpha 0.2, offset shadowDist right and down), then the sprite.
    void Draw() override;
    // "CreateObject(x,y,angle,\"typeName\")\n" relative to the save origin.
    std::string GetCreateCommand() override;
    // The black strip behind each polygon as seen from the player.
    void DrawShadow() override;
    // Sensor pushing and the material reactions to bullets and lasers.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    TSprite* sprite = nullptr;
    float frame = 0.0f;
    float shadowDist = 0.0f;  // world pixels
    uint8_t fovShadows = 0;
    int32_t material = 0;     // index into the `materials` table
    std::string typeName;

protected:
    // For derived pieces that build their own body and sprite.
    TMinimalObject();
    explicit TMinimalObject(TWorld* world);
};

// Material numbers of the `materials` script table.
constexpr int kMaterialStoneYellow = 0;
constexpr int kMaterialMetalRed = 1;
constexpr int kMaterialMetalGrey = 2;
constexpr int kMaterialMetalBlue = 3;
constexpr int kMaterialWoodDestructable = 4;
constexpr int kMaterialStoneDestructable = 5;

// The save origin subtracted from positions in creation lines; (0, 0) except
// while a module editor writes a module.
extern float saveOriginX;
extern float saveOriginY;
