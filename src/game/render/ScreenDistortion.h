#pragma once

// The full-screen distortion layer through which the 320 x 240 frame is stretched
// onto the window. Game code only pushes impulses; Draw() runs once per frame.
// Points are world pixels; channel 0, 1, 2 displaces red, green, blue.
class TScreenDistortion {
public:
    TScreenDistortion(int windowWidth, int windowHeight);
    virtual ~TScreenDistortion() = default;

    virtual void AddRadial(float x, float y, float strength, int channel) = 0;
    virtual void AddDirectional(float x, float y, float dx, float dy, float size, int channel) = 0;
    virtual void AddStreak(float x, float y, float dx, float dy, float size, int channel);
    virtual void Draw() = 0;

    // Stores the window size and fits a 4:3 letterbox into it.
    void SetWindowSize(int width, int height);

    // True while nothing is displaced: Draw then shows the frame with one plain
    // textured quad instead of the full distortion pass.
    bool AtRest() const { return atRest; }

    // Runs the full pass even at rest; lets a check compare the two pictures.
    bool alwaysDistort = false;

    float xOffset = 0, yOffset = 0, height = 0, width = 0;
    float windowWidth = 0, windowHeight = 0;

protected:
    // The frame block of the display texture over the letterbox, untouched:
    // what the distortion pass shows when nothing is displaced.
    void DrawUndistorted();
    // One quad over the letterbox carrying the display texture's frame block.
    void DrawFrameBlockQuad() const;

    bool atRest = true;
};

// The distortion object of the run, created by InitGraphics.
extern TScreenDistortion* screenDistortion;
