#include "world/Kast.h"
#include "ui/HintLine.h"
#include "ui/HudPlate.h"
#include <algorithm>
#include "core/App.h"
#include "player/input/InputDevice.h"
#include "player/Player.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "render/Text.h"
#include "script/ScriptTable.h"
#include "util/LuaQuoted.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>

TKast::TKast(float x, float y, float angle, const std::string& kind, std::vector<std::string> contents)
    : items(std::move(contents)), crateKind(kind), kindIndex(KindIndexOf(kind))
{
    shadowDist = 1.0f;
    fovShadows = 0;
    material = kMaterialStoneYellow;
    sprite = FindSprite(kind);
    const bool pushable = kind == "spr_puitkast";
    if (pushable) body = CreateBoxBody(0.375f, 0.166667f, 7.0f, false, this, 10.0f, 10.0f);
    else body = CreateBoxBody(0.375f, 0.166667f, 0.0f, false, this, 1.0f, 1.0f);
    if (body) {
        // The reach area: whoever stands in front of the lid can open it.
        b2PolygonShape reach;
        reach.SetAsBox(0.3f, 0.5f, b2Vec2(0.0f, 0.3f), 0.0f);
        b2FixtureDef fixture;
        fixture.shape = &reach;
        fixture.isSensor = true;
        fixture.friction = 0.2f;
        fixture.restitution = 0.5f;
        fixture.density = 0.0f;
        body->CreateFixture(&fixture);
    }
    SetDepth(2);
    SetPosition(b2Vec2(x, y));
    if (body && std::isfinite(angle)) body->SetTransform(body->GetPosition(), angle);
}

int TKast::KindIndexOf(const std::string& kind)
{
    if (kind == "spr_hiteckast") return 1;
    if (kind == "spr_puitkast") return 2;
    return 0;
}

int TKast::StepSelection(int current, int step, int count)
{
    const int next = current + step;
    if (next < 0 || next >= count) return 0;
    return next;
}

void TKast::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (other && other == CurrentPlayer()) toucher = CurrentPlayer();
}

void TKast::TakeItem(size_t index, TPlayer* player)
{
    if (index >= items.size()) return;
    const std::string name = items[index];
    items.erase(items.begin() + long(index));
    if (player) player->TakeItem(name);
}

void TKast::Update()
{
    if (closed) {
        frame -= 1.0f;
        if (frame < 0.0f) frame = 0.0f;
    } else if (!toucher) {
        // The player walked out of reach.
        if (TPlayer* player = CurrentPlayer()) player->lootingCrate = 0;
        closed = 1;
    } else {
        const float lastFrame = sprite && sprite->frameCount > 0 ? float(sprite->frameCount - 1) : 0.0f;
        frame += 1.0f;
        if (frame > lastFrame) frame = lastFrame;
        TInputDevice* input = toucher->input.get();
        if (input) {
            selection = StepSelection(selection, input->GetItemStep(), int(items.size()));
            if (input->IsShootHeld()) {
                TakeItem(size_t(selection), toucher);
                input->ReleaseShoot();
                hintLine.Done("take");
            }
        }
    }
    // The hint line: how to open a crate in reach, how to take from an open one.
    if (toucher && !items.empty()) hintLine.Want(closed ? "open" : "take");
    MarkPlayerNear();
    if (toucher && toucher->input && toucher->input->IsUsePressed()) {
        if (closed) {
            closed = 0;
            toucher->lootingCrate = 1;
            hintLine.Done("open");
            hintLine.Done("approach");
        } else {
            closed = 1;
            toucher->lootingCrate = 0;
        }
    }
    toucher = nullptr;
}

void TKast::MarkPlayerNear()
{
    TPlayer* player = toucher ? toucher : CurrentPlayer();
    if (!player || !body || (!toucher && (items.empty() || !closed))) return;
    if (!toucher) {
        const b2Vec2 p = GetPosition(), q = player->GetPosition();
        if (Distance(p.x, p.y, q.x, q.y) > kCrateNearRange) return;
        // Just short of the reach area: say where to stand.
        hintLine.Want("approach");
    }
    player->crateNear = 1;
}

std::vector<TKast::MenuLine> TKast::MenuLines(bool* complete) const
{
    std::vector<MenuLine> lines;
    if (complete) *complete = false;
    for (const std::string& name : items) {
        const std::optional<TScriptTable> entry = TScriptTable::ReadEntry("itemtable", name);
        if (!entry) {
            std::fprintf(stderr, "ERROR:undefined item \"%s\" in container!\n", name.c_str());
            return lines;
        }
        MenuLine line;
        double r = 0.0, g = 0.0, b = 0.0;
        std::string error;
        if (!entry->GetString("invtext", &line.text, &error) || !entry->GetNumber("r", &r, &error) ||
            !entry->GetNumber("g", &g, &error) || !entry->GetNumber("b", &b, &error)) {
            std::fprintf(stderr, "ERROR:item \"%s\" in container cannot be listed: %s\n",
                         name.c_str(), error.c_str());
            return lines;
        }
        line.r = float(r);
        line.g = float(g);
        line.b = float(b);
        lines.push_back(std::move(line));
    }
    if (complete) *complete = true;
    return lines;
}

void TKast::DrawLate()
{
    if (!closed && !items.empty()) {
        bool complete = false;
        const std::vector<MenuLine> lines = MenuLines(&complete);
        // Behind "Take:" and the list, the box's width at least.
        size_t widest = 10;
        for (const MenuLine& line : lines) widest = std::max(widest, line.text.size());
        DrawHudPlate(160.0f, 93.0f, int(widest), int(lines.size()) + 1);
        SetBlendMode(4);
        SetColor(1.0f, 1.0f, 1.0f, 1.0f);
        DrawTextLine("Take:", 160.0f, 93.0f);
        DrawThickLine(159.0f, 99.0f, 201.0f, 99.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f);
        for (size_t i = 0; i < lines.size(); ++i) {
            SetColor(lines[i].r, lines[i].g, lines[i].b, 1.0f);
            DrawTextBlock(lines[i].text, 160.0f, 100.0f + 7.0f * float(i));
        }
        if (!complete) return;
        const float top = 99.0f + 7.0f * float(selection);
        DrawRect(159.0f, top, 201.0f, top + 8.0f, false, 1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }

    TPlayer* player = CurrentPlayer();
    if (items.empty() || !player) return;
    const b2Vec2 from = player->GetPosition();
    const b2Vec2 to = GetPosition();
    const float distance = Distance(from.x, from.y, to.x, to.y);
    if (!(distance < kCrateIndicatorRange)) return;
    if (RayCast(from.x, from.y, to.x, to.y, nullptr, nullptr, nullptr, kCollisionWall, nullptr))
        return;
    float sx = 0.0f, sy = 0.0f;
    WorldToScreen(kPixelsPerUnit * to.x, kPixelsPerUnit * to.y, &sx, &sy);
    const float alpha = distance < 2.0f ? 0.3f : 0.6f / distance;
    SetBlendMode(2);
    DrawSpriteEx(FindSprite("spr_k_indikaator"), sx, sy, -GetAngle() - cameraAngle, kindIndex,
                 2.0f * cameraZoom, 2.0f * cameraZoom, 1.0f, 1.0f, 1.0f, alpha);
}

std::string TKast::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[128];
    // + 0.0f turns the negated zero of an unturned crate into a plain zero, so
    // a room saved again is the same file ("0.000000", not "-0.000000").
    std::snprintf(line, sizeof line, "CreateContainer(%f,%f,%f,", p.x - saveOriginX,
                  p.y - saveOriginY, -GetAngle() + 0.0f);
    return line + LuaQuoted(crateKind) + ")\n";
}
