// Sprite frames and texture sizes without a window: the arithmetic only.
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Texture.h"
#include <gtest/gtest.h>
#include <climits>

TEST(RenderTexture, RoundUpToPowerOfTwo)
{
    const int cases[][2] = {{-5, 1}, {0, 1}, {1, 1}, {2, 2},     {3, 4},      {50, 64},
                            {64, 64}, {65, 128}, {100, 128}, {240, 256}, {513, 1024}};
    for (const auto& c : cases) EXPECT_EQ(RoundUpToPowerOfTwo(c[0]), c[1]) << c[0];
    // Absurd sizes stop at 2^30 instead of overflowing.
    EXPECT_EQ(RoundUpToPowerOfTwo(INT_MAX), 1 << 30);
}

TEST(RenderSpriteFrames, SetFrameUsesTheTextureSize)
{
    TTexture texture;
    texture.width = 128;
    texture.height = 64;
    TSprite sprite;
    sprite.texture = &texture;
    sprite.frameCount = 8;
    sprite.frames.resize(8);

    sprite.SetFrame(5, 16, 48, 32, 64);
    const TSpriteFrame& f = sprite.frames[5];
    EXPECT_FLOAT_EQ(f.uLeft, 0.125f);
    EXPECT_FLOAT_EQ(f.uRight, 0.25f);
    EXPECT_FLOAT_EQ(f.vTop, 0.75f);
    EXPECT_FLOAT_EQ(f.vBottom, 1.0f);
    EXPECT_FLOAT_EQ(f.width, 16.0f);
    EXPECT_FLOAT_EQ(f.height, 16.0f);
    EXPECT_EQ(sprite.DrawableFrame(5), &f);
}

TEST(RenderSpriteFrames, OutOfRangeFramesReportAndChangeNothing)
{
    TTexture texture;
    texture.width = texture.height = 32;
    TSprite sprite;
    sprite.texture = &texture;
    sprite.frameCount = 2;
    sprite.frames.resize(2);
    sprite.SetFrame(1, 0, 0, 8, 8);

    for (int frame : {-1, 2, INT_MAX}) {
        testing::internal::CaptureStderr();
        sprite.SetFrame(frame, 1, 2, 3, 4);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err, "ERROR: frame nr " + std::to_string(frame) + " out of bounds!\n");
        EXPECT_EQ(sprite.DrawableFrame(frame), nullptr);
    }
    EXPECT_FLOAT_EQ(sprite.frames[1].width, 8.0f);
    EXPECT_FLOAT_EQ(sprite.frames[1].uRight, 0.25f);
}

TEST(RenderSpriteFrames, WithoutTextureFramesKeepSizesButAreNotDrawn)
{
    // No scripts run here, so no texture name resolves.
    TSprite sprite;
    testing::internal::CaptureStderr();
    sprite.Init("nowhere", 3, 2, 10, 20, 5, 7);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: texture nowhere not found!\n");
    EXPECT_EQ(sprite.texture, nullptr);
    ASSERT_EQ(sprite.frameCount, 6);
    ASSERT_EQ(sprite.frames.size(), 6u);
    EXPECT_FLOAT_EQ(sprite.frames[4].width, 10.0f);
    EXPECT_FLOAT_EQ(sprite.frames[4].height, 20.0f);
    EXPECT_FLOAT_EQ(sprite.frames[4].uRight, 0.0f);
    EXPECT_EQ(sprite.DrawableFrame(0), nullptr);
    // Drawing it (or nothing) is a no-op, not a crash, even without OpenGL.
    DrawSprite(&sprite, 1.0f, 2.0f, 0.0f, 0);
    DrawSprite(nullptr, 1.0f, 2.0f, 0.0f, 0);
    DrawSpriteStretched(&sprite, 0.0f, 0.0f, 10.0f, 0.0f, 0, 1.0f, 1.0f);
}

TEST(RenderSpriteFrames, NegativeAndHugeGridsGiveNoFrames)
{
    TSprite sprite;
    testing::internal::CaptureStderr();
    sprite.Init("nowhere", -3, 4, 8, 8, 0, 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(sprite.frameCount, 0);
    EXPECT_TRUE(sprite.frames.empty());

    testing::internal::CaptureStderr();
    sprite.Init("nowhere", 100000, 100000, 8, 8, 0, 0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("ERROR: sprite of 100000 x 100000 frames is too large!"), std::string::npos);
    EXPECT_EQ(sprite.frameCount, 0);
    EXPECT_TRUE(sprite.frames.empty());

    // The largest allowed grid still works, with corners that would overflow int.
    testing::internal::CaptureStderr();
    sprite.Init("nowhere", kMaxSpriteFrames, 1, INT_MAX, 1, INT_MAX, 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(sprite.frameCount, kMaxSpriteFrames);
}
