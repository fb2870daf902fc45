#pragma once

// Once per frame: clears the per-frame input tables, feeds the input replay's
// events for this frame, then applies every pending SDL event. Closing the
// window ends the game.
void PollEvents();
