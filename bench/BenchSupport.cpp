#include "BenchSupport.h"
#include "AllocationCounter.h"
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdio>

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
