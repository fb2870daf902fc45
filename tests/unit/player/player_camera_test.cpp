// The camera following the player: position with look-ahead, the decaying
// kick and shake, and the optional view rotation.
#include "player_test_support.h"
#include "render/Camera.h"
#include <cmath>

class PlayerCamera : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        cameraX = cameraY = cameraAngle = cameraSpin = 0.0f;
        game->kickX = game->kickY = 0.0f;
    }
    void SetViewRotate(bool on)
    {
        ASSERT_EQ(Run(std::string("settings = settings or {}; settings.viewrotate = ") + (on ? "true" : "false")), "");
    }
};

TEST_F(PlayerCamera, FollowsThePlayerLeaningTowardTheCrosshair)
{
    TPlayer* player = MakePlayer(2.0f, -1.0f);
    cameraShake = 0.0f;
    UpdateCamera(game);
    EXPECT_FLOAT_EQ(cameraX, 24.0f);
    EXPECT_FLOAT_EQ(cameraY, -12.0f);

    player->lookAhead = 0.3f;
    player->aim = b2Vec2(4.0f, 2.0f);
    UpdateCamera(game);
    EXPECT_NEAR(cameraX, 12.0f * (2.0f + 0.3f * 4.0f), 1e-3);
    EXPECT_NEAR(cameraY, 12.0f * (-1.0f + 0.3f * 2.0f), 1e-3);

    // The kick adds to the position and decays by 0.99 a frame.
    player->lookAhead = 0.0f;
    game->kickX = 10.0f;
    game->kickY = -5.0f;
    UpdateCamera(game);
    EXPECT_FLOAT_EQ(game->kickX, 9.9f);
    EXPECT_FLOAT_EQ(game->kickY, -4.95f);
    EXPECT_NEAR(cameraX, 24.0f + 9.9f, 1e-3);
    for (int i = 0; i < 99; ++i) UpdateCamera(game);
    EXPECT_NEAR(game->kickX, 10.0f * std::pow(0.99f, 100.0f), 1e-3);
}

TEST_F(PlayerCamera, ShakeJittersWithinItsSizeAndDiesAway)
{
    MakePlayer(0.0f, 0.0f);
    float widest = 0.0f;
    for (int round = 0; round < 200; ++round) {
        cameraShake = 8.0f;
        UpdateCamera(game);
        EXPECT_LE(std::fabs(cameraX), 8.0f);
        EXPECT_LE(std::fabs(cameraY), 8.0f);
        widest = std::max(widest, std::fabs(cameraX));
        EXPECT_FLOAT_EQ(cameraShake, 3.2f);
    }
    EXPECT_GT(widest, 4.0f);
    for (int i = 0; i < 9; ++i) UpdateCamera(game);
    EXPECT_NEAR(cameraShake, 3.2f * std::pow(0.4f, 9.0f), 1e-6);
}

TEST_F(PlayerCamera, ViewRotationOffKeepsTheAngleAtZero)
{
    SetViewRotate(false);
    TPlayer* player = MakePlayer();
    player->viewRotation = 1.2f;
    cameraAngle = 0.5f;
    for (int i = 0; i < 30; ++i) {
        world->stepCount = i;
        UpdateCamera(game);
        EXPECT_EQ(cameraAngle, 0.0f);
        EXPECT_EQ(cameraSpin, 0.0f);
    }
}

TEST_F(PlayerCamera, ViewRotationSnapsAtLevelStartThenTurnsSmoothly)
{
    SetViewRotate(true);
    TPlayer* player = MakePlayer();
    player->viewRotation = 0.5f;
    world->stepCount = 9;
    UpdateCamera(game);
    EXPECT_FLOAT_EQ(cameraAngle, -0.5f);

    // Later a new rotation is reached gradually, not in one jump.
    world->stepCount = 10;
    player->viewRotation = -0.5f;
    UpdateCamera(game);
    EXPECT_GT(cameraAngle, -0.5f);
    EXPECT_LT(cameraAngle, -0.3f);
    float previous = cameraAngle;
    bool monotonic = true;
    for (int i = 0; i < 300; ++i) {
        UpdateCamera(game);
        if (i < 20 && cameraAngle < previous) monotonic = false;
        previous = cameraAngle;
    }
    EXPECT_TRUE(monotonic);
    EXPECT_NEAR(cameraAngle, 0.5f, 2.5f * 3.14159f / 180.0f + 0.02f);

    // Within the dead zone the fixed step stops.
    EXPECT_LT(std::fabs(CameraTurnDegrees(0.5f, -0.5f + 0.01f)), 2.5f);
    EXPECT_NEAR(CameraTurnDegrees(0.0f, 0.5f), -28.6479f, 1e-3);
}

TEST_F(PlayerCamera, WithoutAPlayerTheCameraStaysOutsideTheGameScreen)
{
    cameraX = 50.0f;
    game->kickX = 3.0f;
    UpdateCamera(game);
    EXPECT_EQ(cameraX, 50.0f);
}
