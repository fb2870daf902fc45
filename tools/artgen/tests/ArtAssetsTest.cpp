// Checks on the game's own art files: they must build cleanly and have the
// shapes the engine expects.
#include "ArtCompiler.h"
#include "TextRenderer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace artgen;

namespace {

const std::filesystem::path kArtDir = std::filesystem::path(KORVANMIRE_ROOT) / "assets" / "art";

ArtResult compileAsset(const std::string& stem)
{
    std::ifstream in(kArtDir / (stem + ".art"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return ArtCompiler{}.compile(text.str(), stem + ".art");
}

// The glyph of character `code` as 6 strings of 4 characters ('X' or '.').
std::vector<std::string> glyph(const Image& font, int code)
{
    std::vector<std::string> rows;
    int gx = (code % 16) * 4, gy = (code / 16) * 6;
    for (int y = 0; y < 6; ++y) {
        std::string row;
        for (int x = 0; x < 4; ++x)
            row += font.at(gx + x, gy + y).a ? 'X' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(ArtAssets, EveryArtFileBuildsWithoutErrors)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kArtDir)) {
        if (entry.path().extension() != ".art")
            continue;
        ++count;
        auto r = compileAsset(entry.path().stem().string());
        EXPECT_TRUE(r.ok()) << entry.path() << (r.errors.empty() ? "" : ": " + r.errors.front().text());
    }
    EXPECT_GT(count, 0);
}

TEST(ArtAssets, ImagesHaveTheSizesTheSpritesUse)
{
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"font", {64, 48}},          {"crosshair", {11, 11}},    {"distort_blob", {64, 64}},
        {"distort_streak", {32, 32}}, {"keyselect_bg", {200, 150}}, {"keyselect", {90, 14}},
        {"title", {160, 32}},
    };
    for (const auto& [stem, size] : sizes) {
        auto r = compileAsset(stem);
        EXPECT_EQ(r.image.width(), size.first) << stem;
        EXPECT_EQ(r.image.height(), size.second) << stem;
    }
}

TEST(ArtAssets, FontHasALegibleGlyphForEveryPrintableCharacter)
{
    auto r = compileAsset("font");
    ASSERT_TRUE(r.ok());
    const Image& font = r.image;
    const std::string descenders = "gjpqy_";

    std::map<std::vector<std::string>, char> seen;
    for (int code = 0; code < 128; ++code) {
        auto rows = glyph(font, code);
        bool blank = true;
        for (const auto& row : rows)
            blank = blank && row == "....";
        if (code <= 32 || code == 127) {
            EXPECT_TRUE(blank) << "character " << code << " should be blank";
            continue;
        }
        const char c = static_cast<char>(code);
        EXPECT_FALSE(blank) << "no glyph for '" << c << "'";
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(rows[y][3], '.') << "'" << c << "' touches the letter gap";
        if (descenders.find(c) == std::string::npos) {
            EXPECT_EQ(rows[5], "....") << "'" << c << "' drops below the baseline";
        }
        auto [it, inserted] = seen.emplace(rows, c);
        EXPECT_TRUE(inserted) << "'" << c << "' looks exactly like '" << it->second << "'";
    }

    // Solid white or fully clear, nothing in between: the game tints it.
    for (const Rgba& p : font.pixels())
        EXPECT_TRUE(p == kTransparent || p == (Rgba{255, 255, 255, 255}));
}

TEST(ArtAssets, TextRendersWithTheGamesAdvance)
{
    auto r = compileAsset("font");
    ASSERT_TRUE(r.ok());
    const Rgba ink{255, 0, 0, 255}, paper{0, 0, 0, 255};
    Image text = renderText(r.image, FontLayout{}, "IT\nL", ink, paper);
    EXPECT_EQ(text.width(), 2 * 4 + 2);
    EXPECT_EQ(text.height(), 2 * 7 + 2);
    // 'I' has a full top bar from x=1, 'T' the same bar 4 pixels on
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(text.at(1 + x, 1), ink);
        EXPECT_EQ(text.at(5 + x, 1), ink);
    }
    EXPECT_EQ(text.at(4, 1), paper);
    // 'L' on the next line, 7 pixels down: stem at x=1, foot on its 5th row
    EXPECT_EQ(text.at(1, 8), ink);
    EXPECT_EQ(text.at(3, 12), ink);
    EXPECT_EQ(text.at(3, 8), paper);
}

TEST(ArtAssets, DistortionBlobsAreWhiteWithSoftAlpha)
{
    for (const char* stem : {"distort_blob", "distort_streak"}) {
        auto r = compileAsset(stem);
        ASSERT_TRUE(r.ok());
        const Image& img = r.image;
        int c = img.width() / 2;
        EXPECT_EQ(img.at(c, c).a, 255) << stem;
        EXPECT_EQ(img.at(0, 0).a, 0) << stem;
        EXPECT_EQ(img.at(0, c).a, 0) << stem;
        EXPECT_EQ(img.at(img.width() - 1, c).a, 0) << stem;
        for (const Rgba& p : img.pixels())
            if (p.a) {
                EXPECT_TRUE(p.r == 255 && p.g == 255 && p.b == 255) << stem;
            }
        // no hard step anywhere along the middle row
        for (int x = 1; x < img.width(); ++x)
            EXPECT_LE(std::abs(img.at(x, c).a - img.at(x - 1, c).a), 40) << stem << " x=" << x;
    }
}

TEST(ArtAssets, CrosshairIsLightInsideADarkOutline)
{
    auto r = compileAsset("crosshair");
    ASSERT_TRUE(r.ok());
    const Image& img = r.image;
    auto bright = [](Rgba p) { return p.a && p.r + p.g + p.b > 600; };
    auto dark = [](Rgba p) { return p.a && p.r + p.g + p.b < 100; };
    EXPECT_TRUE(bright(img.at(5, 5)));
    // every light pixel is surrounded by light or dark, never by a hole
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!bright(img.at(x, y)))
                continue;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                EXPECT_TRUE(bright(img.at(x + dx, y + dy)) || dark(img.at(x + dx, y + dy))) << x << "," << y;
        }
}

TEST(ArtAssets, FloorTexturesAreOpaquePowerOfTwoSquares)
{
    // Floor bitmaps repeat their texture; a hole would show the clear colour.
    for (const char* stem : {"tex_floor_concrete", "tex_floor_metal", "tex_floor_grate", "tex_floor_tiles"}) {
        auto r = compileAsset(stem);
        ASSERT_TRUE(r.ok()) << stem;
        const Image& img = r.image;
        EXPECT_EQ(img.width(), img.height()) << stem;
        EXPECT_EQ(img.width() & (img.width() - 1), 0) << stem;
        for (const Rgba& p : img.pixels())
            ASSERT_EQ(p.a, 255) << stem;
    }
}

TEST(ArtAssets, TintedEffectSpritesAreWhiteWithAClearRim)
{
    // The game colours these itself, so they must be pure white.
    for (const char* stem : {"suits", "omnismooth", "dot"}) {
        auto r = compileAsset(stem);
        ASSERT_TRUE(r.ok()) << stem;
        const Image& img = r.image;
        EXPECT_GT(img.at(img.width() / 2, img.height() / 2).a, 128) << stem;
        for (const Rgba& p : img.pixels())
            if (p.a) {
                EXPECT_TRUE(p.r == 255 && p.g == 255 && p.b == 255) << stem;
            }
    }
    for (const char* stem : {"suits", "omnismooth"}) {
        auto r = compileAsset(stem);
        const Image& img = r.image;
        EXPECT_EQ(img.at(0, 0).a, 0) << stem;
        EXPECT_EQ(img.at(0, img.height() / 2).a, 0) << stem;
    }
}

TEST(ArtAssets, ContainerLidsOpenFrameByFrame)
{
    // Frames 0..5 swing the lid open: each frame looks more like the fully
    // open one than the frame before it, and open differs plainly from shut.
    for (const char* stem : {"metallkast", "hiteckast", "puitkast"}) {
        auto r = compileAsset(stem);
        ASSERT_TRUE(r.ok()) << stem;
        const Image& img = r.image;
        ASSERT_EQ(img.width(), 6 * 18) << stem;
        ASSERT_EQ(img.height(), 8) << stem;
        auto sameAsOpen = [&](int f) {
            int same = 0;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 18; ++x)
                    same += img.at(f * 18 + x, y) == img.at(5 * 18 + x, y);
            return same;
        };
        EXPECT_LT(sameAsOpen(0), 18 * 8 * 2 / 3) << stem;
        for (int f = 1; f < 6; ++f)
            EXPECT_GT(sameAsOpen(f), sameAsOpen(f - 1)) << stem << " frame " << f;
    }
}
