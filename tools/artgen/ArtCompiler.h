#pragma once

#include "Diagnostic.h"
#include "Image.h"
#include "Palette.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace artgen {

struct ArtResult {
    Image image;
    int cellWidth = 0;  // 0 when the file has no grid
    int cellHeight = 0;
    std::vector<Diagnostic> errors;

    bool ok() const { return errors.empty() && !image.empty(); }
};

// Turns the text of an art file into an image. It never stops at the first
// problem: every bad line is reported and the rest is still drawn.
class ArtCompiler {
public:
    ArtResult compile(std::string_view source, const std::string& fileName);

    static constexpr int kMaxSize = 4096;

private:
    struct OpenBlock {
        int startLine = 0;
        std::vector<int> frames; // frame indices, or empty for an absolute block
        int x = 0, y = 0, scale = 1;
        int row = 0;
    };

    void directive(const std::vector<std::string_view>& words);
    void blockRow(std::string_view line);
    void framesRow(std::string_view line);
    void absoluteRow(std::string_view line);

    bool needImage(std::string_view what);
    bool argCount(const std::vector<std::string_view>& words, std::size_t min, std::size_t max);
    std::optional<int> integer(std::string_view word);
    std::optional<double> number(std::string_view word);
    std::optional<Rgba> colour(std::string_view word);
    std::optional<int> frameIndex(std::string_view word);
    void error(std::string message);

    std::string file_;
    int line_ = 0;
    ArtResult result_;
    Palette palette_;
    std::optional<OpenBlock> block_;
};

} // namespace artgen
