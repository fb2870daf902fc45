#pragma once
#include "world/GameObject.h"
#include <cstdint>
#include <string>

// A nest of zombies under the floor: a wide sensor circle that wakes when the
// player steps into it with nothing but open air between them, then lets out
// a zombie about every fourth update (count + 1 in all) and disappears.
//
// The zombies it will release are counted in world->enemyCounts["zombie"] as
// soon as it is made, so a level's enemy count is right from the start. The
// player sees it only with the "detector" selected, as a dashed ring.
class TZombieSpawner : public TGameObject {
public:
    // At (x, y) world units, angle in radians (the direction zombies come out).
    TZombieSpawner(float x, float y, float angle, int count);

    void Update() override;
    // Editors: two white rings. In play: the detector ring, fading out with distance.
    void Draw() override;
    // "CreateZSpawner(x,y,angle,zspawncount)\n": the count comes from the script global.
    std::string GetCreateCommand() override;
    // The player touching it in the open wakes it.
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2 normal, b2Vec2 relativeVelocity) override;

    // Lets out one zombie now (Update does this with chance 1/4 once triggered).
    void Release();

    int32_t triggered = 0;
    int32_t count = 0;
    float phase = 0.0f;
};

// The count of a spawner whose line leaves it to the script global zspawncount
// while that global is not set (luainit.lua sets the same value).
constexpr int kDefaultSpawnerCount = 5;

// The detector ring: fully visible at this distance or nearer, gone beyond the far one.
constexpr float kDetectorNear = 4.0f;
constexpr float kDetectorFar = 8.5f;
// Alpha of the detector ring for a spawner `distance` world units away.
float DetectorAlpha(float distance);
