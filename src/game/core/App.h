#pragma once
#include <SDL/SDL.h>
#include <cstdint>

// Process-wide state of the application core.
extern int running;            // the frame loop runs while non-zero; ExitGame clears it
extern uint8_t windowed;       // first argument "-w": a resizable 640 x 480 window
extern float cameraZoom;       // camera scale, 0.05 .. 2.0
extern int frameNumber;        // incremented once per frame before the state update
extern int windowWidth;
extern int windowHeight;
extern SDL_Joystick* joystick; // joystick 0 as opened at start-up, or null
