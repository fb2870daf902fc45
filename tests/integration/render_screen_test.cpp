// The frame's way to the window: the copy into the display texture and the two
// distortion layers that stretch it over the letterbox.
#include "core/App.h"
#include "gl_test_support.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/ShaderScreenDistortion.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include "render/VertexScreenDistortion.h"
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <cmath>
#include <fstream>
#include <random>

using gltest::Pixel;
using gltest::Rgba;

namespace {

TTexture* DisplayTexture()
{
    if (!displayTexture) {
        displayTexture = new TTexture;
        CreateBlankTexture(displayTexture, "displaytexture", 512, 256, false);
    }
    return displayTexture;
}

// Draws a frame block whose red grows with x and green with y (one level a pixel),
// with blue marking the top-left 10 x 10 corner, and copies it to the display texture.
void MakeGradientFrame()
{
    gltest::ClearOverlay();
    SetBlendMode(3);
    BindTexture(0);
    glBegin(GL_QUADS);
    glColor3f(0.0f, 0.0f, 0.0f);
    glVertex2f(0, 0);
    glColor3f(0.0f, 240 / 255.0f, 0.0f);
    glVertex2f(0, 240);
    glColor3f(1.0f, 240 / 255.0f, 0.0f);
    glVertex2f(255, 240);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex2f(255, 0);
    glEnd();
    ResetGLStateCache();
    SetBlendMode(3);
    DrawRect(0, 0, 10, 10, true, 0, 0, 1, 1);
    CopyScreenToTexture(DisplayTexture());
}

const TTexture& Blob()
{
    // 64 x 64 grey with alpha falling from 1 at the centre to 0 at the edge. The
    // impulse shaders read only alpha; grey shows drawing that wrongly takes the
    // colour as well.
    static TTexture* texture = [] {
        std::vector<Rgba> pixels(64 * 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                float r = std::hypot(x + 0.5f - 32.0f, y + 0.5f - 32.0f) / 32.0f;
                float a = r < 1.0f ? 1.0f - r : 0.0f;
                pixels[size_t(y) * 64 + x] = {128, 128, 128, uint8_t(a * 255.0f + 0.5f)};
            }
        gltest::WritePng("blob.png", 64, 64, pixels);
        TTexture* t = gltest::LoadScriptTexture("blob.png", "blob");
        gltest::CreateScriptSprite("spr_dir_distort2", "blob", 1, 1, 64, 64, 0, 0);
        gltest::CreateScriptSprite("spr_dir_distort", "blob", 1, 1, 32, 64, 16, 0);
        return t;
    }();
    return *texture;
}

}  // namespace

TEST(RenderScreenCopy, FrameBlockGoesToTheTopRowsOfTheTexture)
{
    gltest::ClearOverlay();
    SetBlendMode(3);
    DrawRect(0, 0, 10, 10, true, 1, 0, 0, 1);       // top-left corner of the frame block
    DrawRect(310, 230, 320, 240, true, 0, 1, 0, 1);  // its bottom-right corner
    DrawRect(320, 0, 640, 480, true, 0, 0, 1, 1);    // outside the block
    TTexture* display = DisplayTexture();
    CopyScreenToTexture(display);
    EXPECT_EQ(CurrentBoundTexture(), display->id);

    auto texels = gltest::TexturePixels(*display);
    auto at = [&](int x, int row) { return texels[size_t(row) * display->width + x]; };
    // OpenGL rows count up: the window's top row is the texture's last.
    EXPECT_EQ(at(0, 255).r, 255);
    EXPECT_EQ(at(9, 246).r, 255);
    EXPECT_EQ(at(10, 246).r, 0);
    EXPECT_EQ(at(319, 16).g, 255);
    EXPECT_EQ(at(310, 25).g, 255);
    EXPECT_EQ(at(309, 25).g, 0);
    // Nothing from outside the block, nothing below row 16.
    EXPECT_EQ(at(320, 200).b, 0);
    EXPECT_EQ(at(100, 15).g + at(100, 15).r, 0);

    // Too small a texture is left alone.
    TTexture small;
    CreateBlankTexture(&small, "small", 64, 64, false);
    CopyScreenToTexture(&small);
    EXPECT_EQ(gltest::TexturePixels(small)[0].r, 0);
}

TEST(RenderVertexDistortion, StillMeshShowsTheFrameDoubled)
{
    MakeGradientFrame();
    TVertexScreenDistortion distortion(640, 480);
    gltest::ClearOverlay();
    distortion.Draw();
    gltest::SaveScreenshot("vertex_still");
    // Window pixel (x, y) shows frame pixel (x / 2, y / 2).
    for (int x : {40, 200, 500}) {
        for (int y : {30, 240, 470}) {
            Rgba p = Pixel(x, y);
            int fx = x / 2, fy = y / 2;
            if (fx < 10 && fy < 10) continue;
            EXPECT_NEAR(p.r, std::min(fx, 255), 2) << x << "," << y;
            EXPECT_NEAR(p.g, fy, 2) << x << "," << y;
        }
    }
    EXPECT_EQ(Pixel(5, 5).b, 255);
    EXPECT_EQ(Pixel(19, 19).b, 255);
    EXPECT_EQ(Pixel(21, 21).b, 0);
    // Draw leaves the overlay viewport and opaque blending behind.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(CurrentBlendMode(), 3);
}

TEST(RenderVertexDistortion, DisplacedMeshMovesOneChannel)
{
    MakeGradientFrame();
    TVertexScreenDistortion distortion(640, 480);
    // Push the red channel 20 window pixels right about overlay (100, 100).
    distortion.AddDirectionalAtScreen(100.0f, 100.0f, 20.0f, 0.0f, 4.0f, 0);
    gltest::ClearOverlay();
    distortion.Draw();
    // At mesh point (10, 10) = window (200, 200): red comes from 20 pixels to the left.
    Rgba p = Pixel(200, 200);
    EXPECT_NEAR(p.r, 90, 2);
    EXPECT_NEAR(p.g, 100, 2);  // green stays
    // Far away nothing moved.
    EXPECT_NEAR(Pixel(500, 400).r, 250, 2);
    // The next frame shows 80% of the push.
    gltest::ClearOverlay();
    distortion.Draw();
    EXPECT_NEAR(Pixel(200, 200).r, 92, 2);
}

TEST(RenderVertexDistortion, WideWindowIsLetterboxed)
{
    ASSERT_TRUE(SetVideoMode(800, 480, true));
    ASSERT_EQ(windowWidth, 800);
    SDL_GL_SwapBuffers();  // the software driver takes the new size at a swap
    MakeGradientFrame();
    TVertexScreenDistortion distortion(800, 480);
    glViewport(0, 0, 800, 480);
    glClearColor(0.2f, 0.2f, 0.2f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    distortion.Draw();
    gltest::SaveScreenshot("vertex_letterbox", 800, 480);
    // Bars of 80 pixels each side keep the cleared grey; the picture sits between.
    Rgba bar = Pixel(40, 240);
    EXPECT_NEAR(bar.r, 51, 2);
    EXPECT_NEAR(bar.g, 51, 2);
    EXPECT_NEAR(Pixel(760, 240).g, 51, 2);
    EXPECT_EQ(Pixel(85, 5).b, 255);  // the blue corner starts at x 80
    Rgba inside = Pixel(80 + 300, 240);
    EXPECT_NEAR(inside.r, 150, 2);
    EXPECT_NEAR(inside.g, 120, 2);
    ASSERT_TRUE(SetVideoMode(640, 480, true));
    ASSERT_EQ(windowWidth, 640);
}

class RenderShaderDistortion : public testing::Test {
protected:
    void SetUp() override
    {
        if (!TShaderScreenDistortion::Supported()) GTEST_SKIP() << "no GL 2.0 + framebuffers";
        Blob();
        testing::internal::CaptureStderr();
        distortion = std::make_unique<TShaderScreenDistortion>(640, 480);
        buildLog = testing::internal::GetCapturedStderr();
        // The game camera at the world origin with zoom 1: world (x, y) is overlay
        // (160 + 2x, 120 + 2y).
        cameraAngle = 0.0f;
        SetGameView(0.0f, 0.0f, 1.0f);
        SaveMatrices();
    }
    void TearDown() override { distortion.reset(); }

    // Composites the frame as the game does, once with the impulses so far queued
    // (they go into the buffers) and once more to show them.
    void DrawTwice()
    {
        gltest::ClearOverlay();
        distortion->Draw();
        gltest::ClearOverlay();
        distortion->Draw();
    }

    std::unique_ptr<TShaderScreenDistortion> distortion;
    std::string buildLog;
};

TEST_F(RenderShaderDistortion, BuildsCleanlyAndShowsTheStillFrame)
{
    EXPECT_TRUE(distortion->IsUsable());
    EXPECT_EQ(buildLog, "");
    MakeGradientFrame();
    DrawTwice();
    gltest::SaveScreenshot("shader_still");
    for (int x : {40, 200, 500}) {
        for (int y : {30, 240, 470}) {
            Rgba p = Pixel(x, y);
            EXPECT_NEAR(p.r, std::min(x / 2, 255), 2) << x << "," << y;
            EXPECT_NEAR(p.g, y / 2, 2) << x << "," << y;
        }
    }
    EXPECT_EQ(Pixel(5, 5).b, 255);
    EXPECT_EQ(TShaderProgram::CurrentProgram(), 0u);
    EXPECT_EQ(CurrentBlendMode(), 2);
}

TEST_F(RenderShaderDistortion, RadialImpulseDrawsThePictureInAboutItsPoint)
{
    MakeGradientFrame();
    // World (-30, -20) is overlay and frame pixel (100, 80): window (200, 160).
    float sx, sy;
    WorldToScreen(-30.0f, -20.0f, &sx, &sy);
    ASSERT_NEAR(sx, 100.0f, 0.01f);
    ASSERT_NEAR(sy, 80.0f, 0.01f);
    // Strength 400 hands the shader -0.1: each pixel reads about 10% farther out.
    distortion->AddRadial(-30.0f, -20.0f, 400.0f, 0);
    distortion->AddRadial(-30.0f, -20.0f, 400.0f, 1);
    ASSERT_EQ(distortion->Queue(0).size(), 1u);
    EXPECT_FLOAT_EQ(distortion->Queue(0).front().strength, -0.1f);
    EXPECT_FLOAT_EQ(distortion->Queue(0).front().scale, 50.0f);
    DrawTwice();
    EXPECT_TRUE(distortion->Queue(0).empty());
    gltest::SaveScreenshot("shader_radial");

    // The point itself keeps its colour; left of it red drops, right of it it rises.
    Rgba centre = Pixel(200, 160);
    EXPECT_NEAR(centre.r, 100, 2);
    EXPECT_NEAR(centre.g, 80, 2);
    Rgba left = Pixel(120, 160), right = Pixel(280, 160);
    EXPECT_NEAR(left.r, 56, 3);    // frame x 60 reads 60 - 40 * 0.1 * blob alpha
    EXPECT_NEAR(right.r, 144, 3);
    Rgba above = Pixel(200, 80), below = Pixel(200, 240);
    EXPECT_NEAR(above.g, 36, 3);
    EXPECT_NEAR(below.g, 124, 3);
    // Blue was not pushed: the corner mark stays put.
    EXPECT_EQ(Pixel(19, 19).b, 255);
    EXPECT_EQ(Pixel(22, 22).b, 0);
}

TEST_F(RenderShaderDistortion, DirectionalImpulseShiftsOnlyUnderTheBlob)
{
    MakeGradientFrame();
    // Overlay (160, 120), a 128-pixel blob (size 4), red pushed right by 60 / 600 of
    // the texture width: about 51 frame pixels at the centre.
    distortion->AddDirectional(0.0f, 0.0f, 60.0f, 0.0f, 4.0f, 0);
    DrawTwice();
    gltest::SaveScreenshot("shader_directional");
    Rgba centre = Pixel(320, 240);
    EXPECT_NEAR(centre.r, 160 - 51, 4);
    EXPECT_NEAR(centre.g, 120, 2);
    // Outside the blob's radius of 64 frame pixels nothing moves.
    EXPECT_NEAR(Pixel(320 + 140, 240).r, 230, 2);
    EXPECT_NEAR(Pixel(320, 240 + 140).r, 160, 2);

    // With no new impulses the offsets fade to 80% a frame.
    gltest::ClearOverlay();
    distortion->Draw();
    EXPECT_NEAR(Pixel(320, 240).r, 160 - 41, 4);
}

TEST_F(RenderShaderDistortion, StreaksAndBadChannelsAreHarmless)
{
    MakeGradientFrame();
    distortion->AddStreak(0.0f, 0.0f, 30.0f, 0.0f, 20.0f, 2);
    distortion->AddRadial(0.0f, 0.0f, 400.0f, 3);
    distortion->AddDirectional(0.0f, 0.0f, 1.0f, 1.0f, 4.0f, -1);
    EXPECT_EQ(distortion->Queue(2).size(), 1u);
    EXPECT_TRUE(distortion->Queue(0).empty());
    const auto& streak = distortion->Queue(2).front();
    EXPECT_EQ(streak.type, TShaderScreenDistortion::TImpulse::Streak);
    EXPECT_FLOAT_EQ(streak.dirX, -30.0f / 600.0f);
    EXPECT_FLOAT_EQ(streak.strength, 3.0f);
    EXPECT_FLOAT_EQ(streak.scale, 2.0f);
    DrawTwice();
    // Red and green unaffected anywhere; blue is the only channel the streak touches.
    Rgba p = Pixel(330, 240);
    EXPECT_NEAR(p.r, 165, 2);
    EXPECT_NEAR(p.g, 120, 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    for (int i = 0; i < int(TShaderScreenDistortion::kMaxQueued) + 10; ++i)
        distortion->AddRadial(0.0f, 0.0f, 1.0f, 1);
    EXPECT_EQ(distortion->Queue(1).size(), TShaderScreenDistortion::kMaxQueued);
}

TEST(RenderShaderProgram, MissingFilesAndUniformsAreReported)
{
    testing::internal::CaptureStderr();
    TShaderProgram broken("shaders/nothing_v.glsl", "shaders/distortion_f.glsl");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(broken.IsUsable());
    EXPECT_NE(err.find("nothing_v.glsl"), std::string::npos) << err;
    broken.Use();
    EXPECT_EQ(TShaderProgram::CurrentProgram(), 0u);
    broken.SetUniform1("x", 1.0f);  // nothing happens, nothing breaks

    std::ofstream("tint_f.glsl") << "#version 110\nuniform vec2 tint;\n"
                                    "void main() { gl_FragColor = vec4(tint, 0.0, 1.0); }\n";
    TShaderProgram program("shaders/radial_v.glsl", "tint_f.glsl");
    ASSERT_TRUE(program.IsUsable());
    EXPECT_GE(program.AttributeLocation("centre"), 0);
    EXPECT_EQ(program.AttributeLocation("nosuchattribute"), -1);
    EXPECT_EQ(broken.AttributeLocation("centre"), -1);
    testing::internal::CaptureStderr();
    program.SetUniform2("nosuchuniform", 1.0f, 2.0f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "GL: Failed to set uniform \"nosuchuniform\"!\n");
    // Setting a uniform leaves the program in use as it was.
    EXPECT_EQ(TShaderProgram::CurrentProgram(), 0u);
    program.SetUniform2("tint", 0.5f, 0.25f);
    GLint location = glGetUniformLocation(program.Id(), "tint");
    float value[2] = {0, 0};
    glGetUniformfv(program.Id(), location, value);
    EXPECT_FLOAT_EQ(value[0], 0.5f);
    EXPECT_FLOAT_EQ(value[1], 0.25f);
    EXPECT_EQ(TShaderProgram::CurrentProgram(), 0u);
}

TEST(RenderCamera, GameViewAndWorldToScreen)
{
    cameraAngle = 0.0f;
    SetGameView(-10.0f, -5.0f, 2.0f);
    SaveMatrices();
    float sx = 0, sy = 0;
    // The camera point is the frame block's centre: overlay (160, 120).
    WorldToScreen(10.0f, 5.0f, &sx, &sy);
    EXPECT_NEAR(sx, 160.0f, 0.01f);
    EXPECT_NEAR(sy, 120.0f, 0.01f);
    // One world pixel at zoom 2 is four overlay pixels.
    WorldToScreen(11.0f, 6.0f, &sx, &sy);
    EXPECT_NEAR(sx, 164.0f, 0.01f);
    EXPECT_NEAR(sy, 124.0f, 0.01f);

    // A quarter turn of the camera turns the world about that centre.
    cameraAngle = 3.14159265f / 2.0f;
    SetGameView(-10.0f, -5.0f, 2.0f);
    SaveMatrices();
    WorldToScreen(11.0f, 5.0f, &sx, &sy);
    EXPECT_NEAR(sx, 160.0f, 0.01f);
    EXPECT_NEAR(sy, 124.0f, 0.01f);
    cameraAngle = 0.0f;

    // BeginGameFrame uses the camera globals and the zoom.
    cameraX = 10.0f;
    cameraY = 5.0f;
    cameraZoom = 2.0f;
    BeginGameFrame();
    EXPECT_EQ(CurrentBlendMode(), 4);
    SaveMatrices();
    WorldToScreen(10.0f, 5.0f, &sx, &sy);
    EXPECT_NEAR(sx, 160.0f, 0.01f);
    cameraX = cameraY = 0.0f;
}

namespace {

// Every pixel's colour (alpha aside: the window shows none) of the window.
std::vector<Rgba> WindowColours()
{
    std::vector<Rgba> screen = gltest::Screen();
    for (Rgba& p : screen) p.a = 0;
    return screen;
}

size_t DifferentPixels(const std::vector<Rgba>& a, const std::vector<Rgba>& b)
{
    size_t n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b;
    return n + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

// One frame's composition, as the frame loop does it after the copy.
std::vector<Rgba> Compose(TScreenDistortion& distortion)
{
    gltest::ClearOverlay();
    distortion.Draw();
    return WindowColours();
}

// With nothing displaced the plain quad shows what the full pass shows; an
// impulse brings the pass back at once, and once it has faded the distortion is
// at rest again with the undistorted picture.
void CheckRestSkipsThePass(TScreenDistortion& distortion, const std::function<void()>& push)
{
    MakeGradientFrame();
    ASSERT_TRUE(distortion.AtRest());
    distortion.alwaysDistort = true;
    const std::vector<Rgba> full = Compose(distortion);
    distortion.alwaysDistort = false;
    const std::vector<Rgba> skipped = Compose(distortion);
    EXPECT_TRUE(distortion.AtRest());
    EXPECT_EQ(DifferentPixels(full, skipped), 0u);
    EXPECT_NEAR(gltest::Pixel(100, 100).r, 50, 2);

    push();
    std::vector<Rgba> frame = Compose(distortion);
    EXPECT_FALSE(distortion.AtRest());
    frame = Compose(distortion);
    EXPECT_GT(DifferentPixels(frame, skipped), 1000u) << "the impulse shows";

    int frames = 2;
    while (!distortion.AtRest() && frames < 200) {
        frame = Compose(distortion);
        ++frames;
    }
    EXPECT_TRUE(distortion.AtRest());
    EXPECT_LT(frames, 80) << "an ordinary impulse fades to rest within a few seconds";
    EXPECT_EQ(DifferentPixels(Compose(distortion), skipped), 0u);
    distortion.alwaysDistort = true;
    EXPECT_EQ(DifferentPixels(Compose(distortion), skipped), 0u);
    distortion.alwaysDistort = false;
}

}  // namespace

TEST(RenderVertexDistortion, AtRestComposesWithoutThePass)
{
    TVertexScreenDistortion distortion(640, 480);
    CheckRestSkipsThePass(distortion, [&] {
        distortion.AddDirectionalAtScreen(100.0f, 100.0f, 20.0f, 0.0f, 4.0f, 0);
        distortion.AddRadialAtScreen(200.0f, 150.0f, 3.0f, 2);
    });
}

TEST_F(RenderShaderDistortion, AtRestComposesWithoutThePass)
{
    CheckRestSkipsThePass(*distortion, [&] {
        distortion->AddDirectional(0.0f, 0.0f, 60.0f, 0.0f, 4.0f, 0);
        distortion->AddRadial(-30.0f, -20.0f, 400.0f, 1);
        distortion->AddStreak(10.0f, 10.0f, 30.0f, 0.0f, 20.0f, 2);
    });
}

// The economical pass (two-channel buffers, fade and per-pixel composition only
// over the tiles impulses touched) shows every frame exactly as the full pass:
// bullets' streaks crossing part of the frame, a push that fades while the
// streaks go on, then a blast over all of it, until both are still again.
TEST_F(RenderShaderDistortion, TiledPassShowsWhatTheFullPassShows)
{
    TShaderScreenDistortion full(640, 480, false);
    ASSERT_TRUE(full.IsUsable());
    ASSERT_TRUE(distortion->tiled);
    MakeGradientFrame();
    auto both = [&](const std::function<void(TScreenDistortion&)>& push) {
        push(full);
        push(*distortion);
    };
    int partial = 0;
    for (int frame = 0; frame < 400; ++frame) {
        const float t = float(frame);
        if (frame < 40)
            both([&](TScreenDistortion& d) {
                d.AddStreak(-70.0f + 3.0f * t, -30.0f + t, 36.0f, 12.0f, 3.0f, frame % 2);
                d.AddStreak(60.0f - 2.0f * t, 40.0f, -40.0f, 0.0f, 3.0f, 2);
            });
        if (frame == 5) both([](TScreenDistortion& d) { d.AddDirectional(-40.0f, 30.0f, 25.0f, -10.0f, 1.5f, 1); });
        if (frame == 150) both([](TScreenDistortion& d) { d.AddRadial(50.0f, -20.0f, 60.0f, 0); });
        const std::vector<Rgba> expected = Compose(full);
        const std::vector<Rgba> shown = Compose(*distortion);
        ASSERT_EQ(DifferentPixels(expected, shown), 0u) << "frame " << frame;
        int live = 0;
        for (int j = 0; j < TDistortionTiles::kRows; ++j)
            for (int i = 0; i < TDistortionTiles::kColumns; ++i) live += distortion->LiveTile(i, j);
        if (live > 0 && live < TDistortionTiles::kRows * TDistortionTiles::kColumns / 2) ++partial;
        if (frame > 150 && full.AtRest() && distortion->AtRest()) break;
    }
    EXPECT_TRUE(distortion->AtRest());
    EXPECT_GT(partial, 20) << "the streaks leave most of the frame untouched";
}

// Impulses of a kind in one vertex-array draw show every frame exactly as one
// draw per impulse: a firefight's worth of streaks over a turned camera, with
// pushes and blasts among them (each breaks a run), until all is still again.
TEST_F(RenderShaderDistortion, ImpulsesInOneDrawShowWhatOneDrawEachShows)
{
    TShaderScreenDistortion oneByOne(640, 480);
    ASSERT_TRUE(oneByOne.IsUsable());
    oneByOne.batched = false;
    ASSERT_TRUE(distortion->batched);
    MakeGradientFrame();
    const std::vector<Rgba> still = Compose(*distortion);
    std::minstd_rand random(99);
    auto place = [&](float range) { return std::uniform_real_distribution<float>(-range, range)(random); };
    int shown = 0;
    for (int frame = 0; frame < 300; ++frame) {
        cameraAngle = frame < 20 ? 0.0f : 0.35f;
        if (frame < 40) {
            for (int i = 0; i < 60; ++i) {
                const float x = place(75.0f), y = place(55.0f), dx = place(46.0f), dy = place(46.0f);
                const int channel = i % 2;
                oneByOne.AddStreak(x, y, dx, dy, 3.0f, channel);
                distortion->AddStreak(x, y, dx, dy, 3.0f, channel);
                if (i % 17 == 5) {
                    oneByOne.AddDirectional(y, x, dy, dx, 1.5f, channel);
                    distortion->AddDirectional(y, x, dy, dx, 1.5f, channel);
                }
                if (i % 23 == 11) {
                    oneByOne.AddRadial(x, y, 4.0f * dx, 2);
                    distortion->AddRadial(x, y, 4.0f * dx, 2);
                }
            }
        }
        if (frame == 30)
            for (int channel = 0; channel < 3; ++channel) {
                oneByOne.AddRadial(20.0f, -10.0f, 60.0f - 10.0f * channel, channel);
                distortion->AddRadial(20.0f, -10.0f, 60.0f - 10.0f * channel, channel);
            }
        const unsigned long separateBefore = oneByOne.ImpulseDraws();
        const unsigned long batchedBefore = distortion->ImpulseDraws();
        const std::vector<Rgba> expected = Compose(oneByOne);
        const std::vector<Rgba> batched = Compose(*distortion);
        ASSERT_EQ(DifferentPixels(expected, batched), 0u) << "frame " << frame;
        if (frame == 10) {
            // 60 streaks, 4 pushes and 3 blasts: a run for each kind in between.
            EXPECT_EQ(oneByOne.ImpulseDraws() - separateBefore, 67u);
            EXPECT_LE(distortion->ImpulseDraws() - batchedBefore, 16u);
        }
        shown += DifferentPixels(still, batched) > 1000;
        if (frame > 40 && oneByOne.AtRest() && distortion->AtRest()) break;
    }
    cameraAngle = 0.0f;
    EXPECT_GT(shown, 30) << "the impulses moved the picture";
    EXPECT_TRUE(distortion->AtRest());
    EXPECT_EQ(DifferentPixels(Compose(*distortion), still), 0u);
}
