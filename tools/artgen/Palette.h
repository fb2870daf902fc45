#pragma once

#include "Image.h"

#include <array>
#include <optional>
#include <string_view>

namespace artgen {

// Maps single characters to colours. '.' is always transparent.
class Palette {
public:
    Palette();

    // False when the key cannot be a palette entry ('.', '#', whitespace,
    // non-printable characters).
    bool define(char key, Rgba colour);
    std::optional<Rgba> find(char key) const;

    static bool usableKey(char key);

    // "rrggbb" or "rrggbbaa", hex digits only.
    static std::optional<Rgba> parseHex(std::string_view text);

private:
    std::array<std::optional<Rgba>, 128> entries_;
};

} // namespace artgen
