#include "ui/HudPlate.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "script/ScriptHost.h"
#include <cstring>

void DrawHudPlate(float x, float y, int characters, int lines)
{
    if (characters <= 0 || lines <= 0 || !GetSettingBool("hints")) return;
    // Glyph i is centred at x + 2 + 4i, its line 7 pixels high from y.
    SetBlendMode(2);
    DrawRect(x - 1.0f, y - 1.0f, x + 4.0f * float(characters) + 1.0f, y + 7.0f * float(lines), true, 0.0f, 0.0f, 0.0f,
             0.55f);
}

void DrawHudPlateFor(const char* text, float x, float y)
{
    if (text) DrawHudPlate(x, y, int(std::strlen(text)));
}
