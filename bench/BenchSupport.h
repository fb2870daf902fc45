#pragma once
#include <cstdint>
#include <vector>

// What the benchmark programs share: a series of per-frame figures, the
// display report, and the per-frame heap allocation count.

struct Series {
    const char* name;
    std::vector<double> values;
    double Percentile(double p) const;
    double Sum() const;
};

// Prints the OpenGL renderer and the screen's colour depth, and warns when the
// screen is not 24-bit: an 8-bit virtual screen makes the draw pass several
// times slower and the figures useless for comparison. Needs a current context.
void PrintDisplay();

// Counts heap allocations frame by frame: Begin before a frame, End after it.
class TAllocationSeries {
public:
    void Begin();
    void End(bool keep);
    // "heap allocations per frame: median m, mean x, max y (steady state)".
    void Print() const;

private:
    uint64_t start = 0;
    Series perFrame{"heap allocations", {}};
};
