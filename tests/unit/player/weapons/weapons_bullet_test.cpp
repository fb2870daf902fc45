// Bullets in flight: stopping in walls, piercing enemies at the cost of
// pierce and damage, the slight turn after a pass, ignoring the shooter, the
// range, what walls and actors ask a bullet, and the shot and hit counters.
#include "items_test_support.h"
#include "player/Player.h"
#include "world/MinimalObject.h"
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// A static thing of some collision type that notes each bullet hitting it.
class TTarget : public TGameObject {
public:
    TTarget(int32_t type, float x, float y)
    {
        collisionType = type;
        if (type == kCollisionWall) body = CreateBoxBody(0.5f, 3.0f, 0.0f, false, this, 0.0f, 0.0f);
        else body = CreateCircleBody(0.3f, 0.0f, false, this, 0.0f, 0.0f);
        SetPosition(b2Vec2(x, y));
    }
    void Update() override {}
    void Draw() override {}
    void OnContact(TGameObject* other, b2Vec2 point, b2Vec2, b2Vec2) override
    {
        auto* bullet = dynamic_cast<TKuul*>(other);
        if (!bullet) return;
        hits.push_back({bullet->damage, bullet->pierce, point, bullet->velocity});
    }
    struct Hit {
        float damage;
        int pierce;
        b2Vec2 point;
        b2Vec2 velocity;
    };
    std::vector<Hit> hits;
};

class Bullets : public ItemFixture {
protected:
    void SetUp() override
    {
        ItemFixture::SetUp();
        std::srand(7);
    }
    // Flies the bullet until it is removed (at most n frames); the frames it lived.
    int FlyOut(TKuul* bullet, int n = 60)
    {
        for (int i = 0; i < n; ++i) {
            if (!InWorld(bullet)) return i;
            Frames(1);
        }
        return n;
    }
};

TEST_F(Bullets, WallsStopBulletsWhereTheyHitAndShootersAreIgnored)
{
    // The shooter stands in the line of fire, where the bullet would die.
    TActor* shooter = MakeHolder(2.0f, 0.0f);
    shooter->collisionType = kCollisionEnemy;
    auto* wall = new TTarget(kCollisionWall, 5.0f, 0.0f);
    auto* bullet = new TKuul(0.0f, 0.0f, 0.0f, 40.0f, 10.0f, 100.0f, 20, kBulletPlain, shooter);
    EXPECT_EQ(bullet->BulletKind(), kBulletPlain);
    float damage = 0.0f, piercing = 0.0f;
    ASSERT_TRUE(bullet->BulletDamage(&damage, &piercing));
    EXPECT_FLOAT_EQ(damage, 10.0f);
    EXPECT_FLOAT_EQ(piercing, 20.0f);

    int frames = 0;
    while (!bullet->stopped && frames < 20) {
        bullet->FinishFrame();
        world->Step();
        ++frames;
    }
    ASSERT_TRUE(bullet->stopped);
    ASSERT_EQ(wall->hits.size(), 1u);
    EXPECT_NEAR(wall->hits[0].point.x, 4.5f, 0.02f);
    EXPECT_NEAR(bullet->position.x, 4.5f * kPixelsPerUnit, 0.3f);
    EXPECT_TRUE(InWorld(bullet)) << "seen once at the wall before it goes";
    bullet->FinishFrame();
    EXPECT_TRUE(bullet->dead);
    world->Step();
    EXPECT_FALSE(InWorld(bullet));
    EXPECT_EQ(wall->hits.size(), 1u);

    // The heavy kind is what walls ask for.
    auto* heavy = new TKuul(0.0f, 0.0f, 0.0f, 40.0f, 10.0f, 100.0f, 20, kBulletExploding, shooter);
    EXPECT_EQ(heavy->BulletKind(), kBulletExploding);
}

TEST_F(Bullets, HighPiercePassesEnemiesLosingHalfItsDamageAndTurningOnlySlightly)
{
    std::vector<TTarget*> row;
    for (float x : {2.0f, 4.0f, 6.0f}) row.push_back(new TTarget(kCollisionEnemy, x, 0.0f));
    auto* bullet = new TKuul(0.0f, 0.0f, 0.0f, 30.0f, 8.0f, 100.0f, 100000, kBulletPlain, nullptr);
    FlyOut(bullet, 40);
    float expected = 8.0f;
    int pierce = 100000;
    b2Vec2 before = row[0]->hits.empty() ? b2Vec2(0, 0) : row[0]->hits[0].velocity;
    for (TTarget* t : row) {
        ASSERT_EQ(t->hits.size(), 1u);
        EXPECT_FLOAT_EQ(t->hits[0].damage, expected);
        EXPECT_EQ(t->hits[0].pierce, pierce);
        expected *= 0.5f;
        pierce -= 10;
        // Deflected by at most 9/1000 rad, slowed to half speed at most.
        const b2Vec2 v = t->hits[0].velocity;
        EXPECT_NEAR(std::atan2(v.y, v.x), 0.0f, 0.03f);
        EXPECT_LE(v.Length(), before.Length() + 1e-3f);
        EXPECT_GE(v.Length(), 0.5f * 0.5f * 0.5f * 0.8f * 30.0f - 1e-3f);
        before = v;
    }

    // A pierce of 50 or less always stops in the first enemy.
    std::vector<TTarget*> second;
    for (float x : {2.0f, 4.0f}) second.push_back(new TTarget(kCollisionEnemy, x, 5.0f));
    auto* weak = new TKuul(0.0f, 5.0f, 0.0f, 30.0f, 8.0f, 100.0f, 50, kBulletPlain, nullptr);
    EXPECT_LT(FlyOut(weak, 40), 40);
    EXPECT_EQ(second[0]->hits.size(), 1u);
    EXPECT_TRUE(second[1]->hits.empty());
}

TEST_F(Bullets, RangeIsTheLifeInFrames)
{
    auto* bullet = new TKuul(0.0f, 0.0f, 0.0f, 10.0f, 8.0f, 5.0f, 10, kBulletNail, nullptr);
    EXPECT_EQ(FlyOut(bullet, 20), 6);
}

TEST_F(Bullets, PlayerBulletsCountShotsAndOneHitPerBulletThatStruckAnEnemy)
{
    auto* player = new TPlayer(0.0f, -5.0f);
    TActor* enemy = MakeHolder(0.0f, -20.0f);
    game->progress->shots = 0;
    game->progress->hits = 0;
    for (float x : {2.0f, 4.0f}) new TTarget(kCollisionEnemy, x, 0.0f);
    new TTarget(kCollisionWall, 10.0f, 0.0f);

    FlyOut(new TKuul(0.0f, 0.0f, 0.0f, 30.0f, 8.0f, 100.0f, 100000, kBulletPlain, player));
    EXPECT_EQ(game->progress->shots, 1);
    EXPECT_EQ(game->progress->hits, 1) << "two enemies pierced, one hit";

    // Into the wall only: a shot without a hit.
    FlyOut(new TKuul(0.0f, 2.0f, 0.0f, 30.0f, 8.0f, 100.0f, 100000, kBulletPlain, player));
    EXPECT_EQ(game->progress->shots, 2);
    EXPECT_EQ(game->progress->hits, 1);

    // Someone else's bullets count for nothing.
    FlyOut(new TKuul(0.0f, 0.0f, 0.0f, 30.0f, 8.0f, 100.0f, 100000, kBulletPlain, enemy));
    EXPECT_EQ(game->progress->shots, 2);
    EXPECT_EQ(game->progress->hits, 1);
}

} // namespace
