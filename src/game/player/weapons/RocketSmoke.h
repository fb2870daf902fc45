#pragma once
#include "world/MinimalObject.h"
#include <vector>

class TObjectDefinition;
class TTexture;

// One smoke trail behind a rocket: a strip of points that drift, slow down and
// fade, drawn as one textured quad strip of "tex_rocketsmoke". The trail
// outlives its rocket until its last point has faded.
class TRocketSmoke : public TMinimalObject {
public:
    struct TPoint {
        float x, y;    // world pixels
        float vx, vy;  // pixels per update
        float alpha;
        float brightness;
    };

    // At (x, y) world units with the body of the objectlist kind "rocket",
    // touching nothing.
    TRocketSmoke(float x, float y, const TObjectDefinition& rocket);

    // Appends a point (pixels, pixels per update) at full alpha.
    void AddPoint(float x, float y, float vx, float vy);
    // Moves and fades every point; gone once none is left visible.
    void Update() override;
    void Draw() override;
    // Not saved with a level.
    std::string GetCreateCommand() override;

    std::vector<TPoint> points;
};

// Alpha a smoke point loses per update.
constexpr float kSmokeFade = 0.006f;
