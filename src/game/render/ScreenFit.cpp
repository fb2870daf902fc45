#include "render/ScreenFit.h"
#include <algorithm>

TPictureRect FitPicture(int windowWidth, int windowHeight, TScreenScale scale)
{
    const float w = float(windowWidth), h = float(windowHeight);
    TPictureRect picture;
    const int multiple = std::min(windowWidth / 320, windowHeight / 240);
    if (scale == TScreenScale::Integer && multiple >= 1) {
        picture.width = 320.0f * float(multiple);
        picture.height = 240.0f * float(multiple);
    } else if (w > 0.0f && h / w <= 0.75f) {
        // Wider than 4:3: bars left and right.
        picture.height = h;
        picture.width = h * 4.0f / 3.0f;
    } else {
        // Taller than 4:3 (or degenerate): bars above and below.
        picture.width = w;
        picture.height = w * 3.0f / 4.0f;
    }
    picture.x = (w - picture.width) * 0.5f;
    picture.y = (h - picture.height) * 0.5f;
    // Whole pixels, so that every texel of an integer picture stays square.
    if (scale == TScreenScale::Integer && multiple >= 1) {
        picture.x = float(int(picture.x));
        picture.y = float(int(picture.y));
    }
    return picture;
}

TScreenScale ScreenScaleNamed(const std::string& name)
{
    return name == "integer" ? TScreenScale::Integer : TScreenScale::Fit;
}

void WindowPointToPicture(const TPictureRect& picture, int x, int y, float* pictureX, float* pictureY)
{
    *pictureX = picture.width > 0.0f ? (float(x) - picture.x) * 320.0f / picture.width : 0.0f;
    *pictureY = picture.height > 0.0f ? (float(y) - picture.y) * 240.0f / picture.height : 0.0f;
}
