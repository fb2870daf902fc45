#include "ui/GameOverlay.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "player/Player.h"
#include "render/GLState.h"
#include "render/Projection.h"
#include "render/Shapes.h"
#include "render/Sprite.h"
#include "render/SpriteDraw.h"
#include "world/World.h"
#include <box2d/box2d.h>
#include <cmath>

bool AimingLine(const TPlayer* player, float mouseX, float mouseY, b2Vec2* from, b2Vec2* to)
{
    if (!player || player->action != kActionAim || !player->body) return false;
    const b2Vec2 p = 12.0f * player->body->GetPosition();
    const b2Vec2 m(mouseX, mouseY);
    const float d = (m - p).Length();
    if (!(d > kAimLineMinDistance)) return false;
    const b2Vec2 o = (20.0f / d) * (m - p);
    if (from) *from = p + o;
    if (to) *to = m - o;
    return true;
}

void DrawGameOverlay(TGame* game)
{
    if (game && game->player) {
        // Still in the world view of the first pass.
        b2Vec2 from, to;
        if (AimingLine(game->player, MouseWorldX(), MouseWorldY(), &from, &to)) {
            SetBlendMode(2);
            DrawThickLine(from.x, from.y, to.x, to.y, 1.0f, 1.0f, 1.0f, 0.2f, 2.0f);
        }
        SetScreenView640();
        // The HUD text is drawn over whatever the world left; mode 3 would put a
        // black strip behind it.
        SetBlendMode(2);
        if (game->world) game->world->DrawLate();
    } else {
        SetScreenView640();
    }
    SetBlendMode(2);
    DrawSprite(FindSprite("spr_sihik"), static_cast<float>(MouseScreenX()),
               static_cast<float>(MouseScreenY()), 0, 0);
}
