#pragma once

#include "Recipe.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sfxgen {

// Renders a recipe to floating-point samples. The result is not clipped;
// values beyond [-1, 1] are clipped when written out.
class Synth {
public:
    static constexpr int kSampleRate = 22050;

    // `variant` is 0-based. Variant 0 is the recipe as written; later ones
    // get their own pitch factor (within the recipe's spread) and noise.
    std::vector<float> render(const Recipe& recipe, int variant) const;

    static std::size_t sampleCount(const Recipe& recipe);
    // One voice on its own: `layer` sounding for `length` seconds (its start
    // is not applied), every frequency times `pitch`, noise from `seed`.
    static std::vector<float> renderVoice(const Layer& layer, double length, double pitch, std::uint64_t seed);
    static double pitchFactor(const Recipe& recipe, int variant);

private:
    void renderLayer(const Recipe& recipe, const Layer& layer, std::size_t index, int variant,
                     std::vector<float>& mix) const;
};

} // namespace sfxgen
