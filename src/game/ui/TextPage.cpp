#include "ui/TextPage.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "ui/Easing.h"

float TextPageOffset(float slide)
{
    return CosineInterpolate(-240.0f, 0.0f, slide);
}

void DrawTextPage(const std::string& text, float slide)
{
    const float v = TextPageOffset(slide);
    DrawRect(0.0f, 0.0f, 320.0f, 240.0f + v, true, 0.0f, 0.0f, 0.0f, 0.8f);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    DrawTextBlock(text, 45.0f, v + 40.0f);
}
