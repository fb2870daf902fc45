#pragma once
#include "world/MinimalObject.h"

class TElectric;
class TObjectDefinition;

// One tail piece of the snake: an `objectlist` "snakesegment" object that the
// snake joins into its tail. Each update it brakes its sideways slide (so the
// tail slithers instead of skidding) and now and then throws an electric arc
// at a wall nearby, which crackles along with it for a few updates.
//
// The piece owns its arc (marked dead with the piece) and holds no pointer to
// the snake or its joints; Box2D removes the joints with the bodies.
class TSnakeSegment : public TMinimalObject {
public:
    // A piece from objectlist["snakesegment"] at (x, y) with `angle`, in the
    // snake's non-colliding group. Null when the entry is missing or broken
    // (*error, may be null, then holds the script error).
    static TSnakeSegment* Create(float x, float y, float angle, std::string* error);

    TSnakeSegment(float x, float y, float angle, const TObjectDefinition& definition);
    ~TSnakeSegment() override;

    void Update() override;
    // The snake writes itself; its pieces are not saved.
    std::string GetCreateCommand() override { return ""; }

    // The arc while it exists, else null.
    TElectric* Arc() const;

private:
    TGameObject* arc = nullptr;  // checked against the live objects before use
};

constexpr const char* kSnakeSegmentKind = "snakesegment";
// The snake's physics group: its head and pieces never collide with each other.
constexpr int kSnakeGroup = -4;
constexpr float kSegmentSideFriction = 15.0f;
constexpr float kSegmentArcChance = 0.001f;
constexpr float kSegmentArcEndChance = 0.1f;
constexpr float kSegmentArcReach = 3.0f;
