#pragma once

// The frame budget: 30 frames per second.
constexpr double kFrameBudgetMs = 33.333332;

// Microseconds to sleep after a frame that took elapsedMs; 0 when over budget.
// A slow frame is not made up for: the game simply slows down under load.
long FrameSleepMicroseconds(double elapsedMs);
// Sleeps that long, rounded up to whole milliseconds.
void SleepRestOfFrame(double elapsedMs);
