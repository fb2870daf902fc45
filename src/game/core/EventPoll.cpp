#include "core/EventPoll.h"
#include "core/InputReplay.h"
#include "core/InputTables.h"
#include "render/Graphics.h"
#include <SDL/SDL.h>

void PollEvents()
{
    inputTables.BeginFrame();
    inputReplay.PushEventsForFrame();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (inputTables.HandleEvent(event)) OnVideoResize(event.resize.w, event.resize.h);
    }
}
