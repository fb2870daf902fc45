#include "Synth.h"

#include "Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sfxgen {

std::size_t Synth::sampleCount(const Recipe& recipe)
{
    return static_cast<std::size_t>(std::lround(recipe.length * kSampleRate));
}

double Synth::pitchFactor(const Recipe& recipe, int variant)
{
    if (variant <= 0 || recipe.pitchSpread <= 0.0)
        return 1.0;
    Random random(recipe.seed * 7919u + static_cast<std::uint64_t>(variant));
    return 1.0 + recipe.pitchSpread * random.bipolar();
}

std::vector<float> Synth::render(const Recipe& recipe, int variant) const
{
    std::vector<float> mix(sampleCount(recipe), 0.0f);
    for (std::size_t i = 0; i < recipe.layers.size(); ++i)
        renderLayer(recipe, recipe.layers[i], i, variant, mix);
    for (float& s : mix)
        s = static_cast<float>(s * recipe.volume);
    return mix;
}

void Synth::renderLayer(const Recipe& recipe, const Layer& layer, std::size_t index, int variant,
                        std::vector<float>& mix) const
{
    const double length = layer.length.value_or(recipe.length - layer.start);
    if (length <= 0.0)
        return;
    const auto first = static_cast<std::size_t>(std::lround(layer.start * kSampleRate));
    std::uint64_t seed = recipe.seed ^ (0x51ED2705ull * (index + 1)) ^ (0x2545F491ull * static_cast<std::uint64_t>(variant));
    std::vector<float> voice = renderVoice(layer, length, pitchFactor(recipe, variant), seed);
    for (std::size_t i = 0; i < voice.size() && first + i < mix.size(); ++i)
        mix[first + i] += voice[i];
}

std::vector<float> Synth::renderVoice(const Layer& layer, double length, double pitch, std::uint64_t seed)
{
    const double rate = kSampleRate;
    const auto count = static_cast<std::size_t>(std::lround(std::max(0.0, length) * rate));
    std::vector<float> voice(count, 0.0f);
    Oscillator oscillator(layer.wave, rate, seed);
    std::vector<Filter> filters;
    for (const FilterSpec& spec : layer.filters)
        filters.emplace_back(spec, rate);

    for (std::size_t i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / rate;
        const double t = count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 0.0;
        double frequency = layer.frequency.at(t) * pitch;
        if (layer.vibratoDepth > 0.0 && layer.vibratoRate > 0.0)
            frequency *= std::pow(2.0, layer.vibratoDepth * std::sin(2.0 * std::numbers::pi * layer.vibratoRate * time) / 12.0);
        double sample = oscillator.next(frequency, layer.duty.at(t));
        for (Filter& filter : filters)
            sample = filter.process(sample, t);
        sample *= layer.envelope.level(time, length) * layer.gain;
        voice[i] = static_cast<float>(sample);
    }
    return voice;
}

} // namespace sfxgen
