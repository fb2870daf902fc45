// Text layout and measuring without a window.
#include "render/Text.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Glyph {
    float x, y;
    int frame;
};

std::vector<Glyph> Layout(const char* text, float x, float y)
{
    std::vector<Glyph> glyphs;
    ForEachGlyph(text, x, y, [&](float gx, float gy, int frame) { glyphs.push_back({gx, gy, frame}); });
    return glyphs;
}

void ExpectGlyph(const Glyph& g, float x, float y, int frame)
{
    EXPECT_FLOAT_EQ(g.x, x);
    EXPECT_FLOAT_EQ(g.y, y);
    EXPECT_EQ(g.frame, frame);
}

}  // namespace

TEST(RenderTextLayout, GlyphsAdvanceFourPixelsAndLinesSeven)
{
    auto g = Layout("ab\ncd", 10.0f, 20.0f);
    ASSERT_EQ(g.size(), 4u);
    ExpectGlyph(g[0], 12.0f, 23.0f, 'a');
    ExpectGlyph(g[1], 16.0f, 23.0f, 'b');
    ExpectGlyph(g[2], 12.0f, 30.0f, 'c');
    ExpectGlyph(g[3], 16.0f, 30.0f, 'd');
}

TEST(RenderTextLayout, BreakThatOpensALineIsAGlyph)
{
    // At the very start.
    auto g = Layout("\nx", 0.0f, 0.0f);
    ASSERT_EQ(g.size(), 2u);
    ExpectGlyph(g[0], 2.0f, 3.0f, '\n');
    ExpectGlyph(g[1], 6.0f, 3.0f, 'x');

    // After another break: the second one opens the next line and is drawn there.
    g = Layout("a\n\nb", 0.0f, 0.0f);
    ASSERT_EQ(g.size(), 3u);
    ExpectGlyph(g[0], 2.0f, 3.0f, 'a');
    ExpectGlyph(g[1], 2.0f, 10.0f, '\n');
    ExpectGlyph(g[2], 6.0f, 10.0f, 'b');
}

TEST(RenderTextLayout, HighCharactersAreNegativeFramesAndEmptyTextDrawsNothing)
{
    auto g = Layout("\xE9", 0.0f, 0.0f);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].frame, -23);
    EXPECT_TRUE(Layout("", 5.0f, 5.0f).empty());
    EXPECT_TRUE(Layout(nullptr, 5.0f, 5.0f).empty());
    // A trailing break starts an empty last line.
    g = Layout("ab\n", 0.0f, 0.0f);
    EXPECT_EQ(g.size(), 2u);
}

TEST(RenderTextMeasure, WidthOfFirstLineAndSevenPixelsALine)
{
    struct Case {
        const char* text;
        int width, height;
    } cases[] = {
        {"ab\ncd", 8, 14},
        {"abc", 12, 7},
        {"\nab", 12, 7},      // the leading break is a glyph of the first line
        {"a\n\nb", 4, 14},    // the second break is a glyph of the second line
        {"ab\n", 8, 14},
        {"x\nlonger line\ny", 4, 21},
        {"", 0, 7},
    };
    for (const Case& c : cases) {
        int w = -1, h = -1;
        MeasureText(c.text, &w, &h);
        EXPECT_EQ(w, c.width) << '"' << c.text << '"';
        EXPECT_EQ(h, c.height) << '"' << c.text << '"';
    }
}

TEST(RenderTextMeasure, AgreesWithLayoutAndAcceptsNulls)
{
    const char* text = "one\ntwo\nthree";
    auto g = Layout(text, 0.0f, 0.0f);
    int w = 0, h = 0;
    MeasureText(text, &w, &h);
    EXPECT_EQ(h, int(g.back().y - 3.0f) + 7);

    MeasureText(nullptr, &w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    MeasureText("abc", nullptr, nullptr);  // nowhere to write: nothing happens
}
