// The world's frame drawn with and without the batched paths: walls casting
// view shadows, rotated and tinted props in two textures, floor decals, a text
// object and both particle systems. Batching must not change a pixel.
#include "core/App.h"
#include "core/Game.h"
#include "gl_test_support.h"
#include "player/weapons/Kuul.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/ShadowQuads.h"
#include "render/Sprite.h"
#include "render/SpriteBatch.h"
#include "render/Text.h"
#include "world/TextObject.h"
#include "world/World.h"
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>

using gltest::Rgba;

namespace {

const char* kScene = R"(
objectlist = {
    wall = {collision = 1, depth = 1, frame = 0, rectangle = 1, fovshadows = 1, material = 0,
            sprite = "spr_box", rw = 24, rh = 24, shadowdist = 2, mass = 0},
    prop = {collision = 1, depth = 0, frame = 1, rectangle = 0, fovshadows = 0, material = 0,
            sprite = "spr_box", rw = 5, rh = 5, shadowdist = 2, mass = 0},
    crate = {collision = 1, depth = 2, frame = 2, rectangle = 1, fovshadows = 0, material = 1,
             sprite = "spr_crate", rw = 12, rh = 12, shadowdist = 3, mass = 0},
}
for i = 0, 5 do CreateObject(-9 + i * 2, -6, 0, "wall") end
for i = 0, 3 do CreateObject(7, -3 + i * 2, 0.4 * i, "wall") end
for i = 0, 29 do
    CreateObject(-11 + (i % 10) * 2.3, 1 + math.floor(i / 10) * 2.1, i * 0.37, i % 3 == 0 and "crate" or "prop")
end
CreateBitmap(-4, 6, 0.3, 0, 0, 16, 16, "crate")
CreateBitmap(3, 7, 1.1, 16, 0, 32, 16, "box")
)";

// A checkered 64 x 64 texture; black (transparent) pixels along one edge of each cell.
void MakeTexture(const std::string& name, Rgba on, Rgba off)
{
    gltest::WriteBmp24(name + ".bmp", 64, 64, [&](int x, int y) {
        if (x % 16 == 0) return Rgba{0, 0, 0, 0};
        return ((x / 4) + (y / 4)) % 2 == 0 ? on : off;
    });
    gltest::LoadScriptTexture(name + ".bmp", name);
}

size_t DifferentPixels(const std::vector<Rgba>& a, const std::vector<Rgba>& b)
{
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b;
    return n;
}

class RenderBatch : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gltest::OpenWindow());
        static bool made = false;
        if (!made) {
            made = true;
            MakeTexture("box", {200, 180, 40, 255}, {90, 60, 40, 255});
            MakeTexture("crate", {40, 120, 220, 255}, {20, 200, 90, 255});
            gltest::CreateScriptSprite("spr_box", "box", 4, 4, 16, 16, 0, 0);
            gltest::CreateScriptSprite("spr_crate", "crate", 4, 4, 16, 16, 0, 0);
            gltest::Lua("sprites.spr_suits = sprites.spr_box sprites.spr_omnismooth = sprites.spr_box");
            gltest::WriteBmp24("font.bmp", 8, 8, [](int, int) { return Rgba{255, 255, 255, 0}; });
            gltest::LoadScriptTexture("font.bmp", "fonttex");
            gltest::CreateScriptSprite("spr_font", "fonttex", 128, 1, 0, 0, 0, 0);
            gltest::Lua("for c = 32, 126 do SetFrame('spr_font', c, c % 5, 0, c % 5 + 3, 5) end");
        }
        font = FindSprite("spr_font");
        game = new TGame("stats");
        game->SetUp();
        game->SetState("game");
        ASSERT_TRUE(game->world);
        ASSERT_TRUE(gltest::Lua(kScene));
        new TTextObject(-2.0f, -2.0f, "batch me\nif you can");
        std::srand(7);
        TWorld* world = game->world;
        for (int i = 0; i < 300; ++i)
            world->particles->EmitSpark(float(i % 40) * 8 - 160, float(i / 40) * 9 - 40, 3, 2);
        for (int i = 0; i < 40; ++i)
            world->debris->EmitSmoke(float(i % 8) * 30 - 120, float(i / 8) * 25 - 60, 0.8f);
        for (int i = 0; i < 3; ++i) world->Step();
        // Flashes live two updates: additive, in the smoke's texture.
        for (int i = 0; i < 40; ++i)
            world->particles->EmitFlash(float(i) * 7 - 140, 50, 0.5f, 1, 0.6f, 0.2f, 0.7f);
        cameraX = cameraY = 0.0f;
        cameraAngle = 0.2f;
        cameraZoom = 1.0f;
    }

    void TearDown() override
    {
        spriteBatch.enabled = true;
        shadowQuads.batching = true;
        delete game;
        game = nullptr;
        cameraAngle = 0.0f;
    }

    // The world's draw pass as the game state runs it, read back.
    std::vector<Rgba> DrawWorld()
    {
        glViewport(0, 0, 640, 480);
        BeginGameFrame();
        game->world->Draw();
        SetBlendMode(2);
        return gltest::Screen();
    }
};

}  // namespace

TEST_F(RenderBatch, ShadowsInOneDrawLookTheSame)
{
    shadowQuads.batching = false;
    const unsigned long before = shadowQuads.Draws();
    const std::vector<Rgba> oneByOne = DrawWorld();
    const unsigned long separate = shadowQuads.Draws() - before;
    shadowQuads.batching = true;
    const std::vector<Rgba> batched = DrawWorld();
    EXPECT_EQ(shadowQuads.Draws() - before - separate, 1u);
    EXPECT_GT(separate, 30u);
    gltest::SaveScreenshot("batch_shadows");
    EXPECT_EQ(DifferentPixels(oneByOne, batched), 0u);

    // The picture is no empty one: shadow black, sprites and particles inside the frame block.
    size_t black = 0, lit = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const Rgba& p = batched[size_t(y) * 640 + size_t(x)];
            (p.r + p.g + p.b == 0 ? black : lit) += 1;
        }
    EXPECT_GT(black, 5000u);
    EXPECT_GT(lit, 20000u);
}

TEST_F(RenderBatch, SpritesInVertexArraysKeepOrderAndPicture)
{
    spriteBatch.enabled = false;
    const std::vector<Rgba> oneByOne = DrawWorld();
    spriteBatch.enabled = true;
    const unsigned long before = spriteBatch.Draws();
    const std::vector<Rgba> batched = DrawWorld();
    const unsigned long draws = spriteBatch.Draws() - before;
    gltest::SaveScreenshot("batch_sprites");
    EXPECT_EQ(spriteBatch.Pending(), 0u) << "nothing left behind after the pass";
    // 40 objects with drop shadows, 2 decals, 19 glyphs, 80 sprite particles:
    // runs of one texture and blend mode make far fewer draws.
    EXPECT_GT(draws, 2u);
    EXPECT_LT(draws, 40u);
    EXPECT_EQ(DifferentPixels(oneByOne, batched), 0u);

    // Text drawn on the overlay the same way: every glyph in one draw.
    auto drawText = [] {
        gltest::ClearOverlay();
        SetBlendMode(2);
        SetColor(1.0f, 0.5f, 0.25f, 1.0f);
        DrawTextBlock("the quick brown fox\njumps over 13 lazy dogs", 10.0f, 20.0f);
        DrawTextLine("~!@#$%^&*()_+", 100.0f, 100.0f);
        return gltest::Screen();
    };
    spriteBatch.enabled = false;
    const std::vector<Rgba> plainText = drawText();
    spriteBatch.enabled = true;
    const unsigned long textBefore = spriteBatch.Draws();
    const std::vector<Rgba> batchedText = drawText();
    EXPECT_EQ(spriteBatch.Draws() - textBefore, 2u);
    EXPECT_EQ(DifferentPixels(plainText, batchedText), 0u);
    EXPECT_EQ(gltest::Pixel(12, 23).r, 255) << "a glyph of the first line";
}

// A volley among the props: each bullet's two trails (untextured) and its head
// go into the runs of kept quads, plain ones additive and nails cut-out, with
// the same picture as drawn one by one, in far fewer draws. The heads fly level (a turned sprite
// is placed by the CPU a rounding apart from the matrices); the trails run
// every way.
TEST_F(RenderBatch, BulletTrailsAndHeadsKeepTheirPicture)
{
    unsigned long drawsWithout = spriteBatch.Draws();
    const std::vector<Rgba> without = DrawWorld();
    drawsWithout = spriteBatch.Draws() - drawsWithout;
    gltest::Lua("sprites.spr_kuul = sprites.spr_crate");
    std::vector<TKuul*> volley;
    for (int i = 0; i < 40; ++i)
        volley.push_back(new TKuul(-8.0f + 0.4f * float(i), -3.0f + float(i % 7), 0.0f, 45.0f, 10.0f, 30.0f, 1,
                                   i % 5 == 2 ? kBulletNail : kBulletPlain, nullptr));
    // As after a step: the trails run from where each bullet was.
    auto fly = [&] {
        for (size_t i = 0; i < volley.size(); ++i) {
            const float turn = 0.4f * float(i);
            volley[i]->velocity = b2Vec2(i % 2 ? 45.0f : -45.0f, 0.0f);
            volley[i]->previous = volley[i]->position - b2Vec2(30.0f * std::cos(turn), 30.0f * std::sin(turn));
        }
    };
    fly();
    spriteBatch.enabled = false;
    const std::vector<Rgba> oneByOne = DrawWorld();
    fly();
    spriteBatch.enabled = true;
    const unsigned long before = spriteBatch.Draws();
    const std::vector<Rgba> batched = DrawWorld();
    gltest::SaveScreenshot("batch_bullets");
    EXPECT_EQ(spriteBatch.Pending(), 0u);
    EXPECT_GT(DifferentPixels(without, batched), 1000u) << "the volley shows";
    EXPECT_EQ(DifferentPixels(oneByOne, batched), 0u);
    // Plain bullets add light: a run of them is two draws (all trails, all
    // heads), however long. Each nail cuts out and takes its own two.
    EXPECT_LE(spriteBatch.Draws() - before - drawsWithout, volley.size());
}
