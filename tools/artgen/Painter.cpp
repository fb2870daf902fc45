#include "Painter.h"

#include <algorithm>
#include <cmath>

namespace artgen {

void Painter::fill(Rect r, Rgba colour)
{
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            image_.set(x, y, colour);
}

void Painter::border(Rect r, Rgba colour)
{
    if (r.w <= 0 || r.h <= 0)
        return;
    for (int x = r.x; x < r.x + r.w; ++x) {
        image_.set(x, r.y, colour);
        image_.set(x, r.y + r.h - 1, colour);
    }
    for (int y = r.y; y < r.y + r.h; ++y) {
        image_.set(r.x, y, colour);
        image_.set(r.x + r.w - 1, y, colour);
    }
}

Rgba Painter::blend(Rgba from, Rgba to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
    };
    return Rgba{mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b), mix(from.a, to.a)};
}

double Painter::falloff(double distance, double radius, double inner)
{
    if (distance >= radius)
        return 0.0;
    if (distance <= inner)
        return 1.0;
    double t = std::clamp((radius - distance) / (radius - inner), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

void Painter::gradient(Rect r, Rgba from, Rgba to, bool vertical)
{
    int steps = vertical ? r.h : r.w;
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            int i = vertical ? y - r.y : x - r.x;
            double t = steps > 1 ? double(i) / double(steps - 1) : 0.0;
            image_.set(x, y, blend(from, to, t));
        }
    }
}

void Painter::radial(double cx, double cy, double radius, double inner, Rgba colour)
{
    int x0 = static_cast<int>(std::floor(cx - radius));
    int x1 = static_cast<int>(std::ceil(cx + radius));
    int y0 = static_cast<int>(std::floor(cy - radius));
    int y1 = static_cast<int>(std::ceil(cy + radius));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d >= radius)
                continue;
            Rgba c = colour;
            c.a = static_cast<std::uint8_t>(std::lround(colour.a * falloff(d, radius, inner)));
            image_.set(x, y, c);
        }
    }
}

void Painter::recolour(Rect r, Rgba match, Rgba from, Rgba to)
{
    for (int y = r.y; y < r.y + r.h; ++y) {
        double t = r.h > 1 ? double(y - r.y) / double(r.h - 1) : 0.0;
        Rgba c = blend(from, to, t);
        for (int x = r.x; x < r.x + r.w; ++x) {
            Rgba old = image_.at(x, y);
            if (!image_.contains(x, y) || !(old == match))
                continue;
            c.a = old.a;
            image_.set(x, y, c);
        }
    }
}

void Painter::outline(Rect r, Rgba colour, bool diagonal, int cellWidth, int cellHeight)
{
    const Image before = image_;
    // On a sheet the line stays inside each frame and off its edge pixels:
    // sprites are drawn rotated and filtered, so a pixel on a frame's edge
    // would smear into the next frame.
    const bool cells = cellWidth > 0 && cellHeight > 0;
    auto onCellEdge = [&](int x, int y) {
        const int cx = x % cellWidth, cy = y % cellHeight;
        return cx == 0 || cy == 0 || cx == cellWidth - 1 || cy == cellHeight - 1;
    };
    auto sameCell = [&](int x1, int y1, int x2, int y2) {
        return x1 / cellWidth == x2 / cellWidth && y1 / cellHeight == y2 / cellHeight;
    };
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            if (!image_.contains(x, y) || !before.at(x, y).transparent())
                continue;
            if (cells && onCellEdge(x, y))
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy) {
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    if ((dx == 0 && dy == 0) || (!diagonal && dx != 0 && dy != 0))
                        continue;
                    if (cells && !sameCell(x, y, x + dx, y + dy))
                        continue;
                    touches = !before.at(x + dx, y + dy).transparent();
                }
            }
            if (touches)
                image_.set(x, y, colour);
        }
    }
}

void Painter::shadow(Rect r, int dx, int dy, Rgba colour)
{
    const Image before = image_;
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            if (before.at(x, y).transparent())
                continue;
            if (before.at(x + dx, y + dy).transparent())
                image_.set(x + dx, y + dy, colour);
        }
    }
}

} // namespace artgen
