#include "LayerReader.h"

#include <charconv>
#include <cmath>

namespace sfxgen {

void LayerReader::error(std::string message)
{
    errors_.push_back(Diagnostic{file_, line_, std::move(message)});
}

std::optional<double> LayerReader::number(std::string_view word)
{
    double value = 0.0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size() || !std::isfinite(value)) {
        error("expected a number, got " + quoted(word));
        return std::nullopt;
    }
    return value;
}

std::optional<double> LayerReader::numberIn(std::string_view word, double min, double max)
{
    auto value = number(word);
    if (value && (*value < min || *value > max)) {
        error(quoted(word) + " is outside " + show(min) + ".." + show(max));
        return std::nullopt;
    }
    return value;
}

bool LayerReader::single(const Words& words)
{
    if (words.size() == 2)
        return true;
    error(quoted(words[0]) + " takes one value");
    return false;
}

std::optional<Ramp> LayerReader::ramp(const Words& words, std::size_t first, double min, double max,
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

bool LayerReader::read(const Words& words, Layer& l)
{
    const std::string_view key = words[0];
    std::size_t next = 0;
    auto noExtra = [&] {
        if (next < words.size())
            error("unexpected " + quoted(words[next]) + " after " + quoted(key));
    };

    if (key == "wave") {
        if (!single(words))
            return true;
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
            return true;
        }
        auto rate = numberIn(words[1], 0.0, 100.0);
        auto depth = numberIn(words[2], 0.0, 24.0);
        if (rate && depth) {
            l.vibratoRate = *rate;
            l.vibratoDepth = *depth;
        }
    } else if (key == "attack" || key == "decay" || key == "release") {
        if (!single(words))
            return true;
        if (auto v = numberIn(words[1], 0.0, kMaxSeconds))
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
            if (auto v = numberIn(words[1], 0.0, kMaxSeconds))
                l.start = *v;
    } else if (key == "length") {
        if (single(words))
            if (auto v = numberIn(words[1], 0.001, kMaxSeconds))
                l.length = *v;
    } else if (key == "lowpass" || key == "highpass" || key == "bandpass") {
        filter(words, l);
    } else {
        return false;
    }
    return true;
}

void LayerReader::filter(const Words& words, Layer& l)
{
    const std::string_view key = words[0];
    FilterSpec spec;
    spec.mode = key == "lowpass" ? FilterMode::LowPass : key == "highpass" ? FilterMode::HighPass : FilterMode::BandPass;
    std::size_t next = 0;
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
    if (next < words.size())
        error("unexpected " + quoted(words[next]) + " after " + quoted(key));
    if (ok) {
        spec.cutoff = *cutoff;
        l.filters.push_back(spec);
    }
}

} // namespace sfxgen
