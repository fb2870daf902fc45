#pragma once
#include "render/ScreenFit.h"
#include <cstdint>
#include <vector>

// Remembers the 320 x 240 frame that is on the screen, so that a frame
// exactly like it (an idle menu, a paused game) need not be stretched over
// the window and swapped again: at full screen that pass costs most of the
// frame. The picture the player sees stays the same.
class TShownFrame {
public:
    // Reads the frame just drawn from the back buffer. True when it, the
    // picture's place in the window and the resting distortion are all as on
    // the screen now; false whenever anything differs, and every
    // kRedrawFrames frames in any case.
    bool Unchanged(const TPictureRect& picture, int windowWidth, int windowHeight, bool distortionAtRest);
    // The next frame is drawn whatever it holds (the window was uncovered, say).
    void Forget() { known = false; }

    static constexpr int kRedrawFrames = 30;

private:
    std::vector<uint32_t> shown, drawn;
    TPictureRect shownPicture;
    int shownWidth = 0, shownHeight = 0;
    int framesKept = 0;
    bool known = false;
};
