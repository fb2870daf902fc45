#pragma once

#include "Diagnostic.h"
#include "Recipe.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sfxgen {

struct ParseResult {
    Recipe recipe;
    std::vector<Diagnostic> errors;

    bool ok() const { return errors.empty(); }
};

// Reads a sound recipe. Every bad line is reported (with its line number)
// and parsing carries on with the next one.
class RecipeParser {
public:
    ParseResult parse(std::string_view source, const std::string& fileName);

    static constexpr double kMaxLength = 10.0; // seconds
    static constexpr int kMaxVariants = 16;

private:
    using Words = std::vector<std::string_view>;

    void topLevel(const Words& words);
    void layerLine(const Words& words);
    void finishLayer();

    std::optional<double> number(std::string_view word);
    std::optional<double> numberIn(std::string_view word, double min, double max);
    // "A [-> B] [lin|exp]" starting at words[first]; `next` gets the index
    // of the first word after it.
    std::optional<Ramp> ramp(const Words& words, std::size_t first, double min, double max, std::size_t& next);
    bool single(const Words& words);
    void error(std::string message);

    std::string file_;
    int line_ = 0;
    ParseResult result_;
    std::optional<Layer> layer_;
    int layerLine_ = 0;
    bool lengthGiven_ = false;
};

} // namespace sfxgen
