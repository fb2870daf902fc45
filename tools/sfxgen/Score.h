#pragma once

#include "Recipe.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sfxgen {

// A piece of music: instruments (voices as in a sound recipe), patterns of
// notes on a grid of steps, and the order the patterns play in.
struct Instrument {
    std::string name;
    Layer voice;       // its `length`, when given, fixes every note's length
    double echo = 0.0; // how much of it is sent into the score's echo, 0..1
};

// One note of a pattern row. Frequency 0 means the instrument's own pitch
// (the `x` of a drum part).
struct Note {
    int step = 0;  // from the start of the pattern
    int steps = 1; // held for this many steps (the note and its ties)
    double frequency = 0.0;
    double velocity = 1.0;
};

struct PatternRow {
    int instrument = 0;
    std::vector<Note> notes;
};

struct Pattern {
    std::string name;
    int steps = 0;
    std::vector<PatternRow> rows;
};

struct Score {
    double tempo = 120.0; // beats per minute
    int stepsPerBeat = 4;
    double volume = 1.0;
    std::uint64_t seed = 1;
    // A looping score renders to exactly its length, the notes that ring
    // past the end folded into its start; otherwise the last tail is kept.
    bool loop = true;
    double echoTime = 0.0; // seconds; 0: no echo
    double echoFeedback = 0.0;
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<int> song; // pattern indices in playing order

    double stepSeconds() const { return 60.0 / (tempo * stepsPerBeat); }
    int songSteps() const
    {
        int steps = 0;
        for (int p : song)
            steps += patterns[static_cast<std::size_t>(p)].steps;
        return steps;
    }
};

} // namespace sfxgen
