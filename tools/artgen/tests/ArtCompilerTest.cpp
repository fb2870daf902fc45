#include "ArtCompiler.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace artgen;

namespace {

ArtResult compile(const std::string& text)
{
    return ArtCompiler{}.compile(text, "test.art");
}

std::string allErrors(const ArtResult& r)
{
    std::string s;
    for (const auto& d : r.errors)
        s += d.text() + "\n";
    return s;
}

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kHalfGreen{0, 255, 0, 128};

} // namespace

TEST(ArtCompiler, FramesBlockPutsEachCellInItsGridSlot)
{
    auto r = compile("image 6 4\n"
                     "grid 3 2\n"
                     "colour R ff0000\n"
                     "colour g 00ff0080   # half-transparent\n"
                     "frames 0 3\n"
                     "  R.g  gg\n"
                     "  .R.  R\n"
                     "end\n");
    ASSERT_TRUE(r.ok()) << allErrors(r);
    ASSERT_EQ(r.image.width(), 6);
    ASSERT_EQ(r.image.height(), 4);
    EXPECT_EQ(r.cellWidth, 3);
    EXPECT_EQ(r.cellHeight, 2);

    // frame 0 at (0,0)
    EXPECT_EQ(r.image.at(0, 0), kRed);
    EXPECT_EQ(r.image.at(1, 0), kTransparent);
    EXPECT_EQ(r.image.at(2, 0), kHalfGreen);
    EXPECT_EQ(r.image.at(1, 1), kRed);
    // frame 3 = column 1, row 1 -> (3,2); short rows leave the rest untouched
    EXPECT_EQ(r.image.at(3, 2), kHalfGreen);
    EXPECT_EQ(r.image.at(4, 2), kHalfGreen);
    EXPECT_EQ(r.image.at(5, 2), kTransparent);
    EXPECT_EQ(r.image.at(3, 3), kRed);
    // frames 1 and 2 were never drawn
    for (int y = 0; y < 2; ++y)
        for (int x = 3; x < 6; ++x)
            EXPECT_EQ(r.image.at(x, y), kTransparent);
}

TEST(ArtCompiler, CharacterSelectorsAndQuotesPickFrameByCode)
{
    // 16 columns of 1x1 cells: 'A' (65) lands at (1, 4).
    auto r = compile("image 16 8\ngrid 1 1\ncolour X ffffff\nframes 'A' ''' 32\n X X X\nend\n");
    ASSERT_TRUE(r.ok()) << allErrors(r);
    EXPECT_EQ(r.image.at(1, 4), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(r.image.at(39 % 16, 39 / 16), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(r.image.at(0, 2), (Rgba{255, 255, 255, 255}));
}

TEST(ArtCompiler, ScaledBlockDrawsBigPixelsAndSpacesLeaveWhatIsThere)
{
    auto r = compile("image 6 4\n"
                     "colour R ff0000\n"
                     "colour B 0000ff\n"
                     "fill 0 0 6 4 B\n"
                     "block 0 0 2\n"
                     "R R\n"
                     " .\n"
                     "end\n");
    ASSERT_TRUE(r.ok()) << allErrors(r);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(r.image.at(x, y), kRed);
            EXPECT_EQ(r.image.at(x + 2, y), (Rgba{0, 0, 255, 255})) << "space must not overwrite";
            EXPECT_EQ(r.image.at(x + 4, y), kRed);
            EXPECT_EQ(r.image.at(x + 2, y + 2), kTransparent) << "'.' clears";
            EXPECT_EQ(r.image.at(x, y + 2), (Rgba{0, 0, 255, 255}));
        }
    }
}

struct BrokenCase {
    const char* source;
    int line;
    const char* message;
};

TEST(ArtCompiler, ReportsEachProblemWithFileAndLine)
{
    const BrokenCase cases[] = {
        {"image 4 4\nbogus 1 2\n", 2, "unknown directive 'bogus'"},
        {"image 4 4\ncolour X fff\n", 2, "rrggbb"},
        {"image 4 4\ncolour . ffffff\n", 2, "cannot use '.'"},
        {"image 4 4\ngrid 2 2\nframes 0\nXY\nend\n", 4, "palette has no colour 'X'"},
        {"image 4 4\ngrid 2 2\ncolour X ffffff\nframes 0\nXXX\nend\n", 5, "wider than the cell"},
        {"image 4 4\ngrid 2 2\ncolour X ffffff\nframes 0\nX\nX\nX\nend\n", 7, "more rows than the cell height"},
        {"image 4 4\ngrid 2 2\nframes 4\nend\n", 3, "outside the 2x2 grid"},
        {"image 4 4\ngrid 2 2\ncolour X ffffff\nframes 0 1\nX\nend\n", 5, "row has 1 cells, the block has 2"},
        {"image 4 4\nframes 0\n", 2, "needs a 'grid'"},
        {"fill 0 0 1 1 .\nimage 4 4\n", 1, "before the 'image' line"},
        {"image 4 4\nfill 0 0 one 1 .\n", 2, "expected a whole number, got 'one'"},
        {"image 4 4\nfill 0 0 1 .\n", 2, "takes 5 values, got 4"},
        {"image 4 4\ncolour X ffffff\nblock 2 0\nXXX\nend\n", 4, "outside the image"},
        {"image 4 4\nend\n", 2, "'end' without an open block"},
        {"image 0 4\n", 1, "image size"},
        {"image 4 4\nimage 4 4\n", 2, "given twice"},
        {"image 4 4\ncolour X ffffff\noutline 0 0 4 4 X round\n", 3, "expected 'diagonal'"},
        {"image 4 4\nradial 2 2 r .\n", 2, "expected a number"},
        {"image 4 4\ngrid 2 2\nframes 0\n..\n", 5, "line 3 has no 'end'"},
        {"grid 2 2\n", 1, "before the 'image' line"},
    };
    for (const auto& c : cases) {
        auto r = compile(c.source);
        ASSERT_FALSE(r.errors.empty()) << c.source;
        const Diagnostic& d = r.errors.front();
        EXPECT_EQ(d.file, "test.art") << c.source;
        EXPECT_EQ(d.line, c.line) << c.source << allErrors(r);
        EXPECT_NE(d.text().find(c.message), std::string::npos) << c.source << " gave: " << d.text();
        EXPECT_EQ(d.text().rfind("test.art:" + std::to_string(c.line) + ": ", 0), 0u);
    }
}

TEST(ArtCompiler, KeepsDrawingAfterAnErrorAndReportsEveryOne)
{
    auto r = compile("image 2 1\n"
                     "colour R ff0000\n"
                     "wobble\n"
                     "fill 0 0 1 1 Q\n"
                     "fill 1 0 1 1 R\n");
    ASSERT_EQ(r.errors.size(), 2u) << allErrors(r);
    EXPECT_EQ(r.errors[0].line, 3);
    EXPECT_EQ(r.errors[1].line, 4);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.image.at(1, 0), kRed);
}

TEST(ArtCompiler, RowsOfABrokenBlockAreNotReadAsDirectives)
{
    // "fill" here is a pixel row of an unusable block, not a command.
    auto r = compile("image 4 4\ngrid 2 2\nframes 9\nfill\nend\n");
    ASSERT_EQ(r.errors.size(), 2u) << allErrors(r);
    EXPECT_EQ(r.errors[0].line, 3);
    EXPECT_EQ(r.errors[1].line, 4); // the row is wider than a cell
}

TEST(ArtCompiler, SurvivesGarbage)
{
    const std::string words[] = {"image", "grid", "frames", "block", "end", "fill", "radial", "outline",
                                 "shadow", "colour", "X", "-5", "99999", "3", "'a'", ".", "ffffff", "\t", "#",
                                 "recolour", "vgrad", "0", "1", "2", "XX.X", "\x01\xff", "1e9", "-2147483648"};
    std::mt19937 rng(1234);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        int lines = static_cast<int>(rng() % 12);
        for (int l = 0; l < lines; ++l) {
            int count = static_cast<int>(rng() % 8);
            for (int w = 0; w < count; ++w)
                text += words[rng() % std::size(words)] + " ";
            text += "\n";
        }
        auto r = compile(text);
        EXPECT_TRUE(r.ok() || !r.errors.empty());
        for (const auto& d : r.errors)
            EXPECT_GE(d.line, 1);
    }
}
