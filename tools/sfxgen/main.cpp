// sfxgen: renders a sound recipe to 22050 Hz mono 16-bit WAV files, and a
// score to a 22050 Hz mono Ogg Vorbis file.
//
//   sfxgen RECIPE.sfx OUTPUT_DIR
//   sfxgen [--wav] SCORE.score OUTPUT_DIR
//
// A recipe writes OUTPUT_DIR/NAME.wav, or NAME_1.wav .. NAME_N.wav when it
// asks for N variants; a score writes OUTPUT_DIR/NAME.ogg, and NAME.wav as
// well with --wav (to listen to or to look at). NAME is the input's file
// name without extension.
#include "OggWriter.h"
#include "RecipeParser.h"
#include "ScoreParser.h"
#include "Sequencer.h"
#include "Synth.h"
#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace sfxgen;

namespace {

// Vorbis quality for the music: dark synthetic timbres stay clean at the
// lowest settings, and the whole soundtrack stays small.
constexpr float kMusicQuality = 0.1f;

float peakOf(const std::vector<float>& samples)
{
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

int renderScore(const std::string& input, const std::string& text, const std::string& outDir,
                const std::string& stem, bool alsoWav)
{
    ScoreParseResult parsed = ScoreParser{}.parse(text, input);
    for (const auto& d : parsed.errors)
        std::fprintf(stderr, "%s\n", d.text().c_str());
    if (!parsed.ok())
        return 1;
    std::vector<float> samples = Sequencer{}.render(parsed.score);
    const float peak = peakOf(samples);
    if (peak > 1.0f)
        std::fprintf(stderr, "%s: warning: peaks at %.2f and is clipped\n", input.c_str(), static_cast<double>(peak));
    std::string error;
    const std::string path = outDir + "/" + stem + ".ogg";
    if (!writeOgg(path, samples, Synth::kSampleRate, kMusicQuality, error)) {
        std::fprintf(stderr, "sfxgen: %s\n", error.c_str());
        std::remove(path.c_str());
        return 1;
    }
    const std::string wav = outDir + "/" + stem + ".wav";
    if (alsoWav && !writeWav(wav, samples, Synth::kSampleRate, error)) {
        std::fprintf(stderr, "sfxgen: %s\n", error.c_str());
        std::remove(wav.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool alsoWav = argc == 4 && std::string(argv[1]) == "--wav";
    if (argc != 3 && !alsoWav) {
        std::fprintf(stderr, "usage: sfxgen RECIPE.sfx OUTPUT_DIR\n       sfxgen [--wav] SCORE.score OUTPUT_DIR\n");
        return 2;
    }
    const std::string input = argv[argc - 2];
    const std::string outDir = argv[argc - 1];
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "sfxgen: cannot read %s\n", input.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    std::string stem = input.substr(input.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find('.'));
    if (input.size() > 6 && input.compare(input.size() - 6, 6, ".score") == 0)
        return renderScore(input, text.str(), outDir, stem, alsoWav);

    ParseResult parsed = RecipeParser{}.parse(text.str(), input);
    for (const auto& d : parsed.errors)
        std::fprintf(stderr, "%s\n", d.text().c_str());
    if (!parsed.ok())
        return 1;

    const Recipe& recipe = parsed.recipe;
    int status = 0;
    for (int v = 0; v < recipe.variants; ++v) {
        std::string name = recipe.variants > 1 ? stem + "_" + std::to_string(v + 1) : stem;
        std::string path = outDir + "/" + name + ".wav";
        std::vector<float> samples = Synth{}.render(recipe, v);
        const float peak = peakOf(samples);
        if (peak > 1.0f)
            std::fprintf(stderr, "%s: warning: variant %d peaks at %.2f and is clipped\n", input.c_str(), v + 1,
                         static_cast<double>(peak));
        std::string error;
        if (!writeWav(path, samples, Synth::kSampleRate, error)) {
            std::fprintf(stderr, "sfxgen: %s\n", error.c_str());
            std::remove(path.c_str());
            status = 1;
        }
    }
    return status;
}
