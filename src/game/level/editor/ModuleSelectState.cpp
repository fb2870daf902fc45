#include "level/editor/ModuleSelectState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "player/Player.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Text.h"
#include "script/ScriptHost.h"
#include "util/LuaQuoted.h"
#include "world/Physics.h"
#include "world/World.h"
#include <algorithm>

namespace {

constexpr float kCellWidth = 80.0f;
constexpr float kCellHeight = 6.0f;

} // namespace

void TModuleSelectState::Update()
{
    if (KeyPressed(SDLK_ESCAPE)) game->SetState("mainmenu");
}

int TModuleSelectState::Navigate()
{
    if (KeyPressed(SDLK_UP)) row -= 1;
    if (KeyPressed(SDLK_DOWN)) row += 1;
    if (KeyPressed(SDLK_LEFT)) column -= 1;
    if (KeyPressed(SDLK_RIGHT)) column += 1;

    if (KeyHeld(SDLK_UP)) scrollSpeed -= kModuleListScrollStep;
    if (KeyHeld(SDLK_DOWN)) scrollSpeed += kModuleListScrollStep;
    if (!KeyHeld(SDLK_UP) && !KeyHeld(SDLK_DOWN)) scrollSpeed = 0.0f;
    row += int(scrollSpeed);

    column = std::clamp(column, 0, kModuleListColumns - 1);
    row = std::clamp(row, 0, kModuleListRows - 1);

    const size_t chosen = size_t(row + kModuleListRows * column);
    if (KeyPressed(SDLK_RETURN) && chosen < game->moduleNames.size()) return int(chosen);
    return -1;
}

void TModuleSelectState::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    DrawRect(0.0f, 0.0f, 640.0f, 480.0f, true, 0.0f, 0.0f, 0.0f, 0.7f);

    const int chosen = Navigate();

    DrawRect(kCellWidth * float(column), kCellHeight * float(row), kCellWidth * float(column + 1),
             kCellHeight * float(row + 1), true, 1.0f, 1.0f, 1.0f, 0.3f);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    const std::vector<std::string>& names = game->moduleNames;
    for (size_t i = 0; i < names.size(); ++i)
        DrawTextLine(names[i].c_str(), kCellWidth * float(i / kModuleListRows), kCellHeight * float(i % kModuleListRows));

    // Last: building the room clears the world and switches the screen.
    if (chosen >= 0) Open(names[size_t(chosen)]);
}

void TModuleSelectState::Open(const std::string& name)
{
    if (!game->world) return;
    game->world->Clear();
    const std::string quoted = LuaQuoted(name);
    RunScriptString("PlaceModule(0,0,0," + quoted + ") mname=" + quoted, ScriptErrors::Console, "=moduleselect");
    new TPlayer(MouseWorldX() / kPixelsPerUnit, MouseWorldY() / kPixelsPerUnit);
    game->SetState("editor2");
}
