// Time bombs, sticky charges and rockets.
#include "effects_test_support.h"
#include "player/Actor.h"
#include "player/items/Container.h"
#include "player/weapons/Kuul.h"
#include "player/weapons/Rocket.h"
#include "player/weapons/RocketSmoke.h"
#include "player/weapons/SmallExplosive.h"
#include "player/weapons/TimeBomb.h"
#include "render/Camera.h"
#include "world/Plahvatus.h"

namespace {

const char* kBombTable = R"(
itemtable = {
  pommike = { frame = 3, invtext = "bomb", longtext = "a bomb", shortcutkey = "sc_bombs",
              sprite = "spr_asjad", r = 1, g = 0, b = 0,
              delay = 60, nailcount = 12, radius = 1.5, throwspeed = 3 },
  katki = { frame = 3, invtext = "bomb", longtext = "a bomb", shortcutkey = "sc_bombs",
            sprite = "spr_asjad", r = 1, g = 0, b = 0, delay = 60, nailcount = 12, radius = 1.5 },
}
)";

// Someone to hold and throw things.
class THolder : public TActor {
public:
    THolder()
    {
        body = CreateCircleBody(0.15f, 17.5f, false, this, 3.5f, 10.0f);
        for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
            b2Filter filter = f->GetFilterData();
            filter.groupIndex = -3;
            f->SetFilterData(filter);
        }
        inventory = new TContainer(4, this);
        health = 100.0f;
    }
};

class ExplosivesTest : public EffectsFixture {
protected:
    TTimeBomb* NewBomb(float x, float y)
    {
        EXPECT_EQ("", Run("bomb = _CreateBomb(" + std::to_string(x) + "," + std::to_string(y) +
                          ", 'pommike')"));
        return ObjectFromHandleAs<TTimeBomb>(GlobalPointer("bomb"));
    }
};

TEST_F(ExplosivesTest, TimeBombReadsItsFieldsAndRefusesIncompleteEntries)
{
    ASSERT_EQ("", Run(kBombTable));
    TTimeBomb* bomb = NewBomb(1.0f, 2.0f);
    ASSERT_NE(nullptr, bomb);
    EXPECT_EQ(60, bomb->delay);
    EXPECT_EQ(12, bomb->nailCount);
    EXPECT_FLOAT_EQ(1.5f, bomb->radius);
    EXPECT_FLOAT_EQ(3.0f, bomb->throwSpeed);
    EXPECT_FALSE(bomb->Armed());

    const size_t before = world->objects.size();
    const std::string error = Run("_CreateBomb(0, 0, 'katki')");
    EXPECT_NE(std::string::npos, error.find("throwspeed")) << error;
    EXPECT_NE("", Run("_CreateBomb(0, 0, 'nothing')"));
    EXPECT_NE("", Run("_CreateBomb(0, 0)"));
    EXPECT_EQ(before, world->objects.size()) << "no half-made bombs";
}

TEST_F(ExplosivesTest, UnusedBombNeverGoesOffAndAUsedOneExplodesAfterItsDelay)
{
    ASSERT_EQ("", Run(kBombTable));
    TTimeBomb* idle = NewBomb(-20.0f, 0.0f);
    auto* holder = new THolder();
    TTimeBomb* bomb = NewBomb(0.0f, 0.0f);
    ASSERT_TRUE(holder->inventory->Insert(bomb));
    holder->action = kActionWalk;

    EXPECT_TRUE(bomb->Activate()) << "one bomb per press";
    EXPECT_EQ(nullptr, bomb->container) << "dropped at the holder's feet";
    Steps(59);
    EXPECT_EQ(bomb, ObjectFromHandleAs<TTimeBomb>(bomb));
    EXPECT_EQ(0, Count<TPlahvatus>());
    cameraShake = 0.0f;
    world->Step();
    EXPECT_EQ(nullptr, ObjectFromHandleAs<TTimeBomb>(bomb));
    TPlahvatus* blast = First<TPlahvatus>();
    ASSERT_NE(nullptr, blast);
    EXPECT_FLOAT_EQ(1.5f, blast->Strength());
    EXPECT_LT(blast->GetPosition().Length(), 0.5f) << "it lay where it was dropped";
    EXPECT_FLOAT_EQ(20.0f, cameraShake);
    // The nails live a frame or two; those still flying after the step are counted.
    EXPECT_LE(Count<TKuul>(), 12);

    Steps(300);
    EXPECT_EQ(idle, ObjectFromHandleAs<TTimeBomb>(idle)) << "never armed, never explodes";
}

TEST_F(ExplosivesTest, BombThrownWhileAimingFliesTheWayTheHolderFaces)
{
    ASSERT_EQ("", Run(kBombTable));
    auto* holder = new THolder();
    holder->body->SetTransform(b2Vec2(0.0f, 0.0f), float(M_PI) / 2.0f);
    TTimeBomb* bomb = NewBomb(0.0f, 0.0f);
    ASSERT_TRUE(holder->inventory->Insert(bomb));
    holder->action = kActionAim;
    EXPECT_TRUE(bomb->Activate());
    EXPECT_TRUE(bomb->Armed());
    Steps(3);
    const b2Vec2 p = bomb->GetPosition();
    EXPECT_GT(p.y, 0.2f) << "body angle pi/2 faces +y";
    EXPECT_LT(std::fabs(p.x), 0.1f);
}

TEST_F(ExplosivesTest, StickyChargeWeldsToTheWallItHitsAndBlowsWithinItsFuse)
{
    AddSprite("spr_asjad", 64);
    TProbe* wall = WallAt(3.0f, 0.0f, 0.5f, 2.0f);
    auto* charge = new TSmallExplosive(0.0f, 0.0f, 60.0f, 0.0f);
    EXPECT_GE(charge->fuse, 50);
    EXPECT_LE(charge->fuse, 59);
    const int fuse = charge->fuse;
    int steps = 0;
    while (world->physics->GetJointCount() == 0 && steps < 40) {
        world->Step();
        ++steps;
    }
    ASSERT_EQ(1, world->physics->GetJointCount());
    EXPECT_TRUE(charge->StuckTo(wall));
    Steps(5);
    EXPECT_EQ(1, world->physics->GetJointCount()) << "one weld per object touched";
    // Held where it struck the wall's face.
    EXPECT_NEAR(2.5f, charge->GetPosition().x, 0.4f);
    EXPECT_LT(charge->body->GetLinearVelocity().Length(), 0.05f);

    // Stepping until its fuse runs out: gone, with a small blast where it stuck.
    bool blew = false;
    for (int i = steps + 5; i <= fuse + 1 && !blew; ++i) {
        world->Step();
        blew = First<TPlahvatus>() != nullptr;
    }
    EXPECT_TRUE(blew);
    EXPECT_EQ(0, Count<TSmallExplosive>());
    ASSERT_NE(nullptr, First<TPlahvatus>());
    EXPECT_FLOAT_EQ(kSmallExplosivePower, First<TPlahvatus>()->Strength());
}

TEST_F(ExplosivesTest, StickyChargeRidesAlongWithAnEnemyButIgnoresScenery)
{
    TProbe* crate = WallAt(0.0f, 3.0f, 0.5f, 0.5f, kCollisionNull);
    auto* bounced = new TSmallExplosive(0.0f, 1.5f, 0.0f, 60.0f);
    TProbe* enemy = ProbeAt(3.0f, 0.0f, 0.4f, 5.0f, false, "enemy");
    enemy->collisionType = kCollisionEnemy;
    auto* charge = new TSmallExplosive(0.0f, 0.0f, 60.0f, 0.0f);
    for (int i = 0; i < 30 && !charge->StuckTo(enemy); ++i) world->Step();
    ASSERT_TRUE(charge->StuckTo(enemy));
    EXPECT_FALSE(bounced->StuckTo(crate));

    Steps(3);
    const float gap = charge->GetPosition().x - enemy->GetPosition().x;
    enemy->body->SetLinearVelocity(b2Vec2(0.0f, 6.0f));
    Steps(5);
    EXPECT_GT(charge->GetPosition().y, 0.3f) << "carried by the enemy";
    EXPECT_NEAR(gap, charge->GetPosition().x - enemy->GetPosition().x, 0.2f);
}

TEST_F(ExplosivesTest, RocketFliesOnUntilItHitsAWallAndItsSmokeFadesAfterIt)
{
    ASSERT_EQ("", Run("objectlist = { rocket = { collision = 1, depth = 11, frame = 0, rectangle = 0,"
                      " fovshadows = 0, material = 2, sprite = 'spr_rakett', rw = 4, rh = 0,"
                      " shadowdist = 4, mass = 1 } }"));
    // A loose object grazed on the way, a wall far to the right.
    ProbeAt(-2.0f, 0.45f, 0.2f, 0.5f);
    WallAt(12.0f, 0.0f, 0.5f, 3.0f);
    ASSERT_EQ("", Run("rocket = CreateRocket(-5, 0, 0)"));
    auto* rocket = ObjectFromHandleAs<TRocket>(GlobalPointer("rocket"));
    ASSERT_NE(nullptr, rocket);
    EXPECT_EQ(3, Count<TRocketSmoke>());

    Steps(5);
    const float speed5 = rocket->body->GetLinearVelocity().x;
    Steps(5);
    EXPECT_GT(rocket->body->GetLinearVelocity().x, speed5) << "thrust without damping";
    EXPECT_EQ(20u, rocket->Trail(kRocketTrailLeft)->points.size());
    EXPECT_EQ(20u, rocket->Trail(kRocketTrailCentre)->points.size());

    TRocketSmoke* trail = rocket->Trail(kRocketTrailRight);
    bool exploded = false;
    for (int i = 0; i < 300 && !exploded; ++i) {
        world->Step();
        exploded = First<TPlahvatus>() != nullptr;
    }
    ASSERT_TRUE(exploded);
    EXPECT_EQ(0, Count<TRocket>());
    EXPECT_FLOAT_EQ(kRocketPower, First<TPlahvatus>()->Strength());
    EXPECT_GT(First<TPlahvatus>()->GetPosition().x, 10.0f) << "at the wall, not at the object it grazed";

    const size_t points = trail->points.size();
    Steps(100);
    ASSERT_EQ(3, Count<TRocketSmoke>()) << "the smoke hangs on";
    EXPECT_EQ(points, trail->points.size());
    Steps(80);
    EXPECT_EQ(0, Count<TRocketSmoke>());
}

TEST_F(ExplosivesTest, RocketWithoutItsObjectKindIsAScriptError)
{
    ASSERT_EQ("", Run("objectlist = {}"));
    const size_t before = world->objects.size();
    EXPECT_NE("", Run("CreateRocket(0, 0, 0)"));
    EXPECT_NE("", Run("CreateRocket(0, 0, 'left')"));
    EXPECT_EQ(before, world->objects.size());
}

} // namespace
