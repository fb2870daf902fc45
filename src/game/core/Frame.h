#pragma once

// One whole frame: zoom keys, events, update, draw, swap. The loop around it
// only measures and sleeps; tests and benchmarks call it directly.
void RunFrame();
// The update half: events, frame counter, screen states, developer keys.
void UpdateFrame();
// The draw half, up to (not including) the buffer swap. False when the frame
// is the one on the screen already and the window was left as it is: there
// is nothing to swap.
bool DrawFrame();
// The next frame is drawn and swapped whatever it holds (the window was
// uncovered or changed).
void RedrawWholeWindow();
