#include "world/CreationTransform.h"
#include "world/MathUtil.h"
#include <box2d/box2d.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

TEST(WorldMath, AnglesAndDirections)
{
    EXPECT_FLOAT_EQ(AngleDifferenceDeg(350, 10), 20);
    EXPECT_FLOAT_EQ(AngleDifferenceDeg(10, 350), -20);
    EXPECT_FLOAT_EQ(AngleDifferenceDeg(-90, 90), 180) << "-180 turns into +180";
    EXPECT_FLOAT_EQ(AngleDifferenceDeg(90, -90), -180) << "+180 turns into -180";
    EXPECT_FLOAT_EQ(AngleDifferenceDeg(720 + 30, -300), 30);
    EXPECT_FLOAT_EQ(AngleDifferenceDeg(0, 179), 179);

    // Game directions point along (cos, -sin): screen y grows downward.
    const b2Vec2 up = AngleVector(std::numbers::pi_v<float> / 2);
    EXPECT_NEAR(up.x, 0, 1e-6);
    EXPECT_NEAR(up.y, -1, 1e-6);
    EXPECT_NEAR(VectorAngle(up.x, up.y), std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(AngleBetween(0, 0, 0, 5), std::atan2(5.0, 0.0), 1e-6);
    EXPECT_NEAR(AngleBetween(0, 0, 5, 0), std::numbers::pi, 1e-6) << "atan2(dy, x1 - x2)";
    EXPECT_FLOAT_EQ(Distance(0, 0, 3, 4), 5);
    EXPECT_FLOAT_EQ(DistanceSquared(1, 1, 4, 5), 25);
}

TEST(WorldMath, TransformsInvert)
{
    const float a = 0.9f, s = std::sin(a), c = std::cos(a);
    const b2Vec2 p = TransformPoint(3, -2, 10, 20, s, c);
    const b2Vec2 back = InverseTransformPoint(p.x, p.y, 10, 20, s, c);
    EXPECT_NEAR(back.x, 3, 1e-5);
    EXPECT_NEAR(back.y, -2, 1e-5);
    const b2Vec2 r = RotateVector(1, 0, std::numbers::pi_v<float> / 2);
    EXPECT_NEAR(r.x, 0, 1e-6);
    EXPECT_NEAR(r.y, 1, 1e-6);

    TCreationTransform t;
    float x = 1, y = 1, angle = 1;
    t.Get(&x, &y, &angle);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(angle, 0) << "identity at start";
    t.Set(100, 50, std::numbers::pi_v<float> / 2);
    const b2Vec2 moved = t.Apply(10, 0);
    EXPECT_NEAR(moved.x, 100, 1e-4);
    EXPECT_NEAR(moved.y, 60, 1e-4);
    t.Get(&x, &y, &angle);
    EXPECT_NEAR(angle, std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(t.ApplyAngle(0.25f), 0.25 + std::numbers::pi / 2, 1e-6);
}

TEST(WorldMath, CurvesAndSegments)
{
    const b2Vec2 start = QuadraticBezier(0, 0, 10, 0, 5, 10, 0);
    const b2Vec2 mid = QuadraticBezier(0, 0, 10, 0, 5, 10, 0.5f);
    const b2Vec2 end = QuadraticBezier(0, 0, 10, 0, 5, 10, 1);
    EXPECT_EQ(start, b2Vec2(0, 0));
    EXPECT_EQ(end, b2Vec2(10, 0));
    EXPECT_NEAR(mid.x, 5, 1e-5);
    EXPECT_NEAR(mid.y, 5, 1e-5);
    // At the top of the symmetric arch the tangent is horizontal.
    const b2Vec2 n = QuadraticBezierNormal(0, 0, 10, 0, 5, 10, 0.5f);
    EXPECT_NEAR(n.x, 0, 1e-5);
    EXPECT_NE(n.y, 0);

    EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 10, 0, 10, 10, 0));
    EXPECT_FALSE(SegmentsIntersect(0, 0, 4, 4, 6, 4, 10, 0)) << "the lines cross past the ends";
    EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 0, 0, 1, 10, 1)) << "parallel";
    EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 0, 10, -5, 10, 5)) << "touching an end counts";
}

TEST(WorldMath, NoiseIsDeterministicAndBounded)
{
    EXPECT_EQ(Noise2(3, 7), Noise2(3, 7));
    EXPECT_NE(Noise2(3, 7), Noise2(7, 3));
    // Worked value of the lattice hash at the origin.
    EXPECT_FLOAT_EQ(Noise2(0, 0), 1.0f - 1376312589.0f / 1073741824.0f);
    float lo = 1, hi = -1;
    for (int y = -300; y < 300; y += 7)
        for (int x = -300; x < 300; x += 3) {
            const float v = Noise2(x * 40503, y * 9973);  // large values wrap around
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    EXPECT_GE(lo, -1.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_LT(lo, -0.8f) << "values spread over the range";
    EXPECT_GT(hi, 0.8f);

    EXPECT_FLOAT_EQ(SmoothNoise(4, 9), Noise2(4, 9)) << "lattice points are the raw noise";
    const float between = SmoothNoise(4.5f, 9);
    EXPECT_NEAR(between, 0.5f * (Noise2(4, 9) + Noise2(5, 9)), 1e-5);
    const float f = FractalNoise(1.3f, -2.7f);
    EXPECT_EQ(f, FractalNoise(1.3f, -2.7f));
    EXPECT_LE(std::fabs(f), 1.0f);
}

TEST(WorldMath, RandomRangeStaysInsideItsBounds)
{
    std::srand(7);
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 5000; ++i) {
        const float v = RandomRange(-2.0f, 3.0f);
        ASSERT_GE(v, -2.0f);
        ASSERT_LE(v, 3.0f);
        sawLow |= v < -1.5f;
        sawHigh |= v > 2.5f;
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_FALSE(Chance(0.0f));
    int hits = 0;
    for (int i = 0; i < 2000; ++i) hits += Chance(0.25f);
    EXPECT_GT(hits, 350);
    EXPECT_LT(hits, 650);
    // Certainty is certain: the draw never reaches 1 (enough draws to meet the top value).
    int misses = 0;
    for (int i = 0; i < 400000; ++i) misses += !Chance(1.0f);
    EXPECT_EQ(misses, 0);
}

TEST(WorldMath, DragSlowsOnlyDynamicBodies)
{
    b2World w(b2Vec2(0, 0));
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* body = w.CreateBody(&def);
    b2CircleShape circle;
    circle.m_radius = 1;
    body->CreateFixture(&circle, 1.0f);
    body->SetLinearVelocity(b2Vec2(4, 0));
    ApplyDrag(body, 2.0f);
    w.Step(1.0f / 30.0f, 7, 7);
    // Force -8 on mass pi for 1/30 s.
    EXPECT_NEAR(body->GetLinearVelocity().x, 4.0f - 8.0f / std::numbers::pi_v<float> / 30.0f, 1e-4);
    def.type = b2_staticBody;
    b2Body* wall = w.CreateBody(&def);
    ApplyDrag(wall, 2.0f);
    ApplyDrag(nullptr, 1.0f);
}
