#include "RecipeParser.h"

#include <charconv>
#include <cstdio>
#include <cmath>

namespace sfxgen {

namespace {

std::vector<std::string_view> splitWords(std::string_view line)
{
    auto hash = line.find('#');
    if (hash != std::string_view::npos)
        line = line.substr(0, hash);
    std::vector<std::string_view> words;
    std::size_t i = 0;
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        while (i < line.size() && space(line[i]))
            ++i;
        std::size_t start = i;
        while (i < line.size() && !space(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string quoted(std::string_view word)
{
    return "'" + std::string(word) + "'";
}

std::string show(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

} // namespace

ParseResult RecipeParser::parse(std::string_view source, const std::string& fileName)
{
    file_ = fileName;
    line_ = 0;
    result_ = ParseResult{};
    layer_.reset();
    lengthGiven_ = false;

    std::size_t pos = 0;
    while (pos <= source.size()) {
        auto newline = source.find('\n', pos);
        if (newline == std::string_view::npos)
            newline = source.size();
        auto words = splitWords(source.substr(pos, newline - pos));
        pos = newline + 1;
        ++line_;
        if (words.empty())
            continue;
        if (layer_)
            layerLine(words);
        else
            topLevel(words);
    }
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
    result_.errors.push_back(Diagnostic{file_, line_, std::move(message)});
}

std::optional<double> RecipeParser::number(std::string_view word)
{
    double value = 0.0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size() || !std::isfinite(value)) {
        error("expected a number, got " + quoted(word));
        return std::nullopt;
    }
    return value;
}

std::optional<double> RecipeParser::numberIn(std::string_view word, double min, double max)
{
    auto value = number(word);
    if (value && (*value < min || *value > max)) {
        error(quoted(word) + " is outside " + show(min) + ".." + show(max));
        return std::nullopt;
    }
    return value;
}

bool RecipeParser::single(const Words& words)
{
    if (words.size() == 2)
        return true;
    error(quoted(words[0]) + " takes one value");
    return false;
}

std::optional<Ramp> RecipeParser::ramp(const Words& words, std::size_t first, double min, double max,
                                       std::size_t& next)
{
    next = first;
    if (first >= words.size()) {
        error(quoted(words[0]) + " needs a value");
        return std::nullopt;
    }
    auto from = numberIn(words[first], min, max);
    next = first + 1;
    Ramp result{from.value_or(min), from.value_or(min), Ramp::Curve::Exponential};
    bool ok = from.has_value();
    if (next < words.size() && words[next] == "->") {
        if (next + 1 >= words.size()) {
            error("'->' needs an end value");
            return std::nullopt;
        }
        auto to = numberIn(words[next + 1], min, max);
        ok = ok && to.has_value();
        result.to = to.value_or(result.from);
        next += 2;
    }
    if (next < words.size() && (words[next] == "lin" || words[next] == "exp")) {
        result.curve = words[next] == "lin" ? Ramp::Curve::Linear : Ramp::Curve::Exponential;
        ++next;
    }
    if (!ok)
        return std::nullopt;
    return result;
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
        if (!single(words))
            return;
        if (auto v = numberIn(words[1], 0.001, kMaxLength)) {
            r.length = *v;
            lengthGiven_ = true;
        }
    } else if (key == "volume") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.0, 4.0))
                r.volume = *v;
    } else if (key == "variants") {
        if (single(words))
            if (auto v = numberIn(words[1], 1, kMaxVariants)) {
                if (*v != std::floor(*v))
                    error("'variants' must be a whole number");
                else
                    r.variants = static_cast<int>(*v);
            }
    } else if (key == "vary") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.0, 0.5))
                r.pitchSpread = *v;
    } else if (key == "seed") {
        if (!single(words))
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
    Layer& l = *layer_;
    std::size_t next = 0;
    auto noExtra = [&] {
        if (next < words.size())
            error("unexpected " + quoted(words[next]) + " after " + quoted(key));
    };

    if (key == "end") {
        if (words.size() != 1)
            error("'end' takes no values");
        finishLayer();
    } else if (key == "layer") {
        error("'layer' inside a layer (missing 'end'?)");
    } else if (key == "wave") {
        if (!single(words))
            return;
        const std::string_view w = words[1];
        if (w == "sine")
            l.wave = Wave::Sine;
        else if (w == "square")
            l.wave = Wave::Square;
        else if (w == "saw")
            l.wave = Wave::Saw;
        else if (w == "triangle")
            l.wave = Wave::Triangle;
        else if (w == "noise")
            l.wave = Wave::Noise;
        else
            error("unknown wave " + quoted(w) + " (sine, square, saw, triangle, noise)");
    } else if (key == "freq") {
        if (auto v = ramp(words, 1, 1.0, 22050.0, next)) {
            l.frequency = *v;
            l.frequencyGiven = true;
        }
        noExtra();
    } else if (key == "duty") {
        if (auto v = ramp(words, 1, 0.0, 1.0, next)) {
            l.duty = *v;
            l.duty.curve = Ramp::Curve::Linear;
        }
        noExtra();
    } else if (key == "vibrato") {
        if (words.size() != 3) {
            error("'vibrato' takes RATE_HZ DEPTH_SEMITONES");
            return;
        }
        auto rate = numberIn(words[1], 0.0, 100.0);
        auto depth = numberIn(words[2], 0.0, 24.0);
        if (rate && depth) {
            l.vibratoRate = *rate;
            l.vibratoDepth = *depth;
        }
    } else if (key == "attack" || key == "decay" || key == "release") {
        if (!single(words))
            return;
        if (auto v = numberIn(words[1], 0.0, kMaxLength))
            (key == "attack" ? l.envelope.attack : key == "decay" ? l.envelope.decay : l.envelope.release) = *v;
    } else if (key == "sustain") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.0, 1.0))
                l.envelope.sustain = *v;
    } else if (key == "gain") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.0, 16.0))
                l.gain = *v;
    } else if (key == "start") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.0, kMaxLength))
                l.start = *v;
    } else if (key == "length") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.001, kMaxLength))
                l.length = *v;
    } else if (key == "lowpass" || key == "highpass" || key == "bandpass") {
        FilterSpec spec;
        spec.mode = key == "lowpass" ? FilterMode::LowPass
                  : key == "highpass" ? FilterMode::HighPass
                                      : FilterMode::BandPass;
        auto cutoff = ramp(words, 1, 10.0, 11000.0, next);
        bool ok = cutoff.has_value();
        if (next < words.size() && words[next] == "q") {
            if (next + 1 >= words.size()) {
                error("'q' needs a value");
                ok = false;
                next = words.size();
            } else {
                auto q = numberIn(words[next + 1], 0.1, 50.0);
                ok = ok && q.has_value();
                spec.q = q.value_or(spec.q);
                next += 2;
            }
        }
        noExtra();
        if (ok) {
            spec.cutoff = *cutoff;
            l.filters.push_back(spec);
        }
    } else {
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
