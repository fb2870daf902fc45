#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TBenchDirectory;

// What the benchmark programs share: a series of per-frame figures, the
// display report, the per-frame heap allocation count, the measured frame
// loop, and starting and leaving the real game.

using BenchClock = std::chrono::steady_clock;

// Milliseconds from a to b.
double Ms(BenchClock::time_point a, BenchClock::time_point b);

// Runs Lua code in the game's state; false, with the error on stderr, when it fails.
bool Lua(const std::string& code);

// The game data a benchmark copies: $KORVANMIRE_DATA, else the repository's data/.
std::filesystem::path BenchDataDirectory();

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

// How long the two timed halves of one frame took, in milliseconds.
struct FrameTimes {
    double update;
    double draw;
};

// The measured frame loop: warm-up frames first, then the measured ones. Each
// frame runs before(frame) untimed, then update() and draw() on the clock with
// their heap allocations counted; after a measured frame the whole, update and
// draw series take its times and measured(frame, times) runs.
class TFrameLoop {
public:
    TFrameLoop(int frames, int warmUp, const char* updateName, const char* drawName);

    template <typename Before, typename Update, typename Draw, typename Measured>
    void Run(Before before, Update update, Draw draw, Measured measured)
    {
        for (int frame = 0; frame < frames + warmUp; ++frame) {
            before(frame);
            allocations.Begin();
            const auto t0 = BenchClock::now();
            update();
            const auto t1 = BenchClock::now();
            draw();
            const auto t2 = BenchClock::now();
            allocations.End(frame >= warmUp);
            if (frame < warmUp) continue;
            const FrameTimes times{Ms(t0, t1), Ms(t1, t2)};
            whole.values.push_back(Ms(t0, t2));
            updateHalf.values.push_back(times.update);
            drawHalf.values.push_back(times.draw);
            measured(frame, times);
        }
    }

    // Whole frames as the game runs them: UpdateFrame, then DrawFrame and the
    // buffer swap (finished before the clock is read).
    template <typename Before, typename Measured>
    void RunGame(Before before, Measured measured)
    {
        Run(before, GameUpdate, GameDraw, measured);
    }

    const int frames;
    const int warmUp;
    Series whole{"whole frame", {}};
    Series updateHalf;
    Series drawHalf;
    TAllocationSeries allocations;

private:
    static void GameUpdate();
    static void GameDraw();
};

// Starts the real game windowed (seed 1 unless KORVANMIRE_SEED says otherwise,
// silent audio) in the current directory, runs `levelCode` and one frame.
// False, with a message, when the game cannot start or the code fails.
bool StartBenchGame(const char* name, const std::string& levelCode);

// Prints the heap allocations and whether the median frame keeps to the
// 16.7 ms budget, removes the benchmark's directory and leaves at once: the
// game's objects reach into SDL and the script host, so they are not torn
// down one by one.
[[noreturn]] void FinishGameBench(const TFrameLoop& loop, TBenchDirectory& work);
