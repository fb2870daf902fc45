#include "player/items/Item.h"
#include "script/ScriptHost.h"
#include "audio/Mixer.h"
#include "core/App.h"
#include "player/Actor.h"
#include "player/items/Container.h"
#include "player/input/InputDevice.h"
#include "player/Player.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "util/LuaQuoted.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Body of an item: a light sensor circle that slides to a stop.
constexpr float kItemRadius = 0.2f;
constexpr float kItemMass = 0.25f;
constexpr float kItemLinearDamping = 3.5f;
constexpr float kItemAngularDamping = 10.0f;
// Drag of a kicked item against walls and enemies.
constexpr float kItemDrag = 0.1f;

} // namespace

float TItem::ColorChannel(double value)
{
    return value == 0.0 ? 1.0f : float(value);
}

bool TItem::ReadEntry(const std::string& name, Entry* out, std::string* error)
{
    std::optional<TScriptTable> table = TScriptTable::ReadEntry("itemtable", name);
    if (!table) {
        std::fprintf(stderr, "ERROR: cannot create item \"%s\"! \n", name.c_str());
        if (error) *error = "itemtable[\"" + name + "\"] is not defined";
        return false;
    }
    Entry e;
    e.name = name;
    double r = 0.0, g = 0.0, b = 0.0;
    if (!table->GetInteger("frame", &e.frame, error) ||
        !table->GetString("invtext", &e.invText, error) ||
        !table->GetString("longtext", &e.longText, error) ||
        !table->GetString("shortcutkey", &e.shortcutKey, error) ||
        !table->GetString("sprite", &e.spriteName, error) ||
        !table->GetNumber("r", &r, error) || !table->GetNumber("g", &g, error) ||
        !table->GetNumber("b", &b, error))
        return false;
    e.r = ColorChannel(r);
    e.g = ColorChannel(g);
    e.b = ColorChannel(b);
    e.table = std::move(*table);
    if (out) *out = std::move(e);
    return true;
}

TItem::TItem(float x, float y, const Entry& entry)
    : itemName(entry.name),
      invText(entry.invText),
      longText(entry.longText),
      shortcutKey(entry.shortcutKey),
      colorR(entry.r),
      colorG(entry.g),
      colorB(entry.b)
{
    if (entry.table.Has("class")) entry.table.GetString("class", &itemClass, nullptr);
    collision = kCollisionModeSolid;
    body = CreateCircleBody(kItemRadius, kItemMass, true, this, kItemLinearDamping,
                            kItemAngularDamping);
    SetDepth(kItemDepth);
    blinkPhase = std::rand() % 30;
    SetPosition(b2Vec2(x, y));
    if (body) body->SetTransform(body->GetPosition(), -float(std::rand() % 10));
    frame = float(entry.frame);
    sprite = FindSprite(entry.spriteName);
    typeName = entry.name;
}

TItem::~TItem()
{
    if (container) container->Forget(this);
}

TActor* TItem::Holder() const
{
    return container ? container->owner : nullptr;
}

void TItem::Update()
{
    if (!inContainer) {
        UpdateOnGround();
        return;
    }
    TActor* holder = Holder();
    UpdateCarried(holder && holder->GetCurrentItem() == this);
}

void TItem::Draw()
{
    if (inContainer || !sprite) return;
    const b2Vec2 p = GetPosition();
    const int f = frame >= 0.0f && frame < 2147483520.0f ? int(frame) : -1;
    DrawSprite(sprite, p.x * kPixelsPerUnit, p.y * kPixelsPerUnit, -GetAngle(), f);
}

void TItem::DrawLate()
{
    DrawFloorMarker();
}

void TItem::DrawFloorMarker()
{
    TPlayer* player = CurrentPlayer();
    if (inContainer || !player) return;
    const b2Vec2 p = GetPosition();
    const b2Vec2 q = player->GetPosition();
    float d = Distance(p.x, p.y, q.x, q.y) + 0.001f;
    if (d >= kItemMarkerRange) return;
    if (RayCast(p.x, p.y, q.x, q.y, nullptr, nullptr, nullptr, kCollisionWall, nullptr)) return;
    float sx = 0.0f, sy = 0.0f;
    WorldToScreen(p.x * kPixelsPerUnit, p.y * kPixelsPerUnit, &sx, &sy);
    SetBlendMode(2);
    if (d < kItemLabelRange) {
        // A dark shadow one pixel down and right keeps the label readable on
        // any floor (with the hints; the plain label otherwise).
        if (GetSettingBool("hints")) {
            SetColor(0.0f, 0.0f, 0.0f, 0.7f);
            DrawTextBlock(invText, sx + 1.0f, sy + 1.0f);
        }
        SetColor(colorR, colorG, colorB, 0.4f);
        DrawTextBlock(invText, sx, sy);
        d = 1.0f;
    }
    SetColor(colorR, colorG, colorB, 0.4f);
    if ((blinkPhase + frameNumber) % 15 < 3)
        DrawCircle(sx, sy, 5.0f * cameraZoom, 1.0f, 1.0f, 1.0f, 0.8f / d);
}

std::string TItem::GetCreateCommand()
{
    if (inContainer) return {};
    const b2Vec2 p = GetPosition();
    char line[160];
    std::snprintf(line, sizeof line, "CreateItem(%f,%f,", p.x - saveOriginX, p.y - saveOriginY);
    return line + LuaQuoted(itemName) + ")\n";
}

void TItem::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (inContainer || !other) return;
    if (other->collisionType == kCollisionPlayer) {
        auto* player = dynamic_cast<TPlayer*>(other);
        if (player && player->input && player->input->IsUsePressed()) PickUp(player);
    } else if (other->collisionType == kCollisionEnemy || other->collisionType == kCollisionWall) {
        ApplyDrag(body, kItemDrag);
    }
}

bool TItem::Activate()
{
    return false;
}

void TItem::UpdateCarried(bool) {}

void TItem::UpdateOnGround() {}

std::string TItem::GetInventoryText()
{
    return invText;
}

void TItem::PickUp(TActor* actor)
{
    if (!actor) return;
    if (actor->inventory) actor->inventory->Insert(this);
    if (itemClass == "material") actor->TookMaterial();
    PlaySound(FindSound("inv_pickup"), kMaxVolume);
}

std::string TItem::GetStatusText()
{
    return longText;
}

TLevelProgress::CarriedSlot TItem::GetCarryState()
{
    TLevelProgress::CarriedSlot slot;
    slot.name = itemName;
    slot.count = 0;
    return slot;
}
