#include "world/MapMarker.h"
#include "player/Player.h"
#include "render/Shapes.h"
#include "world/MathUtil.h"
#include "world/ObjectDefinition.h"
#include "world/Physics.h"
#include <cstdio>

TMapMarker::TMapMarker(float x, float y, float r, float g, float b, const TObjectDefinition& d)
    : TMinimalObject(x, y, 0.0f, kMapMarkerType, d), red(r), green(g), blue(b)
{
}

void TMapMarker::Update()
{
    TPlayer* player = CurrentPlayer();
    if (!player) return;
    const b2Vec2 p = GetPosition();
    const b2Vec2 q = player->GetPosition();
    if (Distance(p.x, p.y, q.x, q.y) < kMapMarkerSeenRange) seen = 1;
}

void TMapMarker::Draw() {}

void TMapMarker::DrawOnMap(float alpha)
{
    const b2Vec2 p = GetPosition();
    DrawFilledCircle(kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, 12.0f, red, green, blue, alpha);
}

std::string TMapMarker::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[200];
    std::snprintf(line, sizeof line, "CreateMapMarker(%f,%f,%f,%f,%f)\n", p.x - saveOriginX,
                  p.y - saveOriginY, red, green, blue);
    return line;
}
