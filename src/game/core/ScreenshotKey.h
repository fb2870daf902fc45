#pragma once
#include <ctime>
#include <string>

// F9: the frame as a PNG in screenshots/ among the player's own files.

// "korvanmire-2026-12-08-153012.png" for that local time; a second picture
// in the same second gets "-2", "-3", ... before the extension.
std::string ScreenshotFileName(std::time_t when, int sameSecondCount);

// Writes the back buffer's frame and tells the console where it went.
void SaveScreenshotFromKey();
