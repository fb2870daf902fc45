#include "enemies/ToruRobot.h"
#include "enemies/SnakeSegment.h"
#include "render/Sprite.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>

TEnemyTuning SnakeTuning()
{
    TEnemyTuning t;
    t.sightRange = 15.0f;
    t.maxSpeedSq = 19.0f;
    t.moveForce = 207.0f;
    t.turnRate = 15.5f;
    t.steerChance = 2.0f;
    t.touchDamage = 10.0f;
    t.shootChance = 0.0f;
    t.scoreValue = 6;
    return t;
}

TEnemyAnimationTable SnakeAnimation()
{
    TEnemyAnimationTable table;
    table.Set(kActionIdle, 0, 2, 0.1f, kActionIdle);
    table.Set(kActionWalk, 0, 2, 0.001f, kAnimLoop);
    table.Set(kActionFall, 0, 2, 0.25f, kActionLay);
    table.Set(kActionRise, 0, 1, 0.0f, kActionIdle);
    table.Set(kActionPain, 0, 1, 0.1f, kActionIdle);
    table.Set(kActionLay, 0, 1, 0.0f, kAnimLoop);
    table.Set(kActionHit, 2, 3, 0.25f, kActionIdle);
    table.Set(kActionShoot, 0, 1, 0.5f, kActionShoot);
    table.Set(kActionAim, 0, 1, 0.25f, kActionShoot);
    table.Set(kActionSprint, 0, 1, 0.001f, kActionSprint);
    return table;
}

TToruRobot::TToruRobot(float x, float y, float bodyAngle) : TEnemy("snake")
{
    tuning = SnakeTuning();
    animation = SnakeAnimation();
    health = 600.0f;
    maxHealth = 600.0f;
    sprite = FindSprite("spr_snake_head");
    BuildBody(x, y, bodyAngle, 0.25f, 12.0f, 2.0f, 5.0f);
    if (!body || !world || !world->physics) return;
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        b2Filter filter = f->GetFilterData();
        filter.groupIndex = int16(kSnakeGroup);
        f->SetFilterData(filter);
    }

    // Straight behind the head, each piece's front anchor on the back anchor
    // of the one before it, so the joints start out satisfied.
    const b2Vec2 back(-std::cos(bodyAngle), -std::sin(bodyAngle));
    b2Body* previous = body;
    b2Body* last = nullptr;
    for (int i = 0; i < kSnakeSegments; ++i) {
        const b2Vec2 at = b2Vec2(x, y) + (kSnakeSegmentSpacing * float(i + 1)) * back;
        TSnakeSegment* piece = TSnakeSegment::Create(at.x, at.y, bodyAngle, nullptr);
        if (!piece || !piece->body) break;
        tail.push_back(piece);
        b2RevoluteJointDef joint;
        joint.bodyA = previous;
        joint.bodyB = piece->body;
        joint.localAnchorA.Set(-0.15f, 0.0f);
        joint.localAnchorB.Set(0.15f, 0.0f);
        joint.referenceAngle = piece->body->GetAngle() - previous->GetAngle();
        world->physics->CreateJoint(&joint);
        previous = piece->body;
        last = piece->body;
    }
    if (last) {
        b2DistanceJointDef leash;
        leash.bodyA = body;
        leash.bodyB = last;
        leash.localAnchorA.SetZero();
        leash.localAnchorB.SetZero();
        leash.length = kSnakeTailSlack;
        leash.minLength = 0.0f;
        leash.maxLength = kSnakeTailSlack;
        leash.stiffness = 0.0f;
        leash.damping = 0.0f;
        world->physics->CreateJoint(&leash);
    }
}

TToruRobot::~TToruRobot()
{
    DropTail();
}

std::vector<TSnakeSegment*> TToruRobot::Segments() const
{
    std::vector<TSnakeSegment*> alive;
    for (TGameObject* piece : tail)
        if (TSnakeSegment* s = ObjectFromHandleAs<TSnakeSegment>(piece))
            if (!s->dead) alive.push_back(s);
    return alive;
}

void TToruRobot::DropTail()
{
    for (TSnakeSegment* piece : Segments()) piece->dead = 1;
    tail.clear();
}

void TToruRobot::Update()
{
    TEnemy::Update();
    if (dead) DropTail();
}

std::string TToruRobot::GetCreateCommand()
{
    const b2Vec2 p = BodyPosition();
    char line[128];
    std::snprintf(line, sizeof line, "CreateSnake(%f,%f,%f)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle());
    return line;
}
