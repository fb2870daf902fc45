#pragma once
#include <string>

class TSprite;

// The font: sprite "spr_font", frame n = glyph of character code n, 4-pixel
// advance, 7-pixel lines. Text is drawn in the current colour and blend mode.
extern TSprite* font;

void DrawTextLine(const char* text, float x, float y);
void DrawTextBlock(const char* text, float x, float y);
void DrawTextBlock(const std::string& text, float x, float y);
void DrawTextF(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void MeasureText(const char* text, int* width, int* height);

// Where each character of a text block goes: glyph i of a line at
// (x + 2 + 4i, y + 3) with frame (signed char)c, each next line 7 pixels lower.
// A line ends at a '\n' found from its second character on, so a '\n' that opens
// a line is drawn as a glyph of that line. DrawTextBlock draws exactly these.
// `place(x, y, frame)` is called once per glyph.
template <typename Place>
void ForEachGlyph(const char* text, float x, float y, Place&& place)
{
    if (!text) return;
    for (;;) {
        const char* end = text[0] ? text + 1 : text;
        while (*end && *end != '\n') ++end;
        for (int i = 0; text + i < end; ++i)
            place(x + 2.0f + 4.0f * float(i), y + 3.0f, int(static_cast<signed char>(text[i])));
        if (*end != '\n') return;
        text = end + 1;
        y += 7.0f;
    }
}
