#pragma once

#include <cstdint>

namespace sfxgen {

// Small deterministic generator (splitmix64) so a recipe always renders to
// the same bytes on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    // Uniform in [-1, 1).
    double bipolar();
    // Uniform in [0, 1).
    double unit();

private:
    std::uint64_t state_;
};

} // namespace sfxgen
