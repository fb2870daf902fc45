#include "core/screens/ControlsMenuState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "script/ScriptHost.h"
#include "ui/Easing.h"
#include "ui/Menu.h"
#include <algorithm>
#include <cctype>

namespace {
std::string UpperCase(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}

void TControlsMenuState::InitBindings()
{
    bindings.clear();
    for (const TDefaultBinding& row : DefaultBindings()) {
        int key = GetKeyBinding(row.action);
        if (key == 0) {
            key = row.defaultKey;
            SetKeyBinding(row.action, key);
        }
        bindings.push_back({row.text, row.action, key});
    }
}

void TControlsMenuState::Update()
{
    if (KeyPressed(SDLK_ESCAPE)) leaving = 1;
    if (leaving) {
        fade = static_cast<float>(fade - 0.1);
        if (fade < 0.0f) {
            fade = 0.0f;
            game->SetState("mainmenu");
        }
    } else {
        fade = static_cast<float>(fade + 0.1);
        if (fade > 1.0f) fade = 1.0f;
    }
}

void TControlsMenuState::Enter()
{
    ReleaseKey(SDLK_RETURN);
    fade = 0.0f;
    leaving = 0;
}

void TControlsMenuState::Navigate()
{
    const int count = static_cast<int>(bindings.size());
    const int half = count / 2;
    if (KeyPressed(SDLK_UP)) {
        if (selectedRow == 0 || selectedRow == half) leaving = 1;
        else --selectedRow;
    }
    if (KeyPressed(SDLK_DOWN) && selectedRow != half - 1) ++selectedRow;
    if (KeyPressed(SDLK_LEFT) && selectedRow >= half) selectedRow -= half;
    if (KeyPressed(SDLK_RIGHT) && selectedRow < half) selectedRow += half;
    selectedRow = std::clamp(selectedRow, 0, std::max(count - 1, 0));
}

void TControlsMenuState::DrawCursor(float y0, int frame) const
{
    const int count = static_cast<int>(bindings.size());
    const int half = count / 2;
    const int column = selectedRow >= half ? 1 : 0;
    const int row = selectedRow - column * count / 2;
    DrawSprite(FindSprite("spr_keyselect"), 36.0f + 154.0f * column, y0 + 44.0f + 11.0f * row, 0, frame);
}

void TControlsMenuState::DrawBindings(float y0) const
{
    const int count = static_cast<int>(bindings.size());
    const int half = count / 2;
    for (int i = 0; i < count; ++i) {
        const int column = i >= half ? 1 : 0;
        const int row = i - column * count / 2;
        const std::string label = UpperCase(bindings[i].text);
        const std::string name = UpperCase(KeyCodeName(bindings[i].key));
        const float y = y0 + 41.0f + 11.0f * row;
        const float x = 154.0f * column + 20.0f;
        SetColor(1, 1, 1, 1);
        DrawTextF(154.0f * column + 74.0f, y, "%s", label.c_str());
        DrawTextF(x, y, "%s", name.c_str());
        int w = 0, h = 0;
        MeasureText(name.c_str(), &w, &h);
        DrawThickLine(x - 2, y - 1, x + w + 1, y - 1, 1, 1, 1, 1, 2);
        DrawThickLine(x - 3, y + h, x + w + 1, y + h, 1, 1, 1, 1, 2);
        DrawThickLine(x - 3, y - 1, x - 2, y + h, 1, 1, 1, 1, 2);
        DrawThickLine(x + w + 2, y - 1, x + w + 2, y + h, 1, 1, 1, 1, 2);
    }
}

void TControlsMenuState::CaptureKey()
{
    if (!AnyKeyPressed()) return;
    const int code = LastKeyCode();
    if (code != SDLK_ESCAPE && selectedRow >= 0 && selectedRow < static_cast<int>(bindings.size())) {
        bindings[selectedRow].key = code;
        SetKeyBinding(bindings[selectedRow].action.c_str(), code);
    }
    waitingForKey = 0;
}

void TControlsMenuState::HandleKeys()
{
    if (waitingForKey) {
        CaptureKey();
        return;
    }
    Navigate();
    if (KeyPressed(SDLK_RETURN) && fade > 0.7f) {
        waitingForKey = 1;
        ClearAnyKeyPressed();
    }
}

void TControlsMenuState::DrawPass2()
{
    HandleKeys();
    // The 320 x 240 page is the upper-left quarter of the 640 x 480 frame that is
    // copied to the screen, so its coordinates are pixels of the 640 view, as
    // for the menu bar and the HUD. A 320 x 240 view would stretch it over the
    // whole frame, twice its size.
    SetScreenView640();
    SetBlendMode(2);
    const float y0 = CosineInterpolate(-240.0f, 0.0f, fade);
    DrawSprite(FindSprite("spr_keyselect_bg"), 160, y0 + 130, 0, 0);
    SetColor(1, 1, 1, 1);
    DrawBindings(y0);
    DrawCursor(y0, waitingForKey ? 1 : 0);
    if (game->menu) game->menu->Draw();
}
