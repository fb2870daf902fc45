// The snake: its tail of 30 joined pieces that never collide with the head or
// each other, the tail following the head, the head hunting the player, and
// its death (or a level clear) taking every piece and joint with it.
#include "beams_test_support.h"
#include <box2d/box2d.h>
#include <cmath>
#include <set>

namespace {

class SnakeTest : public BeamFixture {
protected:
    // Light pieces: the head must be able to drag its whole tail about.
    void SetUp() override
    {
        BeamFixture::SetUp();
        ASSERT_EQ(Run("objectlist.snakesegment.mass = 0.2"), "");
    }

    static int Joints(b2World* physics, b2JointType type)
    {
        int n = 0;
        for (b2Joint* j = physics->GetJointList(); j; j = j->GetNext())
            if (j->GetType() == type) ++n;
        return n;
    }
};

TEST_F(SnakeTest, BuildsAChainOfThirtyPiecesHeadFirstInOneNonCollidingGroup)
{
    MakePlayer(50.0f, 0.0f);
    auto* snake = new TToruRobot(0.0f, 0.0f, 0.0f);
    const std::vector<TSnakeSegment*> tail = snake->Segments();
    ASSERT_EQ(tail.size(), 30u);
    EXPECT_EQ(world->enemyCounts["snake"], 1);
    EXPECT_EQ(Joints(world->physics.get(), e_revoluteJoint), 30);
    EXPECT_EQ(Joints(world->physics.get(), e_distanceJoint), 1);

    // Each revolute joint links consecutive links of the chain, head first.
    std::set<std::pair<b2Body*, b2Body*>> links;
    for (b2Joint* j = world->physics->GetJointList(); j; j = j->GetNext()) {
        links.insert({j->GetBodyA(), j->GetBodyB()});
        if (j->GetType() == e_distanceJoint) {
            auto* leash = static_cast<b2DistanceJoint*>(j);
            EXPECT_EQ(j->GetBodyA(), snake->body);
            EXPECT_EQ(j->GetBodyB(), tail.back()->body);
            EXPECT_FLOAT_EQ(leash->GetMaxLength(), 6.0f);
            EXPECT_LE(leash->GetMinLength(), 0.01f);  // Box2D keeps a hair above 0
            EXPECT_FLOAT_EQ(leash->GetStiffness(), 0.0f);
        }
    }
    b2Body* previous = snake->body;
    for (TSnakeSegment* piece : tail) {
        EXPECT_TRUE(links.count({previous, piece->body})) << "piece not hung on the one before";
        EXPECT_EQ(piece->body->GetFixtureList()->GetFilterData().groupIndex, kSnakeGroup);
        EXPECT_EQ(piece->GetCreateCommand(), "") << "pieces are rebuilt by the snake";
        previous = piece->body;
    }
    EXPECT_EQ(snake->body->GetFixtureList()->GetFilterData().groupIndex, kSnakeGroup);

    // Overlapping as they are, head and pieces never push each other apart.
    Frames(5);
    for (b2Contact* c = world->physics->GetContactList(); c; c = c->GetNext()) {
        const bool a = c->GetFixtureA()->GetFilterData().groupIndex == kSnakeGroup;
        const bool b = c->GetFixtureB()->GetFilterData().groupIndex == kSnakeGroup;
        EXPECT_FALSE(a && b && c->IsTouching());
    }
}

TEST_F(SnakeTest, TheTailFollowsTheHeadAndTheHeadHuntsThePlayer)
{
    TPlayer* player = MakePlayer(9.0f, 0.0f);
    player->health = 1e9f;
    auto* snake = new TToruRobot(0.0f, 0.0f, 0.0f);
    TSnakeSegment* last = snake->Segments().back();
    const b2Vec2 lastStart = last->GetPosition();

    float nearest = 1e9f;
    for (int i = 0; i < 300; ++i) {
        Frames(1);
        const b2Vec2 h = snake->GetPosition();
        nearest = std::min(nearest, (h - player->GetPosition()).Length());
        // The tail is laid out 9 m long; once the leash has pulled it in, it
        // holds the tail end within 6 m (plus the solver's slop).
        if (i >= 30) {
            ASSERT_LT((h - last->GetPosition()).Length(), 6.5f) << "frame " << i;
        }
    }
    EXPECT_LT(nearest, 2.0f) << "the snake closes in on the player it sees";
    EXPECT_GT((last->GetPosition() - lastStart).Length(), 3.0f) << "the tail is dragged along";
    // Consecutive pieces stay hung together.
    const std::vector<TSnakeSegment*> tail = snake->Segments();
    for (size_t i = 1; i < tail.size(); ++i)
        EXPECT_LT((tail[i]->GetPosition() - tail[i - 1]->GetPosition()).Length(), 0.6f) << i;
}

TEST_F(SnakeTest, DeathAndLevelClearTakeEveryPieceAndJoint)
{
    MakePlayer(50.0f, 0.0f);
    auto* snake = new TToruRobot(0.0f, 0.0f, 1.0f);
    // A piece removed on its own (a script, say) only shortens the tail.
    snake->Segments()[10]->dead = 1;
    Frames(1);
    EXPECT_EQ(snake->Segments().size(), 29u);
    EXPECT_EQ(Live<TSnakeSegment>(), 29);

    snake->health = -1.0f;
    for (int i = 0; i < 60 && Live<TToruRobot>() > 0; ++i) Frames(1);
    EXPECT_EQ(Live<TToruRobot>(), 0);
    Frames(1);
    EXPECT_EQ(Live<TSnakeSegment>(), 0);
    EXPECT_EQ(Live<TElectric>(), 0);
    EXPECT_EQ(world->physics->GetJointCount(), 0);
    EXPECT_EQ(world->killCounts["snake"], 1);

    // A living snake cleared with the level: nothing dangles (the sanitizer
    // build watches the destructors).
    auto* other = new TToruRobot(3.0f, 3.0f, 0.0f);
    ASSERT_EQ(other->Segments().size(), 30u);
    world->Clear();
    EXPECT_EQ(world->physics->GetJointCount(), 0);
    EXPECT_EQ(world->physics->GetBodyCount(), 0);
}

TEST_F(SnakeTest, PiecesThrowShortLivedArcsAtNearbyWalls)
{
    MakePlayer(50.0f, 0.0f);
    // Walls all round the snake, close enough for every ray to find one.
    Wall(0.0f, 2.0f, 12.0f, 0.3f);
    Wall(0.0f, -2.0f, 12.0f, 0.3f);
    auto* snake = new TToruRobot(0.0f, 0.0f, 0.0f);
    const std::vector<TSnakeSegment*> tail = snake->Segments();
    std::vector<TElectric*> held(tail.size(), nullptr);
    int births = 0, arcFrames = 0;
    for (int i = 0; i < 1500; ++i) {
        Frames(1);
        for (size_t k = 0; k < tail.size(); ++k) {
            TElectric* arc = tail[k]->Arc();
            if (arc && arc->dead) arc = nullptr;
            if (arc && arc != held[k]) ++births;
            held[k] = arc;
            if (!arc) continue;
            ++arcFrames;
            EXPECT_NEAR(std::fabs(arc->end.y), 1.7f, 0.05f) << "an arc ends on a wall face";
            EXPECT_NEAR(arc->start.x, tail[k]->GetPosition().x, 0.5f) << "and starts at its piece";
        }
    }
    EXPECT_GE(births, 8) << "about 19 arcs are expected in 1500 updates";
    EXPECT_LE(births, 40);
    // Each arc lives about ten updates.
    EXPECT_LT(double(arcFrames) / double(births), 20.0);
    EXPECT_GT(double(arcFrames) / double(births), 4.0);
}

} // namespace
