#include "world/DirectionController.h"
#include "core/CurrentScreen.h"
#include "player/Player.h"
#include "render/Shapes.h"
#include "script/ScriptHost.h"
#include "world/MathUtil.h"
#include "world/Physics.h"
#include "world/MinimalObject.h"
#include <box2d/box2d.h>
#include <cmath>
#include <cstdio>

TDirectionController::TDirectionController(float x, float y, float angle, float r) : radius(r)
{
    body = CreateCircleBody(r, 0.0f, true, this, 1000.0f, 1000.0f);
    SetPosition(b2Vec2(x, y));
    if (body && std::isfinite(angle)) body->SetTransform(body->GetPosition(), angle);
    collisionType = kCollisionNull;
    SetDepth(12);
}

void TDirectionController::Update() {}

float TDirectionController::ChooseViewRotation(float angle, float current)
{
    if (!std::isfinite(angle)) return current;
    // Into [−π/4, π/4] by quarter turns.
    const float a = std::remainder(angle, b2_pi / 2.0f);
    const float b = a - b2_pi / 2.0f;
    // The differences are taken on the radian values as they are.
    const float da = std::fabs(AngleDifferenceDeg(a, current));
    const float db = std::fabs(AngleDifferenceDeg(b, current));
    return da <= db ? a : b;
}

void TDirectionController::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    TPlayer* player = CurrentPlayer();
    if (!other || other != player) return;
    if (!GetSettingBool("viewrotate")) {
        player->viewRotation = 0.0f;
        return;
    }
    player->viewRotation = ChooseViewRotation(GetAngle(), player->viewRotation);
}

void TDirectionController::Draw()
{
    if (!CurrentScreenIsEditor()) return;
    const b2Vec2 p = kPixelsPerUnit * GetPosition();
    const float r = kPixelsPerUnit * radius;
    DrawCircle(p.x, p.y, r, 1, 1, 1, 1);
    const float a = GetAngle();
    DrawThickLine(p.x, p.y, p.x + std::cos(a) * r, p.y + std::sin(a) * r, 1, 1, 1, 1, 1);
}

std::string TDirectionController::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[160];
    // Relative to the save origin like every other piece (see TTrigger).
    std::snprintf(line, sizeof line, "CreateDirectionController(%f,%f,%f,%f)\n", p.x - saveOriginX,
                  p.y - saveOriginY, GetAngle(), radius);
    return line;
}
