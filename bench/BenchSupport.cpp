#include "BenchSupport.h"
#include "AllocationCounter.h"
#include "BenchDirectory.h"
#include "core/Frame.h"
#include "core/Game.h"
#include "core/Startup.h"
#include "script/ScriptHost.h"
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <lua.hpp>

double Ms(BenchClock::time_point a, BenchClock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

bool Lua(const std::string& code)
{
    if (luaL_dostring(luaState, code.c_str()) == 0) return true;
    std::fprintf(stderr, "lua: %s\n", lua_tostring(luaState, -1));
    lua_pop(luaState, 1);
    return false;
}

std::filesystem::path BenchDataDirectory()
{
    if (const char* data = std::getenv("KORVANMIRE_DATA")) return data;
    return KORVANMIRE_DATA_DIR;
}

double Series::Percentile(double p) const
{
    if (values.empty()) return 0.0;
    std::vector<double> v = values;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

double Series::Sum() const
{
    double sum = 0.0;
    for (double v : values) sum += v;
    return sum;
}

void PrintDisplay()
{
    const GLubyte* renderer = glGetString(GL_RENDERER);
    std::printf("renderer: %s\n", renderer ? reinterpret_cast<const char*>(renderer) : "(none)");
    const SDL_Surface* screen = SDL_GetVideoSurface();
    GLint red = 0, green = 0, blue = 0;
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    const int depth = red + green + blue;
    std::printf("colour depth: %d bits (window surface %d bits per pixel)\n", depth,
                screen && screen->format ? screen->format->BitsPerPixel : 0);
    if (depth < 24)
        std::printf("WARNING: not a 24-bit screen; run under "
                    "scripts/xvfb-run.sh for comparable figures\n");
}

void TAllocationSeries::Begin()
{
    start = HeapAllocationCount();
}

void TAllocationSeries::End(bool keep)
{
    if (keep) perFrame.values.push_back(double(HeapAllocationCount() - start));
}

void TAllocationSeries::Print() const
{
    const double mean = perFrame.values.empty() ? 0.0 : perFrame.Sum() / double(perFrame.values.size());
    std::printf("heap allocations per frame (steady state): median %.0f, mean %.2f, max %.0f\n",
                perFrame.Percentile(0.5), mean, perFrame.Percentile(1.0));
}

TFrameLoop::TFrameLoop(int frames, int warmUp, const char* updateName, const char* drawName)
    : frames(frames), warmUp(warmUp), updateHalf{updateName, {}}, drawHalf{drawName, {}}
{
    for (Series* s : {&whole, &updateHalf, &drawHalf}) s->values.reserve(size_t(frames));
}

void TFrameLoop::GameUpdate()
{
    UpdateFrame();
}

void TFrameLoop::GameDraw()
{
    if (DrawFrame()) SDL_GL_SwapBuffers();
    glFinish();
}

bool StartBenchGame(const char* name, const std::string& levelCode)
{
    setenv("KORVANMIRE_SEED", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    game = new TGame();
    // Kept for the whole run, as a program's argv is.
    static std::string program;
    program = name;
    // KORVANMIRE_BENCH_FULLSCREEN: the scene at the screen's own size, as a
    // player starts the game; else in the 640 x 480 window.
    char windowedFlag[] = "-w";
    const bool fullScreen = std::getenv("KORVANMIRE_BENCH_FULLSCREEN") != nullptr;
    char* startArgs[] = {program.data(), fullScreen ? nullptr : windowedFlag, nullptr};
    if (!StartGame(fullScreen ? 1 : 2, startArgs)) {
        std::fprintf(stderr, "the game could not start (no display?)\n");
        return false;
    }
    if (!Lua(levelCode)) return false;
    RunFrame();
    return true;
}

void FinishGameBench(const TFrameLoop& loop, TBenchDirectory& work)
{
    loop.allocations.Print();
    std::printf("median frame %.3f ms: %s the 16.7 ms budget\n", loop.whole.Percentile(0.5),
                loop.whole.Percentile(0.5) < 16.7 ? "within" : "over");
    work.Remove();
    std::fflush(stdout);
    std::_Exit(0);
}
