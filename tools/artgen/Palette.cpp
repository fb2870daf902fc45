#include "Palette.h"

namespace artgen {

Palette::Palette()
{
    entries_['.'] = kTransparent;
}

bool Palette::usableKey(char key)
{
    return key > ' ' && key < 127 && key != '.' && key != '#';
}

bool Palette::define(char key, Rgba colour)
{
    if (!usableKey(key))
        return false;
    entries_[static_cast<unsigned char>(key)] = colour;
    return true;
}

std::optional<Rgba> Palette::find(char key) const
{
    auto index = static_cast<unsigned char>(key);
    if (index >= entries_.size())
        return std::nullopt;
    return entries_[index];
}

static int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<Rgba> Palette::parseHex(std::string_view text)
{
    if (text.size() != 6 && text.size() != 8)
        return std::nullopt;
    std::array<std::uint8_t, 4> channels{0, 0, 0, 255};
    for (std::size_t i = 0; i < text.size() / 2; ++i) {
        int hi = hexDigit(text[i * 2]);
        int lo = hexDigit(text[i * 2 + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        channels[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return Rgba{channels[0], channels[1], channels[2], channels[3]};
}

} // namespace artgen
