#include "core/App.h"

int running = 1;
uint8_t windowed = 0;
float cameraZoom = 1.0f;
int frameNumber = 0;
int windowWidth = 640;
int windowHeight = 480;
SDL_Joystick* joystick = nullptr;
