#include "RecipeParser.h"

#include <charconv>
#include <cmath>

namespace sfxgen {


ParseResult RecipeParser::parse(std::string_view source, const std::string& fileName)
{
    file_ = fileName;
    line_ = 0;
    result_ = ParseResult{};
    layer_.reset();
    lengthGiven_ = false;

    forEachLine(source, [this](int number, const Words& words) {
        line_ = number;
        reader_.at(file_, line_);
        if (layer_)
            layerLine(words);
        else
            topLevel(words);
    });
    // What is missing at the end is reported on the last line.
    line_ = lineCount(source);
    if (layer_) {
        int opened = layerLine_;
        error("layer opened on line " + std::to_string(opened) + " has no 'end'");
        finishLayer();
    }
    if (!lengthGiven_)
        error("no 'length' line");
    if (result_.recipe.layers.empty())
        error("no layers");

    // Layers that run past the end would be cut off with a click.
    const Recipe& r = result_.recipe;
    for (const Layer& layer : r.layers) {
        if (lengthGiven_ && layer.length && layer.start + *layer.length > r.length + 1e-9)
            error("a layer ends at " + show(layer.start + *layer.length) + " s, after the sound's length " +
                  show(r.length) + " s");
        if (lengthGiven_ && layer.start >= r.length)
            error("a layer starts at " + show(layer.start) + " s, at or after the end of the sound");
    }
    return std::move(result_);
}

void RecipeParser::error(std::string message)
{
    reader_.at(file_, line_);
    reader_.error(std::move(message));
}

void RecipeParser::topLevel(const Words& words)
{
    const std::string_view key = words[0];
    Recipe& r = result_.recipe;
    if (key == "layer") {
        if (words.size() != 1)
            error("'layer' takes no values");
        layer_ = Layer{};
        layerLine_ = line_;
    } else if (key == "end") {
        error("'end' without a layer");
    } else if (key == "length") {
        if (!reader_.single(words))
            return;
        if (auto v = reader_.numberIn(words[1], 0.001, kMaxLength)) {
            r.length = *v;
            lengthGiven_ = true;
        }
    } else if (key == "volume") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 0.0, 4.0))
                r.volume = *v;
    } else if (key == "variants") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 1, kMaxVariants)) {
                if (*v != std::floor(*v))
                    error("'variants' must be a whole number");
                else
                    r.variants = static_cast<int>(*v);
            }
    } else if (key == "vary") {
        if (reader_.single(words))
            if (auto v = reader_.numberIn(words[1], 0.0, 0.5))
                r.pitchSpread = *v;
    } else if (key == "seed") {
        if (!reader_.single(words))
            return;
        std::uint64_t seed = 0;
        auto [end, ec] = std::from_chars(words[1].data(), words[1].data() + words[1].size(), seed);
        if (ec != std::errc{} || end != words[1].data() + words[1].size())
            error("seed must be a whole number, got " + quoted(words[1]));
        else
            r.seed = seed;
    } else {
        error("unknown setting " + quoted(key));
    }
}

void RecipeParser::layerLine(const Words& words)
{
    const std::string_view key = words[0];
    if (key == "end") {
        if (words.size() != 1)
            error("'end' takes no values");
        finishLayer();
    } else if (key == "layer") {
        error("'layer' inside a layer (missing 'end'?)");
    } else if (!reader_.read(words, *layer_)) {
        error("unknown layer setting " + quoted(key));
    }
}

void RecipeParser::finishLayer()
{
    Layer layer = *layer_;
    layer_.reset();
    if (!layer.frequencyGiven && layer.wave == Wave::Noise)
        layer.frequency = Ramp::constant(22050.0);
    result_.recipe.layers.push_back(layer);
}

} // namespace sfxgen
