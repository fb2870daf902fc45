#pragma once

#include "Diagnostic.h"
#include "LayerReader.h"
#include "Recipe.h"
#include "Words.h"

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

    static constexpr double kMaxLength = LayerReader::kMaxSeconds;
    static constexpr int kMaxVariants = 16;

private:
    void topLevel(const Words& words);
    void layerLine(const Words& words);
    void finishLayer();
    void error(std::string message);

    std::string file_;
    int line_ = 0;
    ParseResult result_;
    LayerReader reader_{result_.errors};
    std::optional<Layer> layer_;
    int layerLine_ = 0;
    bool lengthGiven_ = false;
};

} // namespace sfxgen
