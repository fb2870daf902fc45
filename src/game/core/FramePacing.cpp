#include "core/FramePacing.h"
#include <SDL/SDL.h>

long FrameSleepMicroseconds(double elapsedMs)
{
    if (!(elapsedMs < kFrameBudgetMs)) return 0;
    return static_cast<long>((kFrameBudgetMs - elapsedMs) * 1000.0);
}

void SleepRestOfFrame(double elapsedMs)
{
    long micros = FrameSleepMicroseconds(elapsedMs);
    if (micros <= 0) return;
    SDL_Delay(static_cast<Uint32>((micros + 999) / 1000));
}
