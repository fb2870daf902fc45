#pragma once

// The item step pressed, watched. With the default keys the step is also
// "use", and beside a crate the game gives it to the crate: the selection
// stays where it was, however often the step is pressed.
class TItemStepWatch {
public:
    // Before a press, with the selection now and the caller's frame count:
    // true when the presses before left the selection where it was more than
    // kIgnoredStepsBeforeWalkOn times in a row (the count starts again; do
    // not press now). Else the press is noted and false.
    bool NotTaken(int selected, int frame);
    // Whether a press was noted on that frame.
    bool PressedAt(int frame) const { return pressFrame == frame; }

private:
    int from = -1;            // the selection at the last press
    int pressFrame = -1000;   // the frame of the last press
    int ignored = 0;          // presses in a row that left the selection where it was
};
