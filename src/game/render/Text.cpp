#include "render/Text.h"
#include "render/SpriteBatch.h"
#include "render/SpriteDraw.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

TSprite* font = nullptr;

void DrawTextLine(const char* text, float x, float y)
{
    if (!text) return;
    TSpriteBatchScope glyphs;
    for (int i = 0; text[i]; ++i)
        DrawSpriteNoTint(font, x + 2.0f + 4.0f * float(i), y + 3.0f, 0.0f,
                         int(static_cast<signed char>(text[i])), 1.0f, 1.0f);
}

void DrawTextBlock(const char* text, float x, float y)
{
    TSpriteBatchScope glyphs;
    ForEachGlyph(text, x, y, [](float gx, float gy, int frame) {
        DrawSpriteNoTint(font, gx, gy, 0.0f, frame, 1.0f, 1.0f);
    });
}

void DrawTextBlock(const std::string& text, float x, float y)
{
    DrawTextBlock(text.c_str(), x, y);
}

void DrawTextF(float x, float y, const char* format, ...)
{
    if (!format) return;
    char buffer[2048];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    DrawTextBlock(buffer, x, y);
}

void MeasureText(const char* text, int* width, int* height)
{
    int lines = 0;
    int firstLine = 0;
    if (text) {
        const char* p = text;
        for (;;) {
            const char* end = p[0] ? p + 1 : p;
            while (*end && *end != '\n') ++end;
            if (lines == 0) firstLine = int(end - p);
            ++lines;
            if (*end != '\n') break;
            p = end + 1;
        }
    }
    if (width) *width = 4 * firstLine;
    if (height) *height = 7 * lines;
}
