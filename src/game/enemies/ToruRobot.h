#pragma once
#include "enemies/Enemy.h"
#include <string>
#include <vector>

class TSnakeSegment;

// The snake: a heavy robot head that hunts like any enemy and drags a tail of
// 30 pieces behind it. Each piece hangs on the one before it (the first on
// the head) by a revolute joint, and a slack distance joint of at most 6 m
// ties the last piece to the head so the tail can't be stretched apart. Head
// and pieces are in one physics group that never collides with itself.
//
// The snake keeps its pieces as checked handles: when it dies (or goes with
// the level) it marks every piece still alive dead; Box2D takes the joints
// with the bodies, so no joint outlives a body it holds.
class TToruRobot : public TEnemy {
public:
    // At (x, y) world units with body angle `bodyAngle`; the tail is laid out
    // straight behind the head.
    TToruRobot(float x, float y, float bodyAngle);
    ~TToruRobot() override;

    // The enemy state machine; once dead, the tail goes too.
    void Update() override;
    // "CreateSnake(x,y,angle)\n".
    std::string GetCreateCommand() override;

    // The pieces still alive, head end first.
    std::vector<TSnakeSegment*> Segments() const;

private:
    void DropTail();
    std::vector<TGameObject*> tail;  // checked against the live objects before use
};

TEnemyTuning SnakeTuning();
TEnemyAnimationTable SnakeAnimation();

constexpr int kSnakeSegments = 30;
constexpr float kSnakeSegmentSpacing = 0.3f;
constexpr float kSnakeTailSlack = 6.0f;
