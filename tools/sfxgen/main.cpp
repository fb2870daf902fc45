// sfxgen: renders a sound recipe to 22050 Hz mono 16-bit WAV files.
//
//   sfxgen RECIPE.sfx OUTPUT_DIR
//
// Writes OUTPUT_DIR/NAME.wav, or NAME_1.wav .. NAME_N.wav when the recipe
// asks for N variants (NAME is the recipe's file name without extension).
#include "RecipeParser.h"
#include "Synth.h"
#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace sfxgen;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: sfxgen RECIPE.sfx OUTPUT_DIR\n");
        return 2;
    }
    const std::string input = argv[1];
    const std::string outDir = argv[2];
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "sfxgen: cannot read %s\n", input.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    ParseResult parsed = RecipeParser{}.parse(text.str(), input);
    for (const auto& d : parsed.errors)
        std::fprintf(stderr, "%s\n", d.text().c_str());
    if (!parsed.ok())
        return 1;

    std::string stem = input.substr(input.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find('.'));
    const Recipe& recipe = parsed.recipe;
    int status = 0;
    for (int v = 0; v < recipe.variants; ++v) {
        std::string name = recipe.variants > 1 ? stem + "_" + std::to_string(v + 1) : stem;
        std::string path = outDir + "/" + name + ".wav";
        std::vector<float> samples = Synth{}.render(recipe, v);
        float peak = 0.0f;
        for (float s : samples)
            peak = std::max(peak, std::fabs(s));
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
