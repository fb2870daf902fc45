#include "Envelope.h"
#include "RecipeParser.h"
#include "Synth.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sfxgen;

namespace {

Recipe recipe(const std::string& text)
{
    auto r = RecipeParser{}.parse(text, "test.sfx");
    EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors.front().text());
    return r.recipe;
}

int zeroCrossings(const std::vector<float>& s, std::size_t from, std::size_t to)
{
    int n = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        if ((s[i - 1] < 0) != (s[i] < 0))
            ++n;
    return n;
}

double rms(const std::vector<float>& s, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(to - from));
}

} // namespace

TEST(Synth, SampleCountFollowsTheLength)
{
    for (double length : {0.001, 0.05, 0.1234, 1.5, 2.0}) {
        Recipe r = recipe("length " + std::to_string(length) + "\nlayer\nend\n");
        auto s = Synth{}.render(r, 0);
        EXPECT_EQ(s.size(), static_cast<std::size_t>(std::lround(length * 22050))) << length;
        EXPECT_EQ(s.size(), Synth::sampleCount(r));
    }
}

TEST(Synth, PitchAndSweepsComeOutAtTheRightFrequency)
{
    auto steady = Synth{}.render(recipe("length 1\nlayer\n wave sine\n freq 1000\nend\n"), 0);
    EXPECT_NEAR(zeroCrossings(steady, 0, steady.size()), 2000, 4);

    // 200 -> 800 Hz exponential: 400 Hz exactly halfway through
    auto sweep = Synth{}.render(recipe("length 1\nlayer\n wave square\n freq 200 -> 800\nend\n"), 0);
    int early = zeroCrossings(sweep, 0, 2205);
    int middle = zeroCrossings(sweep, 9922, 12127);
    int late = zeroCrossings(sweep, sweep.size() - 2205, sweep.size());
    EXPECT_NEAR(early, 2 * 200 * 0.1 * 1.07, 6);
    EXPECT_NEAR(middle, 2 * 400 * 0.1, 6);
    EXPECT_NEAR(late, 2 * 800 * 0.1 / 1.07, 8);
}

TEST(Synth, LayersSitWhereTheySayAndFadeInAndOut)
{
    auto s = Synth{}.render(recipe("length 1\n"
                                   "layer\n wave square\n start 0.25\n length 0.5\n"
                                   " attack 0.1\n release 0.1\nend\n"),
                            0);
    const std::size_t start = 5512, end = 16538;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (i < start || i >= end) {
            ASSERT_EQ(s[i], 0.0f) << "sound outside the layer at " << i;
        }
    // rises through the attack, full in the middle, falls in the release
    EXPECT_LT(std::fabs(s[start + 10]), 0.01f);
    EXPECT_NEAR(std::fabs(s[start + 5512]), 1.0f, 1e-4);
    EXPECT_LT(std::fabs(s[end - 5]), 0.01f);
}

TEST(Synth, EnvelopeStages)
{
    Envelope e{0.1, 0.1, 0.5, 0.2};
    EXPECT_DOUBLE_EQ(e.level(0.0, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(e.level(0.05, 1.0), 0.5);
    EXPECT_DOUBLE_EQ(e.level(0.1, 1.0), 1.0);
    EXPECT_DOUBLE_EQ(e.level(0.15, 1.0), 0.75);
    EXPECT_DOUBLE_EQ(e.level(0.5, 1.0), 0.5);
    EXPECT_NEAR(e.level(0.9, 1.0), 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(e.level(1.0, 1.0), 0.0);
    // too short for the attack: the release still brings it to zero at the end
    EXPECT_NEAR(e.level(0.02, 0.1), 0.2, 1e-12);
    EXPECT_NEAR(e.level(0.09999, 0.1), 0.0, 1e-3);
}

TEST(Synth, FiltersPassAndStopTheRightBand)
{
    const std::string high = "length 0.5\nlayer\n wave sine\n freq 6000\n";
    const std::string low = "length 0.5\nlayer\n wave sine\n freq 150\n";
    auto level = [](const std::string& text) {
        auto s = Synth{}.render(recipe(text), 0);
        return rms(s, 2000, s.size() - 2000);
    };
    const double dry = level(high + "end\n");
    EXPECT_LT(level(high + " lowpass 500\nend\n"), dry * 0.1);
    EXPECT_GT(level(high + " highpass 500\nend\n"), dry * 0.9);
    EXPECT_LT(level(low + " highpass 3000\nend\n"), dry * 0.1);
    EXPECT_GT(level(low + " lowpass 3000\nend\n"), dry * 0.9);
    EXPECT_LT(level(low + " bandpass 3000 q 2\nend\n"), dry * 0.2);
    // a full sweep across the audio band stays finite and bounded
    auto swept = Synth{}.render(recipe("length 0.5\nlayer\n wave noise\n lowpass 20 -> 11000 q 8\nend\n"), 0);
    for (float v : swept)
        ASSERT_TRUE(std::isfinite(v) && std::fabs(v) < 20.0f);
}

TEST(Synth, RendersAreRepeatableAndVariantsDiffer)
{
    Recipe r = recipe("length 0.3\nvariants 3\nvary 0.1\nseed 5\n"
                      "layer\n wave noise\n freq 3000\nend\n"
                      "layer\n wave saw\n freq 220\nend\n");
    auto a = Synth{}.render(r, 1);
    auto b = Synth{}.render(r, 1);
    EXPECT_EQ(a, b);
    EXPECT_NE(Synth{}.render(r, 0), a);
    EXPECT_NE(Synth{}.render(r, 2), a);

    EXPECT_DOUBLE_EQ(Synth::pitchFactor(r, 0), 1.0);
    for (int v = 1; v < 3; ++v) {
        double f = Synth::pitchFactor(r, v);
        EXPECT_GE(f, 0.9);
        EXPECT_LE(f, 1.1);
        EXPECT_NE(f, 1.0);
    }
    // a different seed gives different noise
    Recipe other = r;
    other.seed = 6;
    EXPECT_NE(Synth{}.render(other, 0), Synth{}.render(r, 0));
}

TEST(Synth, VolumeScalesTheMixAndLoudLayersAreNotLimited)
{
    auto quiet = Synth{}.render(recipe("length 0.1\nvolume 0.5\nlayer\n wave square\n attack 0\n release 0\nend\n"), 0);
    auto loud = Synth{}.render(recipe("length 0.1\nvolume 2\nlayer\n wave square\n attack 0\n release 0\n gain 3\nend\n"), 0);
    EXPECT_FLOAT_EQ(std::fabs(quiet[100]), 0.5f);
    EXPECT_FLOAT_EQ(std::fabs(loud[100]), 6.0f);
}
