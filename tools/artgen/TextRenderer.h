#pragma once

#include "Image.h"

#include <string_view>

namespace artgen {

// Draws text with a font sheet the way the game does: glyph n is cell n of
// the sheet, a fixed advance per character, a fixed line height. Used to
// check the font by eye and in tests.
struct FontLayout {
    int columns = 16;
    int cellWidth = 4;
    int cellHeight = 6;
    int advance = 4;
    int lineHeight = 7;
};

Image renderText(const Image& font, const FontLayout& layout, std::string_view text, Rgba ink, Rgba paper);

} // namespace artgen
