// Loading images into textures and cutting sprites, through the script functions
// the art scripts use, checked against what OpenGL holds.
#include "gl_test_support.h"
#include "render/GLState.h"
#include "render/Sprite.h"
#include "render/Texture.h"
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <string>

using gltest::Rgba;

namespace {

void ExpectTexel(const std::vector<Rgba>& texels, const TTexture& t, int x, int y, Rgba want)
{
    const Rgba& got = texels[size_t(y) * t.width + x];
    EXPECT_EQ(got.r, want.r) << "texel " << x << "," << y;
    EXPECT_EQ(got.g, want.g) << "texel " << x << "," << y;
    EXPECT_EQ(got.b, want.b) << "texel " << x << "," << y;
    EXPECT_EQ(got.a, want.a) << "texel " << x << "," << y;
}

// A 100 x 50 24-bit image: black at (0, 0), almost-black blue at (1, 0), green at
// the last pixel, red elsewhere.
const char* RgbImage()
{
    static bool written = gltest::WriteBmp24("rgb100x50.bmp", 100, 50, [](int x, int y) {
        if (x == 0 && y == 0) return Rgba{0, 0, 0, 0};
        if (x == 1 && y == 0) return Rgba{0, 0, 1, 0};
        if (x == 99 && y == 49) return Rgba{0, 255, 0, 0};
        return Rgba{255, 0, 0, 0};
    });
    EXPECT_TRUE(written);
    return "rgb100x50.bmp";
}

}  // namespace

TEST(RenderTextureLoad, TwentyFourBitImageKeysOutPureBlack)
{
    TTexture* t = gltest::LoadScriptTexture(RgbImage(), "rgb100x50");
    ASSERT_NE(t, nullptr);
    EXPECT_NE(t->id, 0u);
    EXPECT_EQ(t->width, 128);
    EXPECT_EQ(t->height, 64);
    EXPECT_EQ(t->imageWidth, 100);
    EXPECT_EQ(t->imageHeight, 50);
    EXPECT_EQ(t->hasAlpha, 0);
    EXPECT_STREQ(t->name, "rgb100x50");

    auto texels = gltest::TexturePixels(*t);
    ExpectTexel(texels, *t, 0, 0, {0, 0, 0, 0});
    ExpectTexel(texels, *t, 1, 0, {0, 0, 1, 255});
    ExpectTexel(texels, *t, 2, 0, {255, 0, 0, 255});
    ExpectTexel(texels, *t, 99, 49, {0, 255, 0, 255});
    // The image sits top-left; the padding is clear.
    ExpectTexel(texels, *t, 100, 0, {0, 0, 0, 0});
    ExpectTexel(texels, *t, 0, 50, {0, 0, 0, 0});
    ExpectTexel(texels, *t, 127, 63, {0, 0, 0, 0});

    TSprite* s = gltest::CreateScriptSprite("whole", "rgb100x50", 1, 1, 100, 50, 0, 0);
    ASSERT_NE(s, nullptr);
    const TSpriteFrame* f = s->DrawableFrame(0);
    ASSERT_NE(f, nullptr);
    EXPECT_FLOAT_EQ(f->uLeft, 0.0f);
    EXPECT_FLOAT_EQ(f->vTop, 0.0f);
    EXPECT_FLOAT_EQ(f->uRight, 0.78125f);
    EXPECT_FLOAT_EQ(f->vBottom, 0.78125f);
    EXPECT_FLOAT_EQ(f->width, 100.0f);
    EXPECT_FLOAT_EQ(f->height, 50.0f);
}

TEST(RenderTextureLoad, ThirtyTwoBitImageKeepsItsAlpha)
{
    std::vector<Rgba> pixels(3 * 2);
    pixels[0] = {10, 20, 30, 128};
    pixels[1] = {0, 0, 0, 255};  // opaque black stays opaque: no colour key here
    pixels[2] = {255, 255, 255, 0};
    pixels[5] = {1, 2, 3, 4};
    ASSERT_TRUE(gltest::WritePng("rgba3x2.png", 3, 2, pixels));
    TTexture* t = gltest::LoadScriptTexture("rgba3x2.png", "rgba3x2");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->hasAlpha, 1);
    EXPECT_EQ(t->width, 4);
    EXPECT_EQ(t->height, 2);
    auto texels = gltest::TexturePixels(*t);
    ExpectTexel(texels, *t, 0, 0, {10, 20, 30, 128});
    ExpectTexel(texels, *t, 1, 0, {0, 0, 0, 255});
    ExpectTexel(texels, *t, 2, 0, {255, 255, 255, 0});
    ExpectTexel(texels, *t, 2, 1, {1, 2, 3, 4});
    ExpectTexel(texels, *t, 3, 0, {0, 0, 0, 0});
}

TEST(RenderTextureLoad, PalettedImageKeysOutItsBlackEntry)
{
    // Black is palette entry 2, not 0, so keying the wrong index would show.
    std::vector<Rgba> palette = {{255, 0, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 0}};
    ASSERT_TRUE(gltest::WriteBmp8("pal4x4.bmp", 4, 4, palette, [](int x, int) { return x % 3; }));
    TTexture* t = gltest::LoadScriptTexture("pal4x4.bmp", "pal4x4");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->hasAlpha, 0);
    auto texels = gltest::TexturePixels(*t);
    ExpectTexel(texels, *t, 0, 0, {255, 0, 0, 255});
    ExpectTexel(texels, *t, 1, 1, {0, 0, 255, 255});
    ExpectTexel(texels, *t, 2, 2, {0, 0, 0, 0});
    ExpectTexel(texels, *t, 3, 3, {255, 0, 0, 255});
}

TEST(RenderTextureLoad, MissingFileReportsAndLeavesAnEmptyTexture)
{
    testing::internal::CaptureStderr();
    TTexture* t = gltest::LoadScriptTexture("no/such/file.png", "ghost");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Bitmap loading failed. SDL error: "), std::string::npos) << err;
    EXPECT_NE(err.find("File:\"ghost\"\n"), std::string::npos) << err;
    ASSERT_NE(t, nullptr);  // the script still gets a usable handle
    EXPECT_NE(t->id, 0u);
    EXPECT_EQ(t->width, 1);
    EXPECT_EQ(t->height, 1);
    auto texels = gltest::TexturePixels(*t);
    ExpectTexel(texels, *t, 0, 0, {0, 0, 0, 0});

    // A sprite on it is cut without trouble and draws nothing visible.
    TSprite* s = gltest::CreateScriptSprite("ghostsprite", "ghost", 2, 2, 8, 8, 0, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->frameCount, 4);
}

TEST(RenderTextureLoad, LongNamesAreCutToFit)
{
    TTexture t;
    std::string name(300, 'n');
    testing::internal::CaptureStderr();
    LoadTexture(&t, name, "no/such/file.bmp");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::string(t.name), std::string(127, 'n'));
    EXPECT_NE(err.find("File:\"" + std::string(127, 'n') + "\""), std::string::npos);
}

TEST(RenderTextureBlank, SizesRoundUpAndFloatBuffersStartAtZero)
{
    TTexture t;
    CreateBlankTexture(&t, "blank", 320, 240, false);
    EXPECT_EQ(t.width, 512);
    EXPECT_EQ(t.height, 256);
    EXPECT_EQ(t.imageWidth, 512);
    EXPECT_EQ(t.imageHeight, 256);
    EXPECT_EQ(t.hasAlpha, 1);
    auto texels = gltest::TexturePixels(t);
    ExpectTexel(texels, t, 100, 100, {0, 0, 0, 0});

    TTexture f;
    CreateBlankTexture(&f, "float", 640, 480, true);
    EXPECT_EQ(f.width, 1024);
    EXPECT_EQ(f.height, 512);
    GLint format = 0;
    BindTexture(f.id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RGBA16F_ARB);
    std::vector<float> values(size_t(f.width) * f.height * 4, -1.0f);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, values.data());
    EXPECT_EQ(values[0], 0.0f);
    EXPECT_EQ(values[values.size() / 2 + 1], 0.0f);
}

TEST(RenderSpriteScript, GridFramesAreCutRowByRow)
{
    ASSERT_NE(gltest::LoadScriptTexture(RgbImage(), "grid"), nullptr);
    TSprite* s = gltest::CreateScriptSprite("grid", "grid", 4, 2, 16, 16, 0, 32);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->frameCount, 8);
    // Frame 5 is column 1 of row 1: x 16..32, y 48..64 of the 128 x 64 texture.
    const TSpriteFrame* f = s->DrawableFrame(5);
    ASSERT_NE(f, nullptr);
    EXPECT_FLOAT_EQ(f->uLeft, 16.0f / 128.0f);
    EXPECT_FLOAT_EQ(f->uRight, 32.0f / 128.0f);
    EXPECT_FLOAT_EQ(f->vTop, 48.0f / 64.0f);
    EXPECT_FLOAT_EQ(f->vBottom, 1.0f);
    EXPECT_FLOAT_EQ(f->width, 16.0f);
    EXPECT_FLOAT_EQ(f->height, 16.0f);
}

TEST(RenderSpriteScript, SetFrameChecksSpriteAndFrame)
{
    ASSERT_NE(gltest::LoadScriptTexture(RgbImage(), "setframe"), nullptr);
    TSprite* s = gltest::CreateScriptSprite("setframe", "setframe", 2, 1, 8, 8, 0, 0);
    ASSERT_NE(s, nullptr);
    const TSpriteFrame before = s->frames[1];

    ASSERT_TRUE(gltest::Lua("SetFrame('setframe', 1, 32, 16, 64, 48)"));
    EXPECT_FLOAT_EQ(s->frames[1].uLeft, 0.25f);
    EXPECT_FLOAT_EQ(s->frames[1].vBottom, 0.75f);
    EXPECT_FLOAT_EQ(s->frames[1].width, 32.0f);

    for (const char* call : {"SetFrame('setframe', -1, 0, 0, 1, 1)",
                             "SetFrame('setframe', 2, 0, 0, 1, 1)"}) {
        testing::internal::CaptureStderr();
        EXPECT_TRUE(gltest::Lua(call));
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("out of bounds!\n"), std::string::npos) << call;
    }
    EXPECT_FLOAT_EQ(s->frames[0].width, before.width);
    EXPECT_FLOAT_EQ(s->frames[1].width, 32.0f);

    testing::internal::CaptureStderr();
    EXPECT_TRUE(gltest::Lua("SetFrame('nosuchsprite', 0, 0, 0, 1, 1)"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: sprite nosuchsprite not found!\n");
}

TEST(RenderSpriteScript, BadScriptInputIsRefusedWithoutHarm)
{
    ASSERT_NE(gltest::LoadScriptTexture(RgbImage(), "grid"), nullptr);
    // Wrong argument types raise a script error in the caller.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(gltest::Lua("_CreateSprite('grid', 'many', 1, 1, 1, 0, 0)"));
    EXPECT_FALSE(gltest::Lua("DrawSprite('grid', 'x', 0, 0, 0)"));
    EXPECT_FALSE(gltest::Lua("SetColor(1, 1, 1)"));
    EXPECT_FALSE(gltest::Lua("_LoadTexture(nil, 'x')"));
    testing::internal::GetCapturedStderr();

    // An absurd grid is refused with a message instead of allocated.
    testing::internal::CaptureStderr();
    TSprite* huge = gltest::CreateScriptSprite("huge", "grid", 1000000, 1000000, 1, 1, 0, 0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("too large"), std::string::npos) << err;
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(huge->frameCount, 0);

    // A sprite on a texture the scripts don't know is reported and never drawn.
    testing::internal::CaptureStderr();
    TSprite* orphan = gltest::CreateScriptSprite("orphan", "notexture", 1, 1, 4, 4, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: texture notexture not found!\n");
    ASSERT_NE(orphan, nullptr);
    EXPECT_EQ(orphan->DrawableFrame(0), nullptr);

    // A name resolving to something that is no sprite finds nothing.
    int notASprite = 0;
    gltest::PutBogusSprite("bogus", &notASprite);
    EXPECT_EQ(FindSprite("bogus"), nullptr);
    gltest::PutBogusSprite("texture-as-sprite", FindTexture("grid"));
    EXPECT_EQ(FindSprite("texture-as-sprite"), nullptr);
    EXPECT_TRUE(gltest::Lua("DrawSprite('bogus', 1, 2, 0, 0)"));
}
