#include "world/ContactFilter.h"
#include "world/RayCastBulletCallback.h"
#include "world_test_support.h"
#include <cmath>

using WorldPhysics = WorldFixture;

TEST_F(WorldPhysics, BodyBuildersUseTheGameDefaults)
{
    auto* probe = new TProbe(nullptr, "p");
    b2Body* circle = CreateCircleBody(1.5f, 2.0f, false, probe, 3.0f, 4.0f);
    ASSERT_NE(circle, nullptr);
    probe->body = circle;
    EXPECT_EQ(circle->GetType(), b2_dynamicBody);
    EXPECT_EQ(ObjectOfBody(circle), probe);
    EXPECT_FLOAT_EQ(circle->GetLinearDamping(), 3.0f);
    EXPECT_FLOAT_EQ(circle->GetAngularDamping(), 4.0f);
    const b2Fixture* f = circle->GetFixtureList();
    EXPECT_FLOAT_EQ(f->GetFriction(), 0.0f);
    EXPECT_FLOAT_EQ(f->GetRestitution(), 0.5f);
    EXPECT_FLOAT_EQ(f->GetDensity(), 2.0f);
    EXPECT_EQ(f->GetFilterData().categoryBits, 1);
    EXPECT_EQ(f->GetFilterData().maskBits, 0xFFFF);
    EXPECT_FLOAT_EQ(f->GetShape()->m_radius, 1.5f);

    auto* wall = new TProbe(nullptr, "w");
    wall->body = CreateBoxBody(1.0f, 0.5f, 0.0f, true, wall, 0.0f, 0.0f);
    EXPECT_EQ(wall->body->GetType(), b2_staticBody);
    EXPECT_TRUE(wall->body->GetFixtureList()->IsSensor());
    EXPECT_FLOAT_EQ(wall->body->GetFixtureList()->GetShape()->m_radius, b2_polygonRadius);
    auto* negative = new TProbe(nullptr, "n");
    negative->body = CreateBoxBody(1.0f, 1.0f, -1.0f, false, negative, 0.0f, 0.0f);
    EXPECT_EQ(negative->body->GetType(), b2_staticBody) << "boxes are dynamic only above 0";

    b2Fixture* extra = AddCircleFixture(1.0f, 2.0f, 0.25f, 1.0f, true, circle);
    ASSERT_NE(extra, nullptr);
    EXPECT_FLOAT_EQ(static_cast<b2CircleShape*>(extra->GetShape())->m_p.y, 2.0f);
    EXPECT_EQ(AddCircleFixture(0, 0, 1, 1, false, nullptr), nullptr);

    // Position moves keep the angle; deleting the object removes its body.
    circle->SetTransform(b2Vec2(0, 0), 0.7f);
    probe->SetPosition(b2Vec2(3.0f, 4.0f));
    EXPECT_FLOAT_EQ(probe->GetPosition().x, 3.0f);
    EXPECT_FLOAT_EQ(probe->GetAngle(), 0.7f);
    const int bodies = world->physics->GetBodyCount();
    probe->dead = 1;
    world->Step();
    EXPECT_EQ(world->physics->GetBodyCount(), bodies - 1);
}

TEST_F(WorldPhysics, ContactFilterFollowsModesAndGroups)
{
    TContactFilter filter;
    TProbe* a = ProbeAt(0, 0, 1, 1);
    TProbe* b = ProbeAt(0, 0, 1, 1);
    b2Fixture* fa = a->body->GetFixtureList();
    b2Fixture* fb = b->body->GetFixtureList();
    auto group = [](b2Fixture* f, int16 g) {
        b2Filter data = f->GetFilterData();
        data.groupIndex = g;
        f->SetFilterData(data);
    };
    a->collisionType = kCollisionWall;
    b->collisionType = kCollisionBullet;
    EXPECT_TRUE(filter.ShouldCollide(fa, fb)) << "solid, group 0: whatever the types";
    b2Filter noMask = fb->GetFilterData();
    noMask.maskBits = 0;
    fb->SetFilterData(noMask);
    EXPECT_TRUE(filter.ShouldCollide(fa, fb)) << "mask bits are not consulted";
    group(fa, -3);
    group(fb, -3);
    EXPECT_FALSE(filter.ShouldCollide(fa, fb)) << "a shared negative group never touches";
    group(fb, 2);
    EXPECT_TRUE(filter.ShouldCollide(fa, fb)) << "different groups touch";
    group(fa, 2);
    EXPECT_TRUE(filter.ShouldCollide(fa, fb)) << "a shared positive group touches";
    b->collision = kCollisionModeNone;
    EXPECT_FALSE(filter.ShouldCollide(fa, fb));
    EXPECT_FALSE(filter.ShouldCollide(fb, fa));
    b->collision = kCollisionModeSensor;
    EXPECT_TRUE(filter.ShouldCollide(fa, fb));
}

TEST_F(WorldPhysics, ContactsReachBothObjectsEveryStep)
{
    // A sensor overlapping a static wall, and two solid circles pressed together.
    TProbe* sensor = ProbeAt(0, 0, 1, 1, true, "sensor");
    sensor->collision = kCollisionModeSensor;
    TProbe* wall = ProbeAt(0.5f, 0, 1, 0, false, "wall");
    for (int step = 1; step <= 3; ++step) {
        world->Step();
        ASSERT_EQ(sensor->contacts.size(), size_t(step)) << "reported every step while it overlaps";
        ASSERT_EQ(wall->contacts.size(), size_t(step));
        EXPECT_EQ(sensor->contacts.back().other, wall);
        EXPECT_EQ(wall->contacts.back().other, sensor);
        EXPECT_EQ(sensor->contacts.back().normal, wall->contacts.back().normal);
        EXPECT_EQ(sensor->contacts.back().point, wall->contacts.back().point);
        EXPECT_TRUE(std::isfinite(sensor->contacts.back().normal.x));
    }

    TProbe* left = ProbeAt(10, 0, 1, 1, false, "left");
    TProbe* right = ProbeAt(11.5f, 0, 1, 0, false, "right");
    left->body->SetLinearVelocity(b2Vec2(2.0f, 0.0f));
    world->Step();
    ASSERT_FALSE(left->contacts.empty());
    ASSERT_FALSE(right->contacts.empty());
    const ProbeContact& c = left->contacts.front();
    EXPECT_EQ(c.other, right);
    EXPECT_EQ(c.normal, right->contacts.front().normal);
    EXPECT_EQ(c.relativeVelocity, right->contacts.front().relativeVelocity);
    EXPECT_GT(std::fabs(c.normal.x), 0.9f) << "the normal runs along the line of centres";
    EXPECT_NEAR(c.point.y, 0.0f, 0.05f);

    // Collision mode 0 makes no contacts at all.
    TProbe* ghost = ProbeAt(20, 0, 1, 1, false, "ghost");
    ghost->collision = kCollisionModeNone;
    TProbe* block = ProbeAt(20.5f, 0, 1, 0, false, "block");
    world->Step();
    world->Step();
    EXPECT_TRUE(ghost->contacts.empty());
    EXPECT_TRUE(block->contacts.empty());
}

TEST_F(WorldPhysics, RayCastsAcceptOnlySolidObjectsOfTheMask)
{
    TProbe* near = ProbeAt(5, 0, 1, 0, false, "near");
    near->collisionType = kCollisionEnemy;
    TProbe* far = ProbeAt(10, 0, 1, 0, false, "far");
    far->collisionType = kCollisionWall;

    b2Vec2 point(-1, -1), normal(-1, -1);
    TGameObject* hitObject = nullptr;
    float fraction = -1.0f;
    ASSERT_TRUE(RayCast(0, 0, 20, 0, &point, &normal, &hitObject, kBulletMask, &fraction));
    EXPECT_EQ(hitObject, near) << "the closest accepted hit wins";
    EXPECT_NEAR(point.x, 4.0f, 1e-4f);
    EXPECT_NEAR(normal.x, -1.0f, 1e-4f);
    EXPECT_NEAR(fraction, 0.2f, 1e-4f);

    ASSERT_TRUE(RayCast(0, 0, 20, 0, &point, nullptr, &hitObject, kCollisionWall, nullptr));
    EXPECT_EQ(hitObject, far) << "types outside the mask are passed through";
    ASSERT_TRUE(RayCast(0, 0, 20, 0, nullptr, nullptr, &hitObject, kBulletMask, nullptr, near));
    EXPECT_EQ(hitObject, far) << "the ignored shooter is passed through";

    // Mask 0 never hits; the point is the end point then.
    EXPECT_FALSE(RayCast(0, 0, 20, 0, &point, &normal, &hitObject, 0, nullptr));
    EXPECT_EQ(point, b2Vec2(20, 0));
    EXPECT_EQ(hitObject, nullptr);

    // Zero length: false, nothing written.
    point.Set(7, 7);
    hitObject = far;
    fraction = 3.0f;
    EXPECT_FALSE(RayCast(5, 0, 5, 0, &point, &normal, &hitObject, kBulletMask, &fraction));
    EXPECT_EQ(point, b2Vec2(7, 7));
    EXPECT_EQ(hitObject, far);
    EXPECT_EQ(fraction, 3.0f);

    // Sensors, collision 0 and collision 2 are invisible to rays.
    near->collision = kCollisionModeNone;
    far->collision = kCollisionModeSensor;
    TProbe* sensor = ProbeAt(7, 0, 1, 0, true, "sensor");
    sensor->collisionType = kCollisionWall;
    EXPECT_FALSE(RayCast(0, 0, 20, 0, nullptr, nullptr, &hitObject, 0xFFFFFFFF, nullptr));
    (void)sensor;
}

TEST_F(WorldPhysics, AHitRightAtTheStartEndsTheCast)
{
    TProbe* first = ProbeAt(1, 0, 1, 0, false, "first");
    TProbe* second = ProbeAt(1, 0, 1, 0, false, "second");
    TRayCastCallback callback;
    callback.mask = kCollisionNull;
    EXPECT_FLOAT_EQ(callback.ReportFixture(first->body->GetFixtureList(), b2Vec2(1, 0),
                                           b2Vec2(-1, 0), 0.5f),
                    0.5f)
        << "an ordinary hit clips the ray there";
    EXPECT_EQ(callback.ReportFixture(second->body->GetFixtureList(), b2Vec2(0, 0), b2Vec2(-1, 0),
                                     0.00005f),
              0.0f)
        << "a hit at the very start stops the cast";
    EXPECT_EQ(callback.object, second);
    EXPECT_FLOAT_EQ(callback.fraction, 0.00005f);
    EXPECT_EQ(callback.hit, 1);

    TRayCastBulletCallback bullet;
    bullet.mask = kCollisionNull;
    bullet.ignore = second;
    EXPECT_EQ(bullet.ReportFixture(second->body->GetFixtureList(), b2Vec2(0, 0), b2Vec2(-1, 0), 0.3f),
              -1.0f);
    EXPECT_EQ(bullet.hit, 0);
}
