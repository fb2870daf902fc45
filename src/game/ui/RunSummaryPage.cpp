#include "ui/RunSummaryPage.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "ui/Summaries.h"

void DrawRunSummaryPage(const std::string& figures, float x, float y, float killsY,
                        const std::map<std::string, int>& kills)
{
    SetScreenView640();
    SetBlendMode(2);
    DrawRect(0, 0, 640, 480, true, 0, 0, 0, 1);
    SetColor(1, 1, 1, 1);
    DrawTextBlock(figures, x, y);
    DrawTextBlock("KILLS:", 160, killsY);
    int row = 0;
    for (const std::string& line : KillLines(kills))
        DrawTextBlock(line, 160, killsY + 7 + 7 * row++);
}
