#pragma once

#include <cstdint>
#include <vector>

namespace artgen {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;

    bool operator==(const Rgba&) const = default;
    bool transparent() const { return a == 0; }
};

inline constexpr Rgba kTransparent{0, 0, 0, 0};

// A plain RGBA bitmap. Reads outside the bitmap give transparent, writes
// outside it are ignored, so drawing code never has to clip by hand.
class Image {
public:
    Image() = default;
    Image(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    bool contains(int x, int y) const;

    Rgba at(int x, int y) const;
    void set(int x, int y, Rgba colour);

    const std::vector<Rgba>& pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

// Every pixel becomes a factor x factor square: pixel art at a larger size
// (the application icons). A factor below 1 gives an empty image.
Image enlarged(const Image& image, int factor);

} // namespace artgen
