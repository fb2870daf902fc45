#pragma once

#include "Diagnostic.h"
#include "Recipe.h"
#include "Words.h"

#include <optional>
#include <string>
#include <vector>

namespace sfxgen {

// Reads the settings of one voice (wave, pitch, envelope, filters, gain, ...)
// and the numbers in them, for the sound recipes' layers and the scores'
// instruments alike. Problems are added to the list it was given, at the
// file and line it was last told.
class LayerReader {
public:
    explicit LayerReader(std::vector<Diagnostic>& errors) : errors_(errors) {}

    void at(const std::string& file, int line)
    {
        file_ = file;
        line_ = line;
    }

    // Applies one setting line to `layer`. False when words[0] is no layer
    // setting at all (nothing is reported then: the caller knows its own words).
    bool read(const Words& words, Layer& layer);

    std::optional<double> number(std::string_view word);
    std::optional<double> numberIn(std::string_view word, double min, double max);
    // "A [-> B] [lin|exp]" starting at words[first]; `next` gets the index
    // of the first word after it.
    std::optional<Ramp> ramp(const Words& words, std::size_t first, double min, double max, std::size_t& next);
    // True when the line is a key with exactly one value; reports it otherwise.
    bool single(const Words& words);
    void error(std::string message);

    // Longest time any setting may give, in seconds.
    static constexpr double kMaxSeconds = 10.0;

private:
    void filter(const Words& words, Layer& layer);

    std::vector<Diagnostic>& errors_;
    std::string file_;
    int line_ = 0;
};

} // namespace sfxgen
