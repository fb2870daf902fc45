#pragma once

#include "Diagnostic.h"
#include "LayerReader.h"
#include "Score.h"
#include "Words.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sfxgen {

struct ScoreParseResult {
    Score score;
    std::vector<Diagnostic> errors;

    bool ok() const { return errors.empty(); }
};

// Reads a score (assets/music/*.score). Every bad line is reported with its
// line number and reading goes on with the next one.
class ScoreParser {
public:
    ScoreParseResult parse(std::string_view source, const std::string& fileName);

    static constexpr double kMaxSeconds = 180.0; // the whole song
    static constexpr int kMaxPatternSteps = 256;

    // Hz of a note name such as "a4", "c#2" or "eb3" (A4 = 440 Hz); 0 when
    // the word is no note.
    static double noteFrequency(std::string_view word);

private:
    void topLevel(const Words& words);
    void instrumentLine(const Words& words);
    void patternLine(const Words& words);
    void finishBlock();
    int findInstrument(std::string_view name) const;
    int findPattern(std::string_view name) const;
    void error(std::string message);

    std::string file_;
    int line_ = 0;
    ScoreParseResult result_;
    LayerReader reader_{result_.errors};
    enum class Block { None, Instrument, Pattern } block_ = Block::None;
    int blockLine_ = 0;
    bool tempoGiven_ = false;
};

} // namespace sfxgen
