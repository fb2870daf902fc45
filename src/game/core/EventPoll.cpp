#include "core/EventPoll.h"
#include "core/Frame.h"
#include "core/replay/InputReplay.h"
#include "core/InputTables.h"
#include "core/App.h"
#include "core/replay/RunOptions.h"
#include "core/replay/RunRecorder.h"
#include "autoplay/AutoPlayer.h"
#include "render/Graphics.h"
#include <SDL/SDL.h>

void PollEvents()
{
    inputTables.BeginFrame();
    inputReplay.PushEventsForFrame();
    if (runOptions.autoplay) autoPlayer.PushEventsForFrame();
    const int frame = frameNumber + 1;  // the frame about to be counted
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        runRecorder.Note(frame, event);
        // The window's close button ends the game as the menu's "exit" does.
        if (event.type == SDL_QUIT) running = 0;
        if (inputTables.HandleEvent(event)) OnVideoResize(event.resize.w, event.resize.h);
        // Uncovered or resized: the window is drawn again even if the frame is not new.
        if (event.type == SDL_VIDEOEXPOSE || event.type == SDL_VIDEORESIZE || event.type == SDL_ACTIVEEVENT)
            RedrawWholeWindow();
    }
    runRecorder.NotePointer(frame, MouseWorldX(), MouseWorldY());
}
