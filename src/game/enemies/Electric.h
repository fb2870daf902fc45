#pragma once
#include "world/GameObject.h"
#include <box2d/b2_math.h>
#include <cstdint>

// An electric arc between two points (world units): six jittered strands
// along the quadratic curve from `start` through `control` to `end`, drawn
// additively, with a flash and sparks where it lands. The arc keeps no
// pointer to anything: whoever made it (an electric shot, a snake piece) moves
// its ends each update and marks it dead when done with it. A sensor circle
// of radius 1 at the midpoint lets the view find it on screen.
class TElectric : public TGameObject {
public:
    TElectric(float x1, float y1, float x2, float y2);

    // Advances the six phase counters and keeps the sensor at the midpoint.
    void Update() override;
    void Draw() override;

    // Moves both ends; the control point goes back to the midpoint.
    void SetEnds(b2Vec2 from, b2Vec2 to);
    // The curve point at t in [0, 1].
    b2Vec2 CurvePoint(float t) const;

    b2Vec2 start{0.0f, 0.0f};
    b2Vec2 end{0.0f, 0.0f};
    b2Vec2 control{0.0f, 0.0f};
    uint8_t attached = 0;  // the end sits on an enemy
    float phase[6] = {};
};

// How far each phase counter moves per update.
constexpr float kArcPhaseSteps[6] = {1.07f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f};
constexpr float kArcSensorRadius = 1.0f;
// At most this many samples per strand, however long the arc.
constexpr int kArcMaxSamples = 512;
