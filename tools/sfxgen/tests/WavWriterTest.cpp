#include "WavWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace sfxgen;

namespace {

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::string tag(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

} // namespace

TEST(WavWriter, HeaderDescribesMono16BitPcm)
{
    std::vector<float> samples(1234, 0.25f);
    auto b = encodeWav(samples, 22050);
    ASSERT_EQ(b.size(), 44u + 2 * 1234);
    EXPECT_EQ(tag(b, 0), "RIFF");
    EXPECT_EQ(u32(b, 4), b.size() - 8);
    EXPECT_EQ(tag(b, 8), "WAVE");
    EXPECT_EQ(tag(b, 12), "fmt ");
    EXPECT_EQ(u32(b, 16), 16u);
    EXPECT_EQ(u16(b, 20), 1);     // PCM
    EXPECT_EQ(u16(b, 22), 1);     // mono
    EXPECT_EQ(u32(b, 24), 22050u);
    EXPECT_EQ(u32(b, 28), 44100u);
    EXPECT_EQ(u16(b, 32), 2);
    EXPECT_EQ(u16(b, 34), 16);
    EXPECT_EQ(tag(b, 36), "data");
    EXPECT_EQ(u32(b, 40), 2u * 1234);
    // little-endian samples: 0.25 * 32767 = 8192 (rounded) = 0x2000
    EXPECT_EQ(b[44], 0x00);
    EXPECT_EQ(b[45], 0x20);
}

TEST(WavWriter, ClipsInsteadOfWrappingAround)
{
    EXPECT_EQ(toPcm16(0.0f), 0);
    EXPECT_EQ(toPcm16(1.0f), 32767);
    EXPECT_EQ(toPcm16(-1.0f), -32767);
    EXPECT_EQ(toPcm16(1.5f), 32767);
    EXPECT_EQ(toPcm16(-40.0f), -32767);
    EXPECT_EQ(toPcm16(std::nanf("")), 0);
    EXPECT_EQ(toPcm16(INFINITY), 32767);
    EXPECT_EQ(toPcm16(-0.5f), -16384);

    auto b = encodeWav({3.0f, -3.0f}, 22050);
    EXPECT_EQ(static_cast<std::int16_t>(u16(b, 44)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(u16(b, 46)), -32767);
}

TEST(WavWriter, WritesTheEncodedBytesOrReportsWhyNot)
{
    const std::string path = (std::filesystem::temp_directory_path() / "korvanmire_tools_test.wav").string();
    std::vector<float> samples = {0.1f, -0.2f, 0.3f};
    std::string error;
    ASSERT_TRUE(writeWav(path, samples, 22050, error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, encodeWav(samples, 22050));
    std::remove(path.c_str());

    EXPECT_FALSE(writeWav("/nonexistent-dir/x.wav", samples, 22050, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}
