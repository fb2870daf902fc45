// What a bullet, an explosion and a laser do to an actor cannot depend on
// what else the game happened to build before: the very first of each kind
// made in a run hurts like every later one. The check runs in a child process
// started anew (gtest's "threadsafe" death-test style re-executes the test
// binary for this one test), so nothing of another test has been built there.
#include "enemies_test_support.h"
#include "enemies/Laser.h"
#include "player/weapons/Kuul.h"
#include "world/Plahvatus.h"
#include <cstdio>
#include <cstdlib>

namespace {

class FirstOfAKind : public EnemyFixture {
protected:
    // In the child: one bullet at the player, one explosion on him, one laser
    // into a zombie, each the first of its kind; prints what each did and ends
    // the process with 0 only when all three hurt.
    void HurtWithTheFirstOfEachKind()
    {
        TPlayer* player = PlayerAt(3.0f, 0.0f);
        TZombi* zombie = ZombieAt(2.0f, 20.0f);
        TActor* holder = MakeHolder(0.0f, 20.0f);
        holder->body->SetTransform(b2Vec2(0.0f, 20.0f), 0.0f);

        const float start = player->health;
        new TKuul(0.0f, 0.0f, 0.0f, 40.0f, 10.0f, 100.0f, 1, kBulletPlain, nullptr);
        Frames(3);
        const float afterBullet = player->health;

        new TPlahvatus(3.0f, 0.0f, 1.0f);
        Frames(2);
        const float afterBlast = player->health;

        const float zombieStart = zombie->health;
        new TLaser(holder, 5.0f, nullptr);
        Frames(1);
        const float zombieAfter = zombie->health;

        const bool bullet = afterBullet < start;
        const bool blast = afterBlast < afterBullet;
        const bool laser = zombieAfter < zombieStart;
        std::fprintf(stderr, "bullet %s (%g -> %g)\n", bullet ? "hurt" : "did nothing", start,
                     afterBullet);
        std::fprintf(stderr, "explosion %s (%g -> %g)\n", blast ? "hurt" : "did nothing",
                     afterBullet, afterBlast);
        std::fprintf(stderr, "laser %s (%g -> %g)\n", laser ? "hurt" : "did nothing", zombieStart,
                     zombieAfter);
        std::fflush(stderr);
        // No teardown of the half-built game in the child: its exit code is the verdict.
        std::_Exit(bullet && blast && laser ? 0 : 1);
    }
};

TEST_F(FirstOfAKind, BulletExplosionAndLaserHurtAnActorWhenNoneWasMadeBefore)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(HurtWithTheFirstOfEachKind(), ::testing::ExitedWithCode(0),
                "bullet hurt.*\nexplosion hurt.*\nlaser hurt");
}

} // namespace
