#pragma once

// One whole frame: zoom keys, events, update, draw, swap. The loop around it
// only measures and sleeps; tests and benchmarks call it directly.
void RunFrame();
// The update half: events, frame counter, screen states, developer keys.
void UpdateFrame();
// The draw half, up to (not including) the buffer swap.
void DrawFrame();
