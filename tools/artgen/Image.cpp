#include "Image.h"

namespace artgen {

Image::Image(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kTransparent);
}

bool Image::contains(int x, int y) const
{
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

Rgba Image::at(int x, int y) const
{
    if (!contains(x, y))
        return kTransparent;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Image::set(int x, int y, Rgba colour)
{
    if (!contains(x, y))
        return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

Image enlarged(const Image& image, int factor)
{
    if (factor < 1)
        return Image();
    Image out(image.width() * factor, image.height() * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.set(x, y, image.at(x / factor, y / factor));
    return out;
}

} // namespace artgen
