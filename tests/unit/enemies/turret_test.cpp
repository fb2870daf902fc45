// The sentry gun: waking on a clear look at the player, swinging its head
// round and firing at its rate, staying quiet behind walls and beyond its
// range, its drone channel, and its death with the wreck it leaves.
#include "world/Plahvatus.h"
#include "beams_test_support.h"
#include <SDL/SDL_mixer.h>
#include <cmath>
#include <fstream>
#include <vector>

namespace {

class TurretTest : public BeamFixture {
protected:
    // Runs n frames; returns the frames on which the turret fired.
    std::vector<int> Watch(TTurret* turret, int n)
    {
        std::vector<int> shots;
        for (int i = 0; i < n; ++i) {
            const int before = turret->fireCooldown;
            Frames(1);
            if (turret->fireCooldown == 2 && before != 2) shots.push_back(i);
        }
        return shots;
    }
};

TEST_F(TurretTest, SwingsItsHeadToAVisiblePlayerAndFiresAtMostEveryFourthUpdate)
{
    TPlayer* player = MakePlayer(4.0f, 3.0f);
    player->health = 1e9f;  // the turret's bullets must not end the test
    auto* turret = new TTurret(0.0f, 0.0f, 0.0f);
    ASSERT_NE(turret->head, nullptr);
    EXPECT_EQ(world->physics->GetJointCount(), 1);

    const std::vector<int> shots = Watch(turret, 200);
    EXPECT_TRUE(turret->active);
    ASSERT_GE(shots.size(), 5u) << "an awake turret facing the player keeps firing";
    for (size_t i = 1; i < shots.size(); ++i) EXPECT_GE(shots[i] - shots[i - 1], 4);

    // The head points at the player (within the firing window).
    const float toPlayer = std::atan2(3.0f, 4.0f);
    float error = std::fmod(std::fabs(turret->head->GetAngle() - toPlayer), 6.2831853f);
    if (error > 3.14159265f) error = 6.2831853f - error;
    EXPECT_LT(error, 0.5f);
    EXPECT_GT(std::fabs(turret->AimError(player->GetPosition())), 150.0f);
    // The base never moves.
    EXPECT_FLOAT_EQ(turret->GetAngle(), 0.0f);
}

TEST_F(TurretTest, StaysQuietBehindAWallAndBeyondItsRange)
{
    TPlayer* player = MakePlayer(4.0f, 0.0f);
    TProbe* wall = Wall(2.0f, 0.0f, 0.2f, 3.0f);
    auto* hidden = new TTurret(0.0f, 0.0f, 1.0f);
    auto* far = new TTurret(4.0f, -10.5f, 0.0f);
    auto* edge = new TTurret(4.0f, 10.0f, 0.0f);  // exactly 10 m away: still out of range

    for (int i = 0; i < 200; ++i) {
        Frames(1);
        ASSERT_FALSE(hidden->active || far->active || edge->active) << "frame " << i;
    }
    EXPECT_EQ(Live<TKuul>(), 0);
    EXPECT_FLOAT_EQ(hidden->head->GetAngle(), 1.0f) << "a sleeping head doesn't turn";

    // Once the wall is gone the turret wakes up; it stays awake (and keeps
    // shooting) until the player leaves its range.
    wall->dead = 1;
    Frames(100);
    EXPECT_TRUE(hidden->active);
    player->SetPosition(b2Vec2(40.0f, 0.0f));
    Frames(1);
    EXPECT_FALSE(hidden->active);
}

TEST_F(TurretTest, DiesIntoAWreckAndLeavesNoBodyOrJointBehind)
{
    MakePlayer(30.0f, 0.0f);
    auto* turret = new TTurret(1.0f, 2.0f, 0.5f);
    EXPECT_EQ(world->enemyCounts["sentry_gun"], 1);
    turret->health = -1.0f;
    Frames(1);
    EXPECT_EQ(Live<TTurret>(), 0);
    EXPECT_EQ(world->physics->GetJointCount(), 0);
    EXPECT_EQ(world->killCounts["sentry_gun"], 1);
    int wrecks = 0;
    for (TGameObject* o : world->objects)
        if (auto* m = dynamic_cast<TMinimalObject*>(o); m && m->typeName == "deadturret") {
            ++wrecks;
            EXPECT_NEAR(m->GetPosition().x, 1.0f, 1e-4f);
            EXPECT_NEAR(m->GetPosition().y, 2.0f, 1e-4f);
        }
    EXPECT_EQ(wrecks, 1);
}

TEST_F(TurretTest, TakesBulletExplosionAndLaserDamageButIgnoresTouch)
{
    TPlayer* player = MakePlayer(30.0f, 0.0f);
    auto* turret = new TTurret(0.0f, 0.0f, 0.0f);
    new TKuul(-3.0f, 0.0f, 0.0f, 40.0f, 7.0f, 30.0f, 0, kBulletPlain, player);
    Frames(3);
    EXPECT_FLOAT_EQ(turret->health, 93.0f);
    turret->OnTouchPlayer(player);
    EXPECT_FLOAT_EQ(turret->health, 93.0f);
    TActor* gunner = Holder(-2.0f, 0.0f, 0.0f);
    new TLaser(gunner, 5.0f, nullptr);
    Frames(1);
    EXPECT_FLOAT_EQ(turret->health, 88.0f);
}

TEST_F(TurretTest, ExplosionsHurtItOnTheScaleOfOtherEnemies)
{
    MakePlayer(30.0f, 0.0f);
    auto* turret = new TTurret(0.0f, 0.0f, 0.0f);
    new TPlahvatus(0.5f, 0.0f, 0.5f);
    Frames(1);
    // Power 0.5 is 6 pixels, three health each: a weak blast leaves it standing.
    EXPECT_FLOAT_EQ(turret->health, 82.0f);
    // A rocket's blast (power 1.5) on a damaged turret finishes it.
    new TPlahvatus(0.5f, 0.0f, 1.5f);
    Frames(2);
    EXPECT_EQ(Live<TTurret>(), 0);
    EXPECT_EQ(world->killCounts["sentry_gun"], 1);
}

// The drone needs a real channel: the dummy audio driver and a real sound.
class TurretDrone : public TurretTest {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        opened = OpenMixer();
    }
    static void TearDownTestSuite()
    {
        if (opened) CloseMixer();
    }
    void SetUp() override
    {
        TurretTest::SetUp();
        ASSERT_TRUE(opened);
        const std::string hum = fixture.scratch.File("hum.wav");
        WriteWav(hum);
        ASSERT_EQ(Run("sounds.turret_drone = _LoadSound(1, '" + hum + "')"), "");
    }
    void TearDown() override
    {
        HaltAllChannels();
        TurretTest::TearDown();
    }
    // Half a second of a quiet 16-bit mono tone.
    static void WriteWav(const std::string& path)
    {
        const uint32_t rate = 22050, samples = rate / 2, bytes = samples * 2;
        std::ofstream out(path, std::ios::binary);
        auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out.write("RIFF", 4);
        u32(36 + bytes);
        out.write("WAVEfmt ", 8);
        u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16);
        out.write("data", 4);
        u32(bytes);
        for (uint32_t i = 0; i < samples; ++i) u16(uint16_t(int16_t(i % 64) * 40));
    }
    // Frames until the turret's drone runs (at most n).
    int WakeDrone(TTurret* turret, int n)
    {
        for (int i = 0; i < n; ++i) {
            Frames(1);
            if (turret->drone.Playing()) return turret->drone.Channel();
        }
        return -1;
    }
    static inline bool opened = false;
};

TEST_F(TurretDrone, TheDroneLoopsWhileAwakeAndStopsWhenTheTurretDiesOrTheLevelClears)
{
    TPlayer* player = MakePlayer(3.0f, 0.0f);
    player->health = 1e9f;
    auto* dying = new TTurret(0.0f, 0.0f, 0.0f);
    const int channel = WakeDrone(dying, 300);
    ASSERT_NE(channel, -1);
    EXPECT_LE(ChannelVolume(channel), 100) << "the drone follows the head's swing, never full";
    Frames(30);  // the half-second sound loops
    EXPECT_TRUE(IsChannelPlaying(channel));

    dying->health = -1.0f;
    Frames(1);
    EXPECT_FALSE(IsChannelPlaying(channel)) << "a dead turret's drone stops";

    auto* cleared = new TTurret(0.0f, 1.0f, 0.0f);
    const int second = WakeDrone(cleared, 300);
    ASSERT_NE(second, -1);
    world->Clear();
    EXPECT_FALSE(IsChannelPlaying(second)) << "no drone outlives its turret";
    for (int c = 0; c < kMixerChannels; ++c) EXPECT_FALSE(IsChannelPlaying(c)) << c;
}

TEST_F(TurretTest, ScriptsCreateTurretsAndSnakesThroughTheCreationTransform)
{
    ASSERT_EQ(Run("SetCreationTransform(10, 0, 0)"), "");
    ASSERT_EQ(Run("t = CreateTurret(1, 2, 0.5)"), "");
    auto* turret = ObjectFromHandleAs<TTurret>(GlobalPointer("t"));
    ASSERT_NE(turret, nullptr);
    EXPECT_NEAR(turret->GetPosition().x, 11.0f, 1e-4f);
    EXPECT_NEAR(turret->GetAngle(), -0.5f, 1e-4f);
    EXPECT_EQ(turret->GetCreateCommand(), "CreateTurret(11.000000,2.000000,0.500000)\n");

    ASSERT_EQ(Run("s = CreateSnake(0, 5, 0.25)"), "");
    auto* snake = ObjectFromHandleAs<TToruRobot>(GlobalPointer("s"));
    ASSERT_NE(snake, nullptr);
    EXPECT_NEAR(snake->GetAngle(), 0.25f, 1e-4f);

    // Bad arguments are script errors and build nothing.
    const int before = int(world->objects.size());
    EXPECT_NE(Run("CreateTurret(1, 'x', 0)"), "");
    EXPECT_NE(Run("CreateSnake(1, 2)"), "");
    EXPECT_NE(Run("CreateTurret(1/0, 2, 0)"), "");
    EXPECT_EQ(int(world->objects.size()), before);
}

} // namespace
