#include "level/editor/EditorState.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/editor/FreeCamera.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "world/Physics.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeftButton = kMouseCodeBase + 1;
// More commands than any palette has; keeps a wild length from overflowing.
constexpr double kMaxCommands = 100000.0;

} // namespace

void TEditorState::Enter()
{
    cameraAngle = 0.0f;
}

int TEditorState::CommandCount()
{
    const ScriptValue length = GetTableField("edit_commands", "length");
    if (length.type != ScriptValue::Type::Number || !std::isfinite(length.number)) {
        // The editor cannot run without it; say so once, not every frame.
        if (!lengthReported) console.Append("editor: edit_commands.length must be a number\n");
        lengthReported = true;
        return -1;
    }
    lengthReported = false;
    return int(std::clamp(length.number, 0.0, kMaxCommands));
}

void TEditorState::Update()
{
    if (KeyPressed(SDLK_ESCAPE)) {
        game->SetState("mainmenu");
        return;
    }
    if (KeyPressed(SDLK_F10)) drawsShadows = !drawsShadows;
    if (console.visible) return;

    const int count = CommandCount();
    if (count < 0) return;
    Publish();
    if (KeyPressed(kLeftButton)) CallTableEntry("edit_commands", commandNumber, ScriptErrors::Silent);
    HandleKeys(count);
}

void TEditorState::Publish()
{
    SetGlobalNumber("edit_mousex", MouseWorldX() / kPixelsPerUnit);
    SetGlobalNumber("edit_mousey", MouseWorldY() / kPixelsPerUnit);
    SetGlobalNumber("edit_dir", -placementAngle);
    SetGlobalNumber("edit_type", commandNumber);
    SetGlobalNumber("edit_frame", previewFrame);
    // A wrong entry (not a sprite name) just leaves the command without a preview.
    const ScriptValue name = GetTableEntry("edit_sprites", commandNumber);
    previewSprite = name.type == ScriptValue::Type::String ? FindSprite(name.text) : nullptr;
}

void TEditorState::HandleKeys(int count)
{
    if (KeyPressed(SDLK_m)) ++commandNumber;
    if (KeyPressed(SDLK_n)) --commandNumber;
    if (commandNumber > count) commandNumber = 1;
    if (commandNumber < 1) commandNumber = std::max(count, 1);
    if (KeyPressed(SDLK_k)) ++previewFrame;
    if (KeyPressed(SDLK_j)) --previewFrame;

    if (KeyHeld(SDLK_u)) placementAngle -= kCoarseTurn;
    if (KeyHeld(SDLK_i)) placementAngle += kCoarseTurn;
    if (KeyHeld(SDLK_t)) placementAngle -= kFineTurn;
    if (KeyHeld(SDLK_y)) placementAngle += kFineTurn;
    PanCameraWithArrowKeys();

    const int frames = previewSprite ? previewSprite->frameCount : 0;
    if (previewFrame >= frames) previewFrame = 0;
    if (previewFrame < 0) previewFrame = std::max(frames - 1, 0);
}

void TEditorState::DrawPass1()
{
    TMenustate::DrawPass1();
    // The command's own preview draws in world pixels, like the world.
    const EntryCall drawn = CallTableEntry("edit_rendercmds", commandNumber, ScriptErrors::Console);
    if (drawn != EntryCall::NotAFunction) return;
    SetScreenView640();
    SetBlendMode(2);
    DrawSpriteScaled(previewSprite, float(MouseScreenX()), float(MouseScreenY()), placementAngle, 2.0f, 2.0f,
                     previewFrame);
}
