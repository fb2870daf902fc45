#include "PngFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace artgen;

namespace {

std::string tempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("korvanmire_tools_" + name)).string();
}

} // namespace

TEST(PngFile, RoundTripKeepsEveryChannelAndIsEightBitRgba)
{
    Image img(3, 2);
    img.set(0, 0, Rgba{1, 2, 3, 4});
    img.set(2, 0, Rgba{255, 255, 255, 255});
    img.set(1, 1, Rgba{200, 10, 0, 128});
    const std::string path = tempPath("roundtrip.png");
    std::string error;
    ASSERT_TRUE(writePng(path, img, error)) << error;

    // IHDR: width/height at 16..23, bit depth at 24, colour type at 25 (6 = RGBA)
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes[19], 3);
    EXPECT_EQ(bytes[23], 2);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 6);

    Image back;
    ASSERT_TRUE(readPng(path, back, error)) << error;
    ASSERT_EQ(back.width(), 3);
    ASSERT_EQ(back.height(), 2);
    EXPECT_EQ(back.pixels(), img.pixels());
    std::remove(path.c_str());
}

TEST(PngFile, FailuresAreReportedNotFatal)
{
    std::string error;
    Image img(1, 1);
    EXPECT_FALSE(writePng("/nonexistent-dir/x.png", img, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);

    EXPECT_FALSE(writePng(tempPath("empty.png"), Image{}, error));

    const std::string junk = tempPath("junk.png");
    std::ofstream(junk) << "this is not a png";
    Image out;
    error.clear();
    EXPECT_FALSE(readPng(junk, out, error));
    EXPECT_FALSE(error.empty());
    std::remove(junk.c_str());
}
