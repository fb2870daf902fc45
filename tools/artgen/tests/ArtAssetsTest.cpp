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
        {"distort_streak", {32, 32}}, {"keyselect_bg", {304, 196}}, {"keyselect", {238, 14}},
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

// --- player sheet, item icons and weapon effects ---------------------------

namespace {

struct Cell {
    const Image& img;
    int x0, y0, w, h;
    Rgba at(int x, int y) const { return img.at(x0 + x, y0 + y); }
    int opaque() const
    {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                n += at(x, y).a != 0;
        return n;
    }
    bool operator==(const Cell& o) const
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!(at(x, y) == o.at(x, y)))
                    return false;
        return true;
    }
};

Cell cellOf(const Image& img, int frame, int w, int h)
{
    int cols = img.width() / w;
    return Cell{img, (frame % cols) * w, (frame / cols) * h, w, h};
}

// The outline colour and near-black shading do not count as "colour".
bool dark(Rgba p) { return p.r + p.g + p.b < 90; }
bool flashy(Rgba p) { return p.a && p.r > 220 && p.g > 170 && p.b < 210; }

struct Box {
    int x0 = 99, y0 = 99, x1 = -1, y1 = -1;
};

Box opaqueBox(const Cell& c)
{
    Box b;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if (c.at(x, y).a) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

} // namespace

TEST(ArtAssets, PlayerSheetHasThirtyTwoPosesTurningAboutTheirCentre)
{
    auto r = compileAsset("mees");
    ASSERT_TRUE(r.ok());
    const Image& img = r.image;
    ASSERT_EQ(img.width(), 8 * 24);
    ASSERT_EQ(img.height(), 4 * 24);
    for (int f = 0; f < 32; ++f) {
        Cell c = cellOf(img, f, 24, 24);
        EXPECT_GT(c.opaque(), 60) << "frame " << f;
        if (f >= 19 && f <= 23)
            continue; // lying frames stretch out along the body
        // the game turns the sprite about the frame centre: the body must sit
        // on it, or the soldier would wobble round when turning
        EXPECT_TRUE(c.at(12, 12).a && !dark(c.at(12, 12))) << "frame " << f;
        int sx = 0, sy = 0, n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                if (c.at(x, y).a && !dark(c.at(x, y)) && !flashy(c.at(x, y)) && x < 17) {
                    sx += x;
                    sy += y;
                    ++n;
                }
        ASSERT_GT(n, 0);
        EXPECT_NEAR(double(sx) / n + 0.5, 12.0, 1.6) << "frame " << f;
        EXPECT_NEAR(double(sy) / n + 0.5, 12.0, 1.6) << "frame " << f;
    }
}

TEST(ArtAssets, PlayerWalkCycleMovesTheFeet)
{
    auto r = compileAsset("mees");
    ASSERT_TRUE(r.ok());
    Cell f0 = cellOf(r.image, 0, 24, 24), f1 = cellOf(r.image, 1, 24, 24), f3 = cellOf(r.image, 3, 24, 24);
    EXPECT_FALSE(f0 == f1);
    EXPECT_FALSE(f0 == f3);
    EXPECT_FALSE(f1 == f3);
    // in the stride frames a foot reaches clearly further forward and back
    EXPECT_GT(opaqueBox(f1).x1, opaqueBox(f0).x1);
    EXPECT_LT(opaqueBox(f1).x0, opaqueBox(f0).x0);
    EXPECT_GT(opaqueBox(f3).x1, opaqueBox(f0).x1);
}

TEST(ArtAssets, PlayerShootFramesFlashAheadOfTheGunAndHoldFramesDoNot)
{
    auto r = compileAsset("mees");
    ASSERT_TRUE(r.ok());
    const std::pair<int, int> holdShoot[] = {{5, 6}, {8, 9}, {11, 12}, {14, 15}, {17, 18}};
    auto flashAhead = [&](int frame) {
        Cell c = cellOf(r.image, frame, 24, 24);
        int n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 17; x < 24; ++x)
                n += flashy(c.at(x, y));
        return n;
    };
    for (auto [hold, shoot] : holdShoot) {
        EXPECT_EQ(flashAhead(hold), 0) << "hold frame " << hold;
        EXPECT_GE(flashAhead(shoot), 2) << "shoot frame " << shoot;
    }
    // reload frames differ from the hold pose of the same gun
    for (auto [hold, reload] : {std::pair{5, 7}, {8, 10}, {11, 13}, {14, 16}})
        EXPECT_FALSE(cellOf(r.image, hold, 24, 24) == cellOf(r.image, reload, 24, 24)) << reload;
}

TEST(ArtAssets, PlayerFallsOverOneFrameAfterAnother)
{
    // 19 -> 22 the body goes down backwards: the figure lengthens along the
    // facing and the head ends up behind the centre.
    auto r = compileAsset("mees");
    ASSERT_TRUE(r.ok());
    int previous = 0;
    for (int f = 19; f <= 22; ++f) {
        Box b = opaqueBox(cellOf(r.image, f, 24, 24));
        EXPECT_GT(b.x1 - b.x0, previous) << "frame " << f;
        previous = b.x1 - b.x0;
    }
    Box lying = opaqueBox(cellOf(r.image, 22, 24, 24));
    EXPECT_GE(lying.x1 - lying.x0, 16);
    EXPECT_LE(lying.x0, 4);
}

TEST(ArtAssets, ItemIconsAreSixtyFourDistinctPictures)
{
    auto r = compileAsset("asjad");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.image.width(), 8 * 12);
    ASSERT_EQ(r.image.height(), 8 * 12);
    for (int f = 0; f < 64; ++f) {
        Cell c = cellOf(r.image, f, 12, 12);
        EXPECT_GE(c.opaque(), 12) << "frame " << f;
        for (int g = 0; g < f; ++g)
            EXPECT_FALSE(c == cellOf(r.image, g, 12, 12)) << "frames " << g << " and " << f << " look the same";
    }
}

TEST(ArtAssets, ItemIconsFollowTheColourCode)
{
    // brown ammunition, blue medkits, red explosives, green materials
    auto r = compileAsset("asjad");
    ASSERT_TRUE(r.ok());
    auto share = [&](int frame, bool (*test)(Rgba)) {
        Cell c = cellOf(r.image, frame, 12, 12);
        int hit = 0, all = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                Rgba p = c.at(x, y);
                if (!p.a || dark(p))
                    continue;
                ++all;
                hit += test(p);
            }
        return all ? double(hit) / all : 0.0;
    };
    auto brown = [](Rgba p) { return p.r > p.g && p.g > p.b && p.r - p.b > 40; };
    auto blue = [](Rgba p) { return p.b > p.r + 40 && p.b > p.g + 20; };
    auto red = [](Rgba p) { return p.r > p.g + 60 && p.r > p.b + 60; };
    auto green = [](Rgba p) { return p.g > p.r + 30 && p.g > p.b + 30; };
    for (int f = 32; f <= 39; ++f)
        EXPECT_GE(share(f, brown), 0.5) << "ammunition " << f;
    for (int f = 40; f <= 43; ++f)
        EXPECT_GE(share(f, blue), 0.3) << "medkit " << f;
    for (int f = 44; f <= 47; ++f)
        EXPECT_GE(share(f, red), 0.4) << "explosive " << f;
    for (int f : {48, 49, 50, 56, 57, 58, 59, 60, 61, 62, 63})
        EXPECT_GE(share(f, green), 0.3) << "material " << f;
    // weapons are not mistaken for materials or medkits
    for (int f = 0; f <= 31; ++f) {
        EXPECT_LT(share(f, green), 0.3) << "weapon " << f;
        EXPECT_LT(share(f, blue), 0.3) << "weapon " << f;
    }
}

TEST(ArtAssets, BulletAndFlashSpritesHaveOneShapePerType)
{
    struct Sheet {
        const char* stem;
        int frames, w, h;
    };
    for (Sheet s : {Sheet{"kuul", 7, 8, 8}, Sheet{"muzzle", 2, 8, 8}, Sheet{"limbs_mees", 4, 8, 8}}) {
        auto r = compileAsset(s.stem);
        ASSERT_TRUE(r.ok()) << s.stem;
        ASSERT_EQ(r.image.width(), s.frames * s.w) << s.stem;
        ASSERT_EQ(r.image.height(), s.h) << s.stem;
        for (int f = 0; f < s.frames; ++f) {
            Cell c = cellOf(r.image, f, s.w, s.h);
            EXPECT_GT(c.opaque(), 2) << s.stem << " " << f;
            for (int g = 0; g < f; ++g)
                EXPECT_FALSE(c == cellOf(r.image, g, s.w, s.h)) << s.stem << " " << g << "/" << f;
        }
    }
    // bullets and flashes sit on the frame's middle row, where they are aimed
    for (const char* stem : {"kuul", "muzzle"}) {
        auto r = compileAsset(stem);
        for (int f = 0; f < r.image.width() / 8; ++f) {
            Cell c = cellOf(r.image, f, 8, 8);
            bool onMiddle = false;
            for (int x = 0; x < 8; ++x)
                onMiddle = onMiddle || c.at(x, 3).a || c.at(x, 4).a;
            EXPECT_TRUE(onMiddle) << stem << " " << f;
        }
    }
}

// --- enemy sheets ------------------------------------------------------------

namespace enemysheets {

struct Sheet {
    const char* art;
    int w, h, frames; // frame size and the frames the game uses
};

const Sheet kSheets[] = {
    {"zombi1", 24, 24, 37},     {"zombi2", 24, 24, 37},       {"sininezombi", 24, 24, 37},
    {"s6dur", 24, 24, 32},      {"punane_s6dur", 24, 24, 32}, {"hall_s6dur", 24, 24, 32},
    {"szombi", 36, 36, 17},     {"srzombi", 36, 36, 17},      {"mskeleton", 24, 24, 17},
    {"punanerobot", 28, 28, 24}, {"turret", 20, 20, 4},       {"snake_head", 20, 20, 4},
    {"zombitykid1", 8, 8, 4},   {"luukeretykid", 8, 8, 5},    {"turretparts", 8, 8, 3},
};

struct Frame {
    const Image* img;
    int x0, y0, w, h;
    Rgba at(int x, int y) const { return img->at(x0 + x, y0 + y); }
};

Frame frameOf(const Image& img, const Sheet& s, int n)
{
    const int cols = img.width() / s.w;
    return Frame{&img, (n % cols) * s.w, (n / cols) * s.h, s.w, s.h};
}

int drawn(const Frame& f)
{
    int n = 0;
    for (int y = 0; y < f.h; ++y)
        for (int x = 0; x < f.w; ++x)
            n += f.at(x, y).a != 0;
    return n;
}

int differing(const Frame& a, const Frame& b)
{
    int n = 0;
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            n += !(a.at(x, y) == b.at(x, y));
    return n;
}

// Pixels of a muzzle flash's core: hot yellow-white (amber lights and
// off-white bone or visors do not count).
int flashPixels(const Frame& f)
{
    int n = 0;
    for (int y = 0; y < f.h; ++y)
        for (int x = 0; x < f.w; ++x) {
            Rgba p = f.at(x, y);
            n += p.a == 255 && p.r >= 245 && p.g >= 230 && p.b >= 150 && p.b <= 225;
        }
    return n;
}

struct Extent {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    double cx = 0, cy = 0; // centre of the drawn pixels
};

Extent extentOf(const Frame& f)
{
    Extent e;
    int n = 0;
    for (int y = 0; y < f.h; ++y)
        for (int x = 0; x < f.w; ++x)
            if (f.at(x, y).a) {
                e.x0 = std::min(e.x0, x);
                e.y0 = std::min(e.y0, y);
                e.x1 = std::max(e.x1, x);
                e.y1 = std::max(e.y1, y);
                e.cx += x + 0.5;
                e.cy += y + 0.5;
                ++n;
            }
    if (n) {
        e.cx /= n;
        e.cy /= n;
    }
    return e;
}

ArtResult compileSheet(const char* stem)
{
    std::ifstream in(kArtDir / (std::string(stem) + ".art"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return ArtCompiler{}.compile(text.str(), std::string(stem) + ".art");
}

} // namespace enemysheets

TEST(EnemyArt, EveryFrameTheGameUsesIsDrawnAndKeepsClearOfItsNeighbours)
{
    using namespace enemysheets;
    for (const Sheet& s : kSheets) {
        auto r = compileSheet(s.art);
        ASSERT_TRUE(r.ok()) << s.art;
        const Image& img = r.image;
        ASSERT_EQ(img.width() % s.w, 0) << s.art;
        ASSERT_EQ(img.height() % s.h, 0) << s.art;
        ASSERT_GE((img.width() / s.w) * (img.height() / s.h), s.frames) << s.art;
        for (int n = 0; n < s.frames; ++n) {
            Frame f = frameOf(img, s, n);
            EXPECT_GE(drawn(f), std::min(s.w * s.h / 12, 40)) << s.art << " frame " << n << " is (nearly) empty";
            // sprites are rotated and filtered: a pixel on the cell edge would
            // smear into the next frame
            for (int i = 0; i < s.w; ++i) {
                EXPECT_EQ(f.at(i, 0).a, 0) << s.art << " frame " << n;
                EXPECT_EQ(f.at(i, s.h - 1).a, 0) << s.art << " frame " << n;
            }
            for (int i = 0; i < s.h; ++i) {
                EXPECT_EQ(f.at(0, i).a, 0) << s.art << " frame " << n;
                EXPECT_EQ(f.at(s.w - 1, i).a, 0) << s.art << " frame " << n;
            }
        }
    }
}

TEST(EnemyArt, WalkCyclesMoveAndLoopBackSmoothly)
{
    using namespace enemysheets;
    struct Walk {
        const char* art;
        int size, first, last; // the loop runs first..last-1, last shows like first
    };
    const Walk walks[] = {
        {"zombi1", 24, 20, 36}, {"zombi2", 24, 20, 36}, {"sininezombi", 24, 20, 36},
        {"s6dur", 24, 0, 5},    {"szombi", 36, 0, 4},   {"srzombi", 36, 0, 4},
        {"mskeleton", 24, 0, 4}, {"punanerobot", 28, 1, 5},
    };
    for (const Walk& w : walks) {
        auto r = compileSheet(w.art);
        ASSERT_TRUE(r.ok()) << w.art;
        Sheet s{w.art, w.size, w.size, 0};
        for (int n = w.first; n + 1 < w.last; ++n)
            EXPECT_GT(differing(frameOf(r.image, s, n), frameOf(r.image, s, n + 1)), 4)
                << w.art << ": walk frames " << n << " and " << n + 1 << " are the same";
        // the wrap from the last step back to the first is no bigger a jump
        // than an ordinary step
        int step = 0;
        for (int n = w.first; n + 1 < w.last; ++n)
            step = std::max(step, differing(frameOf(r.image, s, n), frameOf(r.image, s, n + 1)));
        EXPECT_LE(differing(frameOf(r.image, s, w.last - 1), frameOf(r.image, s, w.first)), step + step / 4)
            << w.art;
    }
    // the zombie loop steps from 35 to 36 and shows 36 like 20
    auto z = compileSheet("zombi1");
    Sheet s{"zombi1", 24, 24, 0};
    EXPECT_EQ(differing(frameOf(z.image, s, 36), frameOf(z.image, s, 20)), 0);
}

TEST(EnemyArt, StandingFiguresAreCentredForRotation)
{
    using namespace enemysheets;
    // the body's centre of mass sits near the frame centre; weapons and
    // reaching arms push it forward (+x) a little, never backward or sideways
    const std::pair<const char*, int> sheets[] = {{"zombi1", 24}, {"s6dur", 24}, {"szombi", 36},
                                                  {"mskeleton", 24}, {"punanerobot", 28}};
    for (const auto& [art, size] : sheets) {
        auto r = compileSheet(art);
        Sheet s{art, size, size, 0};
        Extent e = extentOf(frameOf(r.image, s, 1));
        EXPECT_NEAR(e.cy, size / 2.0, 2.0) << art;
        EXPECT_GE(e.cx, size / 2.0 - 1.5) << art;
        EXPECT_LE(e.cx, size / 2.0 + 4.0) << art;
    }
}

TEST(EnemyArt, SoldierShootFramesFlashAndHoldFramesDoNot)
{
    using namespace enemysheets;
    // hold / shoot frame pairs shared with the player sheet
    const std::pair<int, int> poses[] = {{5, 6}, {8, 9}, {11, 12}, {14, 15}, {17, 18}};
    for (const char* art : {"s6dur", "punane_s6dur", "hall_s6dur"}) {
        auto r = compileSheet(art);
        Sheet s{art, 24, 24, 0};
        for (auto [hold, shoot] : poses) {
            Frame h = frameOf(r.image, s, hold), f = frameOf(r.image, s, shoot);
            EXPECT_EQ(flashPixels(h), 0) << art << " frame " << hold;
            EXPECT_GT(flashPixels(f), 2) << art << " frame " << shoot;
            // the flash is out in front, where the shot leaves
            EXPECT_GT(extentOf(f).x1, 12 + 8) << art << " frame " << shoot;
        }
        // frame 5 both closes the walk and holds the pistol: same feet as
        // frame 0, so the two differ only in the arms and gun
        EXPECT_LT(differing(frameOf(r.image, s, 0), frameOf(r.image, s, 5)), 60) << art;
    }
    for (const char* art : {"turret", "punanerobot", "srzombi"}) {
        auto r = compileSheet(art);
        int size = std::string(art) == "turret" ? 20 : std::string(art) == "srzombi" ? 36 : 28;
        int idle = std::string(art) == "turret" ? 2 : std::string(art) == "srzombi" ? 9 : 13;
        int shoot = std::string(art) == "turret" ? 3 : std::string(art) == "srzombi" ? 10 : 14;
        Sheet s{art, size, size, 0};
        EXPECT_EQ(flashPixels(frameOf(r.image, s, idle)), 0) << art;
        EXPECT_GT(flashPixels(frameOf(r.image, s, shoot)), 0) << art;
    }
}

TEST(EnemyArt, BigZombieStoneIsASmallCentredRock)
{
    using namespace enemysheets;
    auto r = compileSheet("szombi");
    Sheet s{"szombi", 36, 36, 0};
    Frame f = frameOf(r.image, s, 11);
    Extent e = extentOf(f);
    // drawn up to three times its size while it flies
    EXPECT_LE(e.x1 - e.x0 + 1, 12);
    EXPECT_LE(e.y1 - e.y0 + 1, 12);
    EXPECT_NEAR((e.x0 + e.x1 + 1) / 2.0, 18.0, 1.0);
    EXPECT_NEAR((e.y0 + e.y1 + 1) / 2.0, 18.0, 1.0);
}

TEST(EnemyArt, TurretHeadsPointTheirBarrelsAlongX)
{
    using namespace enemysheets;
    auto r = compileSheet("turret");
    Sheet s{"turret", 20, 20, 0};
    for (int n : {2, 3}) {
        Extent e = extentOf(frameOf(r.image, s, n));
        EXPECT_GE(e.x1 - 10, 7) << "frame " << n;           // long reach forward
        EXPECT_LE(10 - e.x0, 7) << "frame " << n;           // short back
        EXPECT_LE(std::abs(e.y0 + e.y1 + 1 - 20), 2) << "frame " << n; // level
    }
}
