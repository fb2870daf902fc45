#pragma once

#include "Score.h"

#include <cstddef>
#include <vector>

namespace sfxgen {

// Plays a score into samples at the synth's rate. A looping score comes out
// exactly as long as its song, with every note that rings past the end (and
// the echo) carried round into its start, so that playing the file again and
// again is seamless; a score with `loop off` keeps its last notes' tails.
class Sequencer {
public:
    std::vector<float> render(const Score& score) const;

    // Samples in one pass of the song (the file's length when it loops).
    static std::size_t loopSamples(const Score& score);
    // The first sample of a step counted from the start of the song.
    static std::size_t stepSample(const Score& score, int step);
    // How long a note of `steps` steps sounds, its release included.
    static double noteSeconds(const Score& score, const Instrument& instrument, int steps);

private:
    static void addEcho(const Score& score, const std::vector<float>& send, std::vector<float>& mix);
};

} // namespace sfxgen
