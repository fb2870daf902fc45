#include "level/editor/SelectionEditor.h"
#include "level/ModuleFile.h"
#include "script/ScriptHost.h"
#include "world/CreationTransform.h"
#include "world/FloorBitmap.h"
#include "world/GameObject.h"
#include "world/MathUtil.h"
#include "world/MinimalObject.h"
#include "world/Physics.h"
#include "world/World.h"
#include <algorithm>
#include <box2d/box2d.h>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The editable bitmaps: the floor bitmaps still in use (a parked one is gone
// from the room and takes no part in a selection).
TFloorBitmap* Editable(TBitmap* bitmap)
{
    auto* floor = dynamic_cast<TFloorBitmap*>(bitmap);
    return floor && !floor->Parked() ? floor : nullptr;
}

// Turns point p by `angle` about `origin` the way the editor turns a selection.
b2Vec2 TurnedAbout(b2Vec2 p, b2Vec2 origin, float angle)
{
    const float r = Distance(p.x, p.y, origin.x, origin.y);
    const float theta = AngleBetween(p.x, p.y, origin.x, origin.y);
    return b2Vec2(origin.x + r * std::cos(angle - theta), origin.y + r * std::sin(angle - theta));
}

} // namespace

void TSelectionEditor::ClearSelection()
{
    for (TGameObject* object : world.objects) object->selected = 0;
    for (TBitmap* bitmap : world.bitmaps) bitmap->selected = 0;
}

void TSelectionEditor::SelectRectangle(b2Vec2 a, b2Vec2 b, bool adding)
{
    const b2Vec2 lo = b2Min(a, b);
    const b2Vec2 hi = b2Max(a, b);
    TModuleRect rect{kEmptySelectionBound, kEmptySelectionBound, -kEmptySelectionBound, -kEmptySelectionBound};
    auto consider = [&](uint8_t& selected, b2Vec2 p) {
        const bool inside = p.x > lo.x && p.x < hi.x && p.y > lo.y && p.y < hi.y;
        if ((adding && selected) || inside) {
            selected = 1;
            rect.minX = std::min(rect.minX, p.x);
            rect.minY = std::min(rect.minY, p.y);
            rect.maxX = std::max(rect.maxX, p.x);
            rect.maxY = std::max(rect.maxY, p.y);
        } else {
            selected = 0;
        }
    };
    for (TGameObject* object : world.objects)
        if (object->body) consider(object->selected, object->body->GetPosition());
    for (TBitmap* bitmap : world.bitmaps)
        if (TFloorBitmap* floor = Editable(bitmap)) consider(floor->selected, (1.0f / kPixelsPerUnit) * floor->centre);
    moduleRect = rect;
    saveOriginX = (rect.minX + rect.maxX) / 2.0f;
    saveOriginY = (rect.minY + rect.maxY) / 2.0f;
}

void TSelectionEditor::Move(float dxPixels, float dyPixels)
{
    const b2Vec2 pixels(dxPixels, dyPixels);
    const b2Vec2 units = (1.0f / kPixelsPerUnit) * pixels;
    for (TBitmap* bitmap : world.bitmaps)
        if (TFloorBitmap* floor = Editable(bitmap); floor && floor->selected)
            floor->Place(floor->centre + pixels, floor->angle);
    saveOriginX += units.x;
    saveOriginY += units.y;
    for (TGameObject* object : world.objects)
        if (object->selected && object->body)
            object->body->SetTransform(object->body->GetPosition() + units, object->body->GetAngle());
}

void TSelectionEditor::Turn(float angle)
{
    const b2Vec2 origin(saveOriginX, saveOriginY);
    for (TGameObject* object : world.objects) {
        if (!object->selected || !object->body) continue;
        const b2Vec2 p = TurnedAbout(object->body->GetPosition(), origin, angle);
        object->body->SetTransform(p, object->body->GetAngle() + angle);
    }
    // Bitmap angles run the other way round.
    const b2Vec2 originPixels = kPixelsPerUnit * origin;
    for (TBitmap* bitmap : world.bitmaps)
        if (TFloorBitmap* floor = Editable(bitmap); floor && floor->selected)
            floor->Place(TurnedAbout(floor->centre, originPixels, angle), floor->angle - angle);
}

void TSelectionEditor::Delete()
{
    for (TGameObject* object : world.objects) {
        if (!object->selected) continue;
        object->dead = 1;
        // Gone at once: in the steps below it must not push the copies that a
        // duplication left on top of it.
        if (object->body) object->body->SetEnabled(false);
    }
    for (TBitmap* bitmap : world.bitmaps) {
        if (!bitmap->selected) continue;
        bitmap->selected = 0;
        if (auto* floor = dynamic_cast<TFloorBitmap*>(bitmap)) floor->Park();
    }
    world.Step();
    world.Step();
}

void TSelectionEditor::Duplicate()
{
    // The lines first: the copies join the lists while the lines run.
    std::vector<std::string> lines;
    for (TGameObject* object : world.objects)
        if (object->selected) lines.push_back(object->GetCreateCommand());
    for (TBitmap* bitmap : world.bitmaps)
        if (bitmap->selected) lines.push_back(bitmap->GetCreateCommand());

    // Every line subtracts the save origin; the transform adds it back.
    const TCreationTransform saved = creationTransform;
    creationTransform.Set(saveOriginX, saveOriginY, 0.0f);
    for (const std::string& line : lines)
        if (!line.empty()) RunScriptString(line, ScriptErrors::Silent, "=duplicate");
    creationTransform = saved;
}

void TSelectionEditor::RaiseBitmap()
{
    auto first = std::find_if(world.bitmaps.begin(), world.bitmaps.end(), [](TBitmap* b) { return b->selected; });
    if (first != world.bitmaps.end()) world.bitmaps.splice(world.bitmaps.end(), world.bitmaps, first);
}

void TSelectionEditor::LowerBitmap()
{
    auto first = std::find_if(world.bitmaps.begin(), world.bitmaps.end(), [](TBitmap* b) { return b->selected; });
    if (first != world.bitmaps.end()) world.bitmaps.splice(world.bitmaps.begin(), world.bitmaps, first);
}
