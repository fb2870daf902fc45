#pragma once

#include "Image.h"

namespace artgen {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// The drawing operations art files can use besides literal pixel rows.
// Every operation replaces pixels; nothing is alpha-blended.
class Painter {
public:
    explicit Painter(Image& image) : image_(image) {}

    void fill(Rect r, Rgba colour);
    // 1-pixel border just inside the rectangle.
    void border(Rect r, Rgba colour);
    // Linear blend from `from` to `to`, top to bottom or left to right.
    void gradient(Rect r, Rgba from, Rgba to, bool vertical);
    // Soft disc: colour everywhere inside the radius, alpha scaled by a
    // smoothstep falloff from 1 at `inner` (the solid core) to 0 at the
    // radius. Pixel centres sit at +0.5, so a 64x64 blob is centred at
    // (32, 32).
    void radial(double cx, double cy, double radius, double inner, Rgba colour);
    // Recolours pixels equal to `match` with a top-to-bottom blend, keeping
    // their alpha.
    void recolour(Rect r, Rgba match, Rgba from, Rgba to);
    // Transparent pixels inside the rectangle that touch an opaque one
    // (4-neighbourhood, or 8 with `diagonal`) become `colour`. With a cell
    // size the line stays inside each cell (frame) and off its edge pixels.
    void outline(Rect r, Rgba colour, bool diagonal, int cellWidth = 0, int cellHeight = 0);
    // Each opaque pixel in the rectangle casts `colour` onto the pixel
    // (dx, dy) away from it, if that one is transparent.
    void shadow(Rect r, int dx, int dy, Rgba colour);

    static Rgba blend(Rgba from, Rgba to, double t);
    static double falloff(double distance, double radius, double inner = 0.0);

private:
    Image& image_;
};

} // namespace artgen
