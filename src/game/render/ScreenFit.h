#pragma once
#include <string>

// How the 320 x 240 picture fills the window. "fit" stretches it as far as
// the window allows at 4:3; "integer" takes the largest whole multiple of
// 320 x 240 that fits, for crisp pixels. Either is centred between black bars.
enum class TScreenScale { Fit, Integer };

// The picture's rectangle in window pixels, from the window's top left.
struct TPictureRect {
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
};

TPictureRect FitPicture(int windowWidth, int windowHeight, TScreenScale scale);

// "integer" or "fit" (anything else fits).
TScreenScale ScreenScaleNamed(const std::string& name);

// A window point (SDL's mouse coordinates) as a point of the 320 x 240
// picture; outside the picture the values run past its edges.
void WindowPointToPicture(const TPictureRect& picture, int x, int y, float* pictureX, float* pictureY);
