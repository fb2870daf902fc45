#pragma once
// Random inputs for the fuzz tests: a seeded generator, odd numbers and strings,
// and byte-level and token-level mutations of text files.
#include <cstdint>
#include <random>
#include <string>

namespace fuzz {

// The seed (KORVANMIRE_FUZZ_SEED, default 1) and how many times the default
// number of rounds to run (KORVANMIRE_FUZZ_SCALE, default 1).
uint32_t Seed();
int Rounds(int defaultRounds);

class Random {
public:
    explicit Random(uint32_t seed) : engine(seed) {}
    int Int(int lo, int hi);  // inclusive
    bool OneIn(int n) { return Int(0, n - 1) == 0; }
    // Numbers a script may pass: small, negative, fractional, huge, NaN, ±inf.
    double Number();
    // Strings a script may pass: empty, names the game knows, quotes, format
    // directives, control bytes, long ones. Never a path separator, so nothing
    // is written outside the working directory.
    std::string String();
    // Random bytes, `length` of them.
    std::string Bytes(size_t length);
    // Text with some of these mutations: flipped, inserted or deleted bytes,
    // numbers and strings swapped for odd ones, lines dropped, repeated or cut off.
    std::string Mutate(const std::string& text);

private:
    std::mt19937 engine;
};

} // namespace fuzz
