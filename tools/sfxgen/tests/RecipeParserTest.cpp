#include "RecipeParser.h"

#include <gtest/gtest.h>

#include <random>

using namespace sfxgen;

namespace {

ParseResult parse(const std::string& text)
{
    return RecipeParser{}.parse(text, "test.sfx");
}

std::string allErrors(const ParseResult& r)
{
    std::string s;
    for (const auto& d : r.errors)
        s += d.text() + "\n";
    return s;
}

} // namespace

TEST(RecipeParser, ReadsAFullRecipe)
{
    auto r = parse("# comment line\n"
                   "length 0.5\n"
                   "volume 0.8   # trailing comment\n"
                   "variants 3\n"
                   "vary 0.1\n"
                   "seed 42\n"
                   "layer\n"
                   "  wave square\n"
                   "  freq 800 -> 200 lin\n"
                   "  duty 0.2 -> 0.6\n"
                   "  vibrato 6 0.5\n"
                   "  attack 0.01\n"
                   "  decay 0.1\n"
                   "  sustain 0.4\n"
                   "  release 0.2\n"
                   "  gain 0.7\n"
                   "  start 0.1\n"
                   "  length 0.3\n"
                   "  lowpass 3000 -> 500 q 2\n"
                   "  highpass 100\n"
                   "end\n"
                   "layer\n"
                   "  wave noise\n"
                   "end\n");
    ASSERT_TRUE(r.ok()) << allErrors(r);
    const Recipe& rc = r.recipe;
    EXPECT_DOUBLE_EQ(rc.length, 0.5);
    EXPECT_DOUBLE_EQ(rc.volume, 0.8);
    EXPECT_EQ(rc.variants, 3);
    EXPECT_DOUBLE_EQ(rc.pitchSpread, 0.1);
    EXPECT_EQ(rc.seed, 42u);
    ASSERT_EQ(rc.layers.size(), 2u);

    const Layer& a = rc.layers[0];
    EXPECT_EQ(a.wave, Wave::Square);
    EXPECT_DOUBLE_EQ(a.frequency.from, 800);
    EXPECT_DOUBLE_EQ(a.frequency.to, 200);
    EXPECT_EQ(a.frequency.curve, Ramp::Curve::Linear);
    EXPECT_DOUBLE_EQ(a.duty.at(0.5), 0.4);
    EXPECT_DOUBLE_EQ(a.vibratoRate, 6);
    EXPECT_DOUBLE_EQ(a.vibratoDepth, 0.5);
    EXPECT_DOUBLE_EQ(a.envelope.attack, 0.01);
    EXPECT_DOUBLE_EQ(a.envelope.decay, 0.1);
    EXPECT_DOUBLE_EQ(a.envelope.sustain, 0.4);
    EXPECT_DOUBLE_EQ(a.envelope.release, 0.2);
    EXPECT_DOUBLE_EQ(a.gain, 0.7);
    EXPECT_DOUBLE_EQ(a.start, 0.1);
    ASSERT_TRUE(a.length.has_value());
    EXPECT_DOUBLE_EQ(*a.length, 0.3);
    ASSERT_EQ(a.filters.size(), 2u);
    EXPECT_EQ(a.filters[0].mode, FilterMode::LowPass);
    EXPECT_DOUBLE_EQ(a.filters[0].cutoff.from, 3000);
    EXPECT_DOUBLE_EQ(a.filters[0].cutoff.to, 500);
    EXPECT_EQ(a.filters[0].cutoff.curve, Ramp::Curve::Exponential);
    EXPECT_DOUBLE_EQ(a.filters[0].q, 2);
    EXPECT_EQ(a.filters[1].mode, FilterMode::HighPass);

    // noise without a frequency is plain white noise
    EXPECT_EQ(rc.layers[1].wave, Wave::Noise);
    EXPECT_DOUBLE_EQ(rc.layers[1].frequency.at(0), 22050);
    EXPECT_FALSE(rc.layers[1].length.has_value());
}

TEST(RecipeParser, ExponentialSweepsMoveByEqualRatios)
{
    Ramp r{100, 1600, Ramp::Curve::Exponential};
    EXPECT_DOUBLE_EQ(r.at(0), 100);
    EXPECT_NEAR(r.at(0.5), 400, 1e-9);
    EXPECT_NEAR(r.at(0.25), 200, 1e-9);
    EXPECT_DOUBLE_EQ(r.at(2.0), 1600);
    Ramp lin{100, 1600, Ramp::Curve::Linear};
    EXPECT_DOUBLE_EQ(lin.at(0.5), 850);
}

struct BrokenCase {
    const char* source;
    int line;
    const char* message;
};

TEST(RecipeParser, ReportsEachProblemWithFileAndLine)
{
    const BrokenCase cases[] = {
        {"length 1\nloudness 3\nlayer\nend\n", 2, "unknown setting 'loudness'"},
        {"length 1\nlayer\n  colour red\nend\n", 3, "unknown layer setting 'colour'"},
        {"length 1\nlayer\n  wave banjo\nend\n", 3, "unknown wave 'banjo'"},
        {"length abc\nlayer\nend\n", 1, "expected a number, got 'abc'"},
        {"length 99\nlayer\nend\n", 1, "outside"},
        {"length 1\nlayer\n  sustain 1.5\nend\n", 3, "outside 0..1"},
        {"length 1\nlayer\n  freq 100 ->\nend\n", 3, "'->' needs an end value"},
        {"length 1\nlayer\n  freq 100 200\nend\n", 3, "unexpected '200'"},
        {"length 1\nlayer\n  lowpass 500 q\nend\n", 3, "'q' needs a value"},
        {"length 1\nlayer\n  vibrato 5\nend\n", 3, "RATE_HZ DEPTH_SEMITONES"},
        {"length 1\nvariants 2.5\nlayer\nend\n", 2, "whole number"},
        {"length 1\nseed -3\nlayer\nend\n", 2, "seed must be a whole number"},
        {"length 1\nend\n", 2, "'end' without a layer"},
        {"length 1\nlayer\nlayer\nend\n", 3, "'layer' inside a layer"},
        {"length 1\nlayer\n  attack\nend\n", 3, "takes one value"},
        {"length 1\nlayer\n  wave sine\n", 4, "line 2 has no 'end'"},
        {"layer\nend\n", 3, "no 'length' line"},
        {"length 1\n", 2, "no layers"},
        {"length 0.5\nlayer\n  start 0.2\n  length 0.4\nend\n", 6, "after the sound's length"},
        {"length 0.5\nlayer\n  start 0.5\nend\n", 5, "at or after the end"},
    };
    for (const auto& c : cases) {
        auto r = parse(c.source);
        ASSERT_FALSE(r.errors.empty()) << c.source;
        const Diagnostic& d = r.errors.front();
        EXPECT_EQ(d.line, c.line) << c.source << allErrors(r);
        EXPECT_NE(d.message.find(c.message), std::string::npos) << c.source << " gave: " << d.text();
        EXPECT_EQ(d.text().rfind("test.sfx:" + std::to_string(c.line) + ": ", 0), 0u) << d.text();
    }
}

TEST(RecipeParser, CarriesOnAfterABadLine)
{
    auto r = parse("length 1\nvolume loud\nlayer\n  gain x\n  freq 300\nend\n");
    ASSERT_EQ(r.errors.size(), 2u) << allErrors(r);
    EXPECT_EQ(r.errors[0].line, 2);
    EXPECT_EQ(r.errors[1].line, 4);
    ASSERT_EQ(r.recipe.layers.size(), 1u);
    EXPECT_DOUBLE_EQ(r.recipe.layers[0].frequency.at(0), 300);
}

TEST(RecipeParser, SurvivesGarbage)
{
    const std::string words[] = {"length", "layer", "end", "freq", "->", "lin", "q", "wave", "noise", "0.5",
                                 "-1", "1e308", "nan", "inf", "lowpass", "variants", "seed", "#", "\xff",
                                 "vibrato", "start", "999", "0", ""};
    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        int lines = static_cast<int>(rng() % 10);
        for (int l = 0; l < lines; ++l) {
            int count = static_cast<int>(rng() % 6);
            for (int w = 0; w < count; ++w)
                text += words[rng() % std::size(words)] + " ";
            text += "\n";
        }
        auto r = parse(text);
        EXPECT_TRUE(r.ok() || !r.errors.empty());
        EXPECT_LE(r.recipe.length, RecipeParser::kMaxLength);
    }
}
