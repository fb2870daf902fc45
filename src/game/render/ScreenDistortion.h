#pragma once
#include "render/ScreenFit.h"

// The full-screen distortion layer through which the 320 x 240 frame is stretched
// onto the window. Game code only pushes impulses; Draw() runs once per frame.
// Points are world pixels; channel 0, 1, 2 displaces red, green, blue.
class TScreenDistortion {
public:
    TScreenDistortion(int windowWidth, int windowHeight);
    virtual ~TScreenDistortion() = default;

    // Impulses at the share `strength` of their size; none at all at 0.
    void AddRadial(float x, float y, float radialStrength, int channel);
    void AddDirectional(float x, float y, float dx, float dy, float size, int channel);
    void AddStreak(float x, float y, float dx, float dy, float size, int channel);
    virtual void Draw() = 0;

    // Stores the window size and fits the picture into it at the scale in use.
    void SetWindowSize(int width, int height);
    void SetScale(TScreenScale scale);
    // Where the picture lies in the window.
    TPictureRect Picture() const { return {xOffset, yOffset, width, height}; }

    // Every impulse is added at this share of its strength (the player's
    // "distortion" setting); at 0 nothing is displaced at all.
    float strength = 1.0f;

    // True while nothing is displaced: Draw then shows the frame with one plain
    // textured quad instead of the full distortion pass.
    bool AtRest() const { return atRest; }
    // At rest with nothing waiting to be displaced: Draw would show the frame untouched.
    virtual bool Idle() const { return atRest && !alwaysDistort; }

    // Runs the full pass even at rest; lets a check compare the two pictures.
    bool alwaysDistort = false;

    float xOffset = 0, yOffset = 0, height = 0, width = 0;
    float windowWidth = 0, windowHeight = 0;

protected:
    // The impulses at full strength, as each kind of layer displaces.
    virtual void PushRadial(float x, float y, float radialStrength, int channel) = 0;
    virtual void PushDirectional(float x, float y, float dx, float dy, float size, int channel) = 0;
    virtual void PushStreak(float x, float y, float dx, float dy, float size, int channel);

    // The frame block of the display texture over the letterbox, untouched:
    // what the distortion pass shows when nothing is displaced.
    void DrawUndistorted();
    // One quad over the letterbox carrying the display texture's frame block.
    void DrawFrameBlockQuad() const;

    bool atRest = true;
    TScreenScale scale = TScreenScale::Fit;
};

// The distortion object of the run, created by InitGraphics.
extern TScreenDistortion* screenDistortion;
