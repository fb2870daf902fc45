#include "level/editor/EditorState2.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/editor/FreeCamera.h"
#include "level/editor/SelectionEditor.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "script/Console.h"
#include "world/FloorBitmap.h"
#include "world/GameObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <GL/gl.h>
#include <box2d/box2d.h>

namespace {

constexpr int kLeftButton = kMouseCodeBase + 1;
constexpr int kMiddleButton = kMouseCodeBase + 2;
constexpr int kRightButton = kMouseCodeBase + 3;

// The box drawn round a selected object: its first fixture's bounds, or a
// tenth of a unit from its position when it has no fixture (world units).
b2AABB MarkerBox(const b2Body& body)
{
    b2AABB box;
    if (const b2Fixture* fixture = body.GetFixtureList()) {
        fixture->GetShape()->ComputeAABB(&box, body.GetTransform(), 0);
    } else {
        box.lowerBound = body.GetPosition();
        box.upperBound = body.GetPosition() + b2Vec2(0.1f, 0.1f);
    }
    return box;
}

} // namespace

void TEditorState2::Enter()
{
    cameraAngle = 0.0f;
}

void TEditorState2::Update()
{
    if (KeyPressed(SDLK_ESCAPE)) {
        game->SetState("mainmenu");
        return;
    }
    if (console.visible || !game->world) return;
    Edit();
}

void TEditorState2::Edit()
{
    TSelectionEditor selection(*game->world);
    if (KeyPressed(SDLK_F10)) drawsShadows = !drawsShadows;
    PanCameraWithArrowKeys();
    editCursor.Set(MouseWorldX() / kPixelsPerUnit, MouseWorldY() / kPixelsPerUnit);

    if (KeyPressed(SDLK_q)) selection.RaiseBitmap();
    if (KeyPressed(SDLK_w)) selection.LowerBitmap();

    const bool adding = KeyHeld(SDLK_LSHIFT);
    if (KeyPressed(kLeftButton)) {
        if (!adding) selection.ClearSelection();
        anchor = editCursor;
    }
    if (KeyHeld(kLeftButton)) selection.SelectRectangle(anchor, editCursor, adding);

    const int mouseX = MouseScreenX();
    const int mouseY = MouseScreenY();
    if (KeyHeld(kRightButton))
        selection.Move(float(mouseX - lastMouseX) * kMovePerScreenPixel, float(mouseY - lastMouseY) * kMovePerScreenPixel);
    if (KeyHeld(kMiddleButton)) selection.Turn(float(mouseY - lastMouseY) * kTurnPerScreenPixel);

    if (KeyPressed(SDLK_DELETE)) selection.Delete();
    if (KeyPressed(SDLK_RETURN)) selection.Duplicate();
    lastMouseX = mouseX;
    lastMouseY = mouseY;
}

void TEditorState2::DrawPass1()
{
    TMenustate::DrawPass1();
    if (game->world) DrawSelection();
    SetBlendMode(2);
    DrawSprite(FindSprite("spr_sihik"), kPixelsPerUnit * editCursor.x, kPixelsPerUnit * editCursor.y, 0.0f, 0);
    if (KeyHeld(kLeftButton)) {
        const b2Vec2 a = kPixelsPerUnit * anchor;
        const b2Vec2 b = kPixelsPerUnit * editCursor;
        DrawRect(a.x, a.y, b.x, b.y, false, 1.0f, 1.0f, 1.0f, 1.0f);
    }
}

void TEditorState2::DrawSelection() const
{
    for (TBitmap* bitmap : game->world->bitmaps) {
        auto* floor = dynamic_cast<TFloorBitmap*>(bitmap);
        if (!floor || !floor->selected) continue;
        SetBlendMode(floor->hasAlphaBlend ? 2 : 4);
        BindTexture(0);
        SetColor(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_LINE_LOOP);
        for (const b2Vec2& corner : floor->corners) glVertex2f(corner.x, corner.y);
        glEnd();
    }
    SetBlendMode(4);
    for (TGameObject* object : game->world->objects) {
        if (!object->selected || !object->body) continue;
        const b2AABB box = MarkerBox(*object->body);
        DrawRect(kPixelsPerUnit * box.lowerBound.x, kPixelsPerUnit * box.lowerBound.y,
                 kPixelsPerUnit * box.upperBound.x, kPixelsPerUnit * box.upperBound.y, false, 1.0f, 0.0f, 0.0f, 1.0f);
    }
}

void TEditorState2::DrawPass2()
{
    SetScreenView640();
    SetBlendMode(2);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    DrawTextF(0.0f, 0.0f, "mx=%f\nmy=%f", MouseWorldX() / kPixelsPerUnit, MouseWorldY() / kPixelsPerUnit);
}
