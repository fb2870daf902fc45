// Sprites, text and shapes drawn into the back buffer and read back.
#include "gl_test_support.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "render/Texture.h"
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <cmath>

using gltest::Pixel;
using gltest::Rgba;

namespace {

constexpr float kPi = 3.14159265358979f;

bool Near(Rgba p, int r, int g, int b, int tolerance = 3)
{
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
           std::abs(p.b - b) <= tolerance;
}

void ExpectPixel(int line, int x, int y, int r, int g, int b)
{
    Rgba p = Pixel(x, y);
    EXPECT_TRUE(Near(p, r, g, b)) << "line " << line << ": pixel " << x << "," << y << " is "
                                  << int(p.r) << "," << int(p.g) << "," << int(p.b);
}
#define EXPECT_PIXEL(...) ExpectPixel(__LINE__, __VA_ARGS__)

// A 16 x 16 sprite: red, green / blue, white quarters.
TSprite* QuarterSprite()
{
    static TSprite* sprite = [] {
        gltest::WriteBmp24("quarters.bmp", 16, 16, [](int x, int y) {
            if (y < 8) return x < 8 ? Rgba{255, 0, 0, 0} : Rgba{0, 255, 0, 0};
            return x < 8 ? Rgba{0, 0, 255, 0} : Rgba{255, 255, 255, 0};
        });
        gltest::LoadScriptTexture("quarters.bmp", "quarters");
        return gltest::CreateScriptSprite("quarters", "quarters", 1, 1, 16, 16, 0, 0);
    }();
    return sprite;
}

// The font: a white texture, glyph frames 3 x 5 pixels for 'H' and 'i' only.
TSprite* TestFont()
{
    static TSprite* sprite = [] {
        gltest::WriteBmp24("font.bmp", 8, 8, [](int, int) { return Rgba{255, 255, 255, 0}; });
        gltest::LoadScriptTexture("font.bmp", "fonttex");
        TSprite* s = gltest::CreateScriptSprite("spr_font", "fonttex", 128, 1, 0, 0, 0, 0);
        gltest::Lua("SetFrame('spr_font', 72, 0, 0, 3, 5) SetFrame('spr_font', 105, 0, 0, 3, 5)");
        return s;
    }();
    return sprite;
}

int LitPixels()
{
    int lit = 0;
    for (const Rgba& p : gltest::Screen())
        if (p.r || p.g || p.b) ++lit;
    return lit;
}

}  // namespace

TEST(RenderDraw, SpriteLandsCentredScaledAndTurned)
{
    TSprite* s = QuarterSprite();
    ASSERT_NE(s, nullptr);
    gltest::ClearOverlay();
    SetBlendMode(3);
    DrawSpriteScaled(s, 100.0f, 100.0f, 0.0f, 2.0f, 2.0f, 0);
    // 32 x 32 about (100, 100).
    EXPECT_PIXEL(90, 90, 255, 0, 0);
    EXPECT_PIXEL(110, 90, 0, 255, 0);
    EXPECT_PIXEL(90, 110, 0, 0, 255);
    EXPECT_PIXEL(110, 110, 255, 255, 255);
    EXPECT_PIXEL(85, 85, 255, 0, 0);
    EXPECT_PIXEL(82, 100, 0, 0, 0);
    EXPECT_PIXEL(100, 118, 0, 0, 0);

    // A quarter turn: the quad turns by -angle, so with y down the red corner goes
    // from the top left to the bottom left.
    gltest::ClearOverlay();
    DrawSprite(s, 300.0f, 200.0f, kPi / 2.0f, 0);
    EXPECT_PIXEL(296, 204, 255, 0, 0);
    EXPECT_PIXEL(296, 196, 0, 255, 0);
    EXPECT_PIXEL(304, 204, 0, 0, 255);
    EXPECT_PIXEL(304, 196, 255, 255, 255);
    gltest::SaveScreenshot("sprite_turned");
}

TEST(RenderDraw, TintMultipliesAndNoTintKeepsTheColour)
{
    TSprite* s = QuarterSprite();
    gltest::ClearOverlay();
    SetBlendMode(3);
    DrawSpriteTinted(s, 100.0f, 100.0f, 0.0f, 0, 1.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_PIXEL(104, 104, 255, 0, 255);  // white quarter through magenta
    EXPECT_PIXEL(96, 96, 255, 0, 0);

    SetColor(0.0f, 1.0f, 0.0f, 1.0f);
    DrawSpriteNoTint(s, 200.0f, 100.0f, 0.0f, 0, 1.0f, 1.0f);
    EXPECT_PIXEL(204, 104, 0, 255, 0);
    EXPECT_PIXEL(196, 96, 0, 0, 0);  // red through green

    // The script function draws white unless given exactly eleven arguments.
    ASSERT_TRUE(gltest::Lua("DrawSprite('quarters', 300, 100, 0, 0)"));
    EXPECT_PIXEL(304, 104, 255, 255, 255);
    ASSERT_TRUE(gltest::Lua("DrawSprite('quarters', 400, 100, 0, 0, 2, 2, 0, 0, 1, 1)"));
    EXPECT_PIXEL(410, 110, 0, 0, 255);
    EXPECT_PIXEL(390, 90, 0, 0, 0);
}

TEST(RenderDraw, StretchedSpriteSpansBothEnds)
{
    TSprite* s = QuarterSprite();
    gltest::ClearOverlay();
    SetBlendMode(3);
    SetColor(1, 1, 1, 1);
    DrawSpriteStretched(s, 100.0f, 300.0f, 300.0f, 300.0f, 0, 1.0f, 1.0f);
    // Left cap behind the start, right cap past the end, the middle in between.
    EXPECT_PIXEL(94, 296, 255, 0, 0);
    EXPECT_PIXEL(306, 296, 0, 255, 0);
    EXPECT_PIXEL(306, 304, 255, 255, 255);
    Rgba middle = Pixel(200, 296);
    EXPECT_TRUE(middle.r || middle.g);
    EXPECT_PIXEL(90, 296, 0, 0, 0);
    EXPECT_PIXEL(310, 296, 0, 0, 0);
    EXPECT_PIXEL(200, 290, 0, 0, 0);
}

TEST(RenderDraw, NothingDrawsForNullSpritesAndMissingFrames)
{
    TSprite* s = QuarterSprite();
    gltest::ClearOverlay();
    SetBlendMode(3);
    DrawSprite(nullptr, 100.0f, 100.0f, 0.0f, 0);
    DrawSprite(s, 100.0f, 100.0f, 0.0f, -1);
    DrawSprite(s, 100.0f, 100.0f, 0.0f, 1);
    DrawSprite(s, 100.0f, 100.0f, 0.0f, 1 << 30);
    DrawSpriteNoTint(nullptr, 100.0f, 100.0f, 0.0f, 0, 1, 1);
    DrawSpriteStretched(s, 0.0f, 0.0f, 50.0f, 50.0f, 7, 1, 1);
    DrawSpriteStretched(nullptr, 0.0f, 0.0f, 50.0f, 50.0f, 0, 1, 1);
    TSprite empty;
    DrawSprite(&empty, 100.0f, 100.0f, 0.0f, 0);
    DrawTextLine(nullptr, 0, 0);
    ASSERT_TRUE(gltest::Lua("DrawSprite('nosuchsprite', 100, 100, 0, 0)"));
    EXPECT_EQ(LitPixels(), 0);
}

TEST(RenderDraw, TextPlacesGlyphsInTheCurrentColour)
{
    ASSERT_NE(TestFont(), nullptr);
    TSprite* previous = font;
    font = FindSprite("spr_font");
    gltest::ClearOverlay();
    SetBlendMode(3);
    SetColor(0.0f, 1.0f, 0.0f, 1.0f);
    // Glyph i of a line centred at (x + 2 + 4i, y + 3): pixels x + 4i .. x + 4i + 2 for a
    // glyph 3 wide, leaving a gap column between glyphs.
    DrawTextBlock("Hi\nH x", 100.0f, 100.0f);
    EXPECT_PIXEL(100, 103, 0, 255, 0);
    EXPECT_PIXEL(102, 103, 0, 255, 0);
    EXPECT_PIXEL(103, 103, 0, 0, 0);
    EXPECT_PIXEL(104, 103, 0, 255, 0);
    EXPECT_PIXEL(106, 103, 0, 255, 0);
    EXPECT_PIXEL(99, 103, 0, 0, 0);
    EXPECT_PIXEL(102, 110, 0, 255, 0);
    // ' ' and 'x' have empty frames.
    EXPECT_PIXEL(110, 110, 0, 0, 0);
    EXPECT_PIXEL(114, 110, 0, 0, 0);
    EXPECT_PIXEL(102, 98, 0, 0, 0);

    SetColor(1.0f, 0.0f, 0.0f, 1.0f);
    DrawTextF(200.0f, 50.0f, "%c%c", 'H', 'i');
    EXPECT_PIXEL(206, 53, 255, 0, 0);
    ASSERT_TRUE(gltest::Lua("SetColor(0, 0, 1, 1) DrawText(300, 50, 'iH')"));
    EXPECT_PIXEL(302, 53, 0, 0, 255);
    EXPECT_PIXEL(306, 53, 0, 0, 255);
    gltest::SaveScreenshot("text");
    font = previous;
}

TEST(RenderShapes, RectanglesCirclesPointsAndLines)
{
    gltest::ClearOverlay();
    SetBlendMode(3);
    QuarterSprite();
    BindTexture(QuarterSprite()->texture->id);  // shapes must unbind it themselves
    DrawRect(10.0f, 10.0f, 50.0f, 30.0f, true, 0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_PIXEL(30, 20, 0, 0, 255);
    EXPECT_PIXEL(55, 20, 0, 0, 0);
    EXPECT_EQ(CurrentBoundTexture(), 0u);

    DrawRect(100.5f, 100.5f, 140.5f, 120.5f, false, 1.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_PIXEL(120, 110, 0, 0, 0);  // outline only
    EXPECT_PIXEL(120, 100, 255, 255, 0);

    DrawFilledCircle(200.0f, 200.0f, 20.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_PIXEL(200, 200, 0, 255, 255);
    EXPECT_PIXEL(215, 200, 0, 255, 255);
    EXPECT_PIXEL(216, 216, 0, 0, 0);  // outside the circle, inside its square

    DrawCircle(300.0f, 200.0f, 20.0f, 1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_PIXEL(300, 200, 0, 0, 0);
    DrawDashedCircle(400.0f, 200.0f, 20.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_PIXEL(400, 200, 0, 0, 0);

    DrawPoint(500.5f, 50.5f, 5.0f, 1.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_PIXEL(500, 50, 255, 0, 255);
    EXPECT_PIXEL(502, 52, 255, 0, 255);

    // Width 8 gives a band 4 pixels high about the line.
    DrawThickLine(200.0f, 300.0f, 300.0f, 300.0f, 1.0f, 1.0f, 1.0f, 1.0f, 8.0f);
    EXPECT_PIXEL(250, 299, 255, 255, 255);
    EXPECT_PIXEL(250, 300, 255, 255, 255);
    EXPECT_PIXEL(250, 303, 0, 0, 0);
    EXPECT_PIXEL(250, 296, 0, 0, 0);
    gltest::SaveScreenshot("shapes");

    gltest::ClearOverlay();
    DrawThickLine(100.0f, 100.0f, 100.0f, 100.0f, 1.0f, 1.0f, 1.0f, 1.0f, 50.0f);
    EXPECT_EQ(LitPixels(), 0);
}

TEST(RenderBlend, ModesCombineWithThePictureDifferently)
{
    struct Case {
        int mode;
        float alpha;
        int r, g;  // expected red and green over a (128, 128, 128) background
    } cases[] = {
        {0, 1.0f, 64, 0},     // multiply: dst * src
        {1, 1.0f, 255, 128},  // additive: dst + src * a
        {2, 0.5f, 128, 64},   // transparency: mix half and half
        {3, 0.2f, 128, 0},    // opaque: alpha ignored
        {4, 0.6f, 128, 0},    // cut-out, above the threshold
        {4, 0.4f, 128, 128},  // cut-out, below: nothing drawn
        {5, 1.0f, 128, 0},    // doubling multiply: 2 * dst * src
    };
    for (const Case& c : cases) {
        gltest::ClearOverlay();
        SetBlendMode(3);
        DrawRect(0, 0, 64, 64, true, 128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1.0f);
        SetBlendMode(c.mode);
        EXPECT_EQ(CurrentBlendMode(), c.mode);
        DrawRect(0, 0, 64, 64, true, 128 / 255.0f, 0.0f, 0.0f, c.alpha);
        Rgba p = Pixel(32, 32);
        EXPECT_NEAR(p.r, c.r, 3) << "mode " << c.mode << " alpha " << c.alpha;
        EXPECT_NEAR(p.g, c.g, 3) << "mode " << c.mode << " alpha " << c.alpha;
    }
    // Modes that do not exist change nothing.
    SetBlendMode(2);
    SetBlendMode(6);
    SetBlendMode(-1);
    EXPECT_EQ(CurrentBlendMode(), 2);
    GLboolean blend = GL_FALSE;
    glGetBooleanv(GL_BLEND, &blend);
    EXPECT_EQ(blend, GL_TRUE);
}

TEST(RenderGLState, RepeatedStatesCostNoGLCalls)
{
    SetColor(0.25f, 0.5f, 0.75f, 1.0f);
    uint32_t changes = GLStateChangeCount();
    SetColor(0.25f, 0.5f, 0.75f, 1.0f);
    EXPECT_EQ(GLStateChangeCount(), changes);
    float current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_FLOAT_EQ(current[1], 0.5f);
    SetColor(0.25f, 0.5f, 0.75f, 0.5f);
    EXPECT_EQ(GLStateChangeCount(), changes + 1);

    SetBlendMode(1);
    changes = GLStateChangeCount();
    SetBlendMode(1);
    BindTexture(CurrentBoundTexture());
    EXPECT_EQ(GLStateChangeCount(), changes);

    TSprite* s = QuarterSprite();
    BindTexture(s->texture->id);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(uint32_t(bound), s->texture->id);
    ASSERT_TRUE(gltest::Lua("SetTexture()"));
    EXPECT_EQ(CurrentBoundTexture(), 0u);
    ASSERT_TRUE(gltest::Lua("SetTexture('quarters')"));
    EXPECT_EQ(CurrentBoundTexture(), s->texture->id);
    ASSERT_TRUE(gltest::Lua("SetTexture('nosuchtexture')"));
    EXPECT_EQ(CurrentBoundTexture(), 0u);

    // After a reset the next SetColor goes through even with the same values.
    ResetGLStateCache();
    float cached[4];
    CurrentColor(cached);
    EXPECT_EQ(cached[0], -1.0f);
    EXPECT_EQ(CurrentBlendMode(), 4);
    changes = GLStateChangeCount();
    SetColor(0.25f, 0.5f, 0.75f, 0.5f);
    EXPECT_EQ(GLStateChangeCount(), changes + 1);
    // Leave OpenGL as the reset caches believe it is.
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
}

TEST(RenderGLState, CheckGLErrorReportsOnce)
{
    glEnable(0xFFFF);  // not a capability: GL_INVALID_ENUM
    testing::internal::CaptureStderr();
    CheckGLError();
    CheckGLError();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("GL:", 0), 0u) << err;
    EXPECT_EQ(err.find("GL:", 1), std::string::npos) << err;
}
