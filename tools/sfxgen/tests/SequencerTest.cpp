// The score reader and the sequencer: where notes land, how long and how
// high they sound, and loops that are exact to the sample.
#include "ScoreParser.h"
#include "Sequencer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sfxgen;

namespace {

Score score(const std::string& text)
{
    auto r = ScoreParser{}.parse(text, "test.score");
    EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors.front().text());
    return r.score;
}

std::string firstError(const std::string& text)
{
    auto r = ScoreParser{}.parse(text, "test.score");
    return r.errors.empty() ? "" : r.errors.front().text();
}

// 120 beats a minute at 2 steps a beat: a step is 0.25 s, 5512.5 samples.
const std::string kSine = "tempo 120\nsteps 2\n"
                          "instrument tone\n wave sine\n attack 0.001\n release 0.01\nend\n";

int zeroCrossings(const std::vector<float>& s, std::size_t from, std::size_t to)
{
    int n = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        if ((s[i - 1] < 0) != (s[i] < 0))
            ++n;
    return n;
}

std::size_t firstSound(const std::vector<float>& s, std::size_t from = 0)
{
    for (std::size_t i = from; i < s.size(); ++i)
        if (std::fabs(s[i]) > 1e-6f)
            return i;
    return s.size();
}

} // namespace

TEST(Sequencer, NotesSoundAtTheirPitchForTheirStepsAndTies)
{
    Score s = score(kSine + "pattern p\n tone . a4 - - . . . .\nend\nsong p\n");
    auto out = Sequencer{}.render(s);
    ASSERT_EQ(out.size(), 44100u); // 8 steps of 0.25 s

    // starts on step 1, held three steps (the note and its two ties), then
    // its 10 ms release
    const std::size_t start = Sequencer::stepSample(s, 1);
    EXPECT_EQ(start, 5513u);
    EXPECT_EQ(firstSound(out), start + 1); // the attack starts from zero
    const std::size_t end = start + static_cast<std::size_t>(std::lround(0.76 * 22050));
    for (std::size_t i = end; i < out.size(); ++i)
        ASSERT_EQ(out[i], 0.0f) << "sound after the note at " << i;
    EXPECT_GT(std::fabs(out[end - 400]), 0.0f);
    // 440 Hz over the 0.75 s held
    EXPECT_NEAR(zeroCrossings(out, start, start + 16537), 2 * 440 * 0.75, 3);

    // Note names: sharps, flats and octaves
    EXPECT_NEAR(ScoreParser::noteFrequency("a4"), 440.0, 1e-9);
    EXPECT_NEAR(ScoreParser::noteFrequency("a2"), 110.0, 1e-9);
    EXPECT_NEAR(ScoreParser::noteFrequency("c4"), 261.6256, 1e-3);
    EXPECT_NEAR(ScoreParser::noteFrequency("c#4"), ScoreParser::noteFrequency("db4"), 1e-9);
    EXPECT_EQ(ScoreParser::noteFrequency("h4"), 0.0);
    EXPECT_EQ(ScoreParser::noteFrequency("a9"), 0.0);
}

TEST(Sequencer, ALoopIsExactToTheSampleAndWrapsItsTail)
{
    // 120 bpm, 3 steps a beat: a step is 3675 samples; 5 steps make 18375.
    // The last note's 0.5 s release runs 11025 samples past the end.
    Score s = score("tempo 120\nsteps 3\n"
                    "instrument pad\n wave triangle\n attack 0.01\n release 0.5\nend\n"
                    "pattern p\n pad . . . . e3\nend\nsong p\n");
    auto looped = Sequencer{}.render(s);
    ASSERT_EQ(looped.size(), 18375u);
    EXPECT_EQ(Sequencer::loopSamples(s), 18375u);

    s.loop = false;
    auto once = Sequencer{}.render(s);
    ASSERT_EQ(once.size(), 18375u + 11025u);
    // The tail past the end is folded into the start of the loop: sample for
    // sample, the loop is the piece with its tail added onto its beginning.
    for (std::size_t i = 0; i < looped.size(); ++i) {
        const float folded = once[i] + (i + 18375 < once.size() ? once[i + 18375] : 0.0f);
        ASSERT_FLOAT_EQ(looped[i], folded) << i;
    }
    EXPECT_GT(std::fabs(looped[2000]), 0.01f); // the tail is heard at the start
    // Played twice, the seam is as smooth as any sample inside the note
    const float jump = std::fabs(looped.front() - looped.back());
    EXPECT_LT(jump, 0.05f);

    // Odd step lengths never drift: 28 steps of 1378.125 samples
    Score odd = score("tempo 120\nsteps 8\n"
                      "instrument t\n wave sine\nend\n"
                      "pattern p\n t x . . . . . .\nend\nsong p p p p\n");
    EXPECT_EQ(Sequencer{}.render(odd).size(), 38588u);
}

TEST(Sequencer, EchoOfALoopComesRoundIntoItsStart)
{
    Score s = score("tempo 120\nsteps 2\necho 0.5 0.5\n"
                    "instrument click\n wave square\n length 0.05\n echo 1\nend\n"
                    "pattern p\n click . . . x\nend\nsong p\n");
    auto out = Sequencer{}.render(s);
    ASSERT_EQ(out.size(), 22050u); // 4 steps of 0.25 s
    // the click at 0.75 s echoes at 1.25 s: 0.25 s into the next pass
    EXPECT_GT(std::fabs(out[5513 + 300]), 0.1f);
    EXPECT_EQ(out[3000], 0.0f);
}

TEST(ScoreParser, ReportsBadScoresWithTheirLines)
{
    EXPECT_EQ(firstError("tempo 120\nsong\n"), "test.score:2: 'song' needs pattern names");
    EXPECT_EQ(firstError(kSine + "pattern p\n tone a4 . -\nend\nsong p\n"),
              "test.score:9: a tie '-' at step 3 has no note before it");
    EXPECT_EQ(firstError(kSine + "pattern p\n tone a4 .\n tone a4 . .\nend\nsong p\n"),
              "test.score:10: a row of 3 steps in a pattern of 2");
    EXPECT_EQ(firstError(kSine + "pattern p\n drum x\nend\nsong p\n"),
              "test.score:9: no instrument named 'drum' (instruments come before the patterns)");
    EXPECT_EQ(firstError(kSine + "pattern p\n tone h2\nend\nsong p\n"),
              "test.score:9: expected a note (c4, f#2, eb3), 'x', '.', '-' or '|', got 'h2'");
    EXPECT_EQ(firstError(kSine + "song q\n"),
              "test.score:8: no pattern named 'q' (patterns come before the song)");
    EXPECT_EQ(firstError("tempo 120\ninstrument i\n wave sine\n"), "test.score:4: block opened on line 2 has no 'end'");
    EXPECT_EQ(firstError(kSine + "pattern p\n tone a4\nend\nsong p\nloop maybe\n"),
              "test.score:12: 'loop' is 'on' or 'off', got 'maybe'");
    // The instruments read the sound recipes' layer settings, errors and all
    EXPECT_EQ(firstError("tempo 120\ninstrument i\n wave organ\nend\n"),
              "test.score:3: unknown wave 'organ' (sine, square, saw, triangle, noise)");
    EXPECT_EQ(firstError("tempo 120\ninstrument i\n lowpass 20000\nend\n"), "test.score:3: '20000' is outside 10..11000");
    // Far too long a song: 70 steps of 3 s
    std::string rests;
    for (int i = 0; i < 70; ++i)
        rests += " .";
    EXPECT_EQ(firstError("tempo 20\nsteps 1\ninstrument i\nend\npattern p\n i" + rests + "\nend\nsong p\n"),
              "test.score:9: the song lasts 210 s, more than 180");
}
