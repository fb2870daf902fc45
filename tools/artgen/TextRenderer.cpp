#include "TextRenderer.h"

#include <algorithm>

namespace artgen {

Image renderText(const Image& font, const FontLayout& layout, std::string_view text, Rgba ink, Rgba paper)
{
    int lines = 1, longest = 0, current = 0;
    for (char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
        } else {
            longest = std::max(longest, ++current);
        }
    }
    Image out(std::max(1, longest * layout.advance + 2), lines * layout.lineHeight + 2);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.set(x, y, paper);

    int penX = 1, penY = 1;
    for (char c : text) {
        if (c == '\n') {
            penX = 1;
            penY += layout.lineHeight;
            continue;
        }
        int glyph = static_cast<unsigned char>(c);
        int gx = (glyph % layout.columns) * layout.cellWidth;
        int gy = (glyph / layout.columns) * layout.cellHeight;
        for (int y = 0; y < layout.cellHeight; ++y)
            for (int x = 0; x < layout.cellWidth; ++x)
                if (font.at(gx + x, gy + y).a >= 128)
                    out.set(penX + x, penY + y, ink);
        penX += layout.advance;
    }
    return out;
}

} // namespace artgen
