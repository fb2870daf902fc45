#include "world/Trigger.h"
#include "util/LuaQuoted.h"
#include "world/World.h"
#include "core/CurrentScreen.h"
#include "player/Player.h"
#include "render/Shapes.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include "world/Physics.h"
#include "world/MinimalObject.h"
#include <cstdio>

TTrigger::TTrigger(float x, float y, float r, const std::string& name, int triggerPeriod, int ref)
    : scriptRef(ref), period(triggerPeriod), counter(triggerPeriod), scriptName(name), radius(r)
{
    collisionType = kCollisionTrigger;
    body = CreateCircleBody(r, 1.0f, true, this, 1000.0f, 1000.0f);
    SetPosition(b2Vec2(x, y));
    SetDepth(12);
}

TTrigger::~TTrigger()
{
    ReleaseScriptRef(scriptRef);
}

void TTrigger::OnContact(TGameObject* other, b2Vec2, b2Vec2, b2Vec2)
{
    if (!other || other != CurrentPlayer()) return;
    // The period counts steps of contact: a player touching with both of his
    // fixtures (body and gun hand) is still one step.
    if (world && world->stepCount == lastContactStep) return;
    if (world) lastContactStep = world->stepCount;
    if (counter < 0) {
        counter = period;
        fired = 1;
    }
    --counter;
}

void TTrigger::Update()
{
    if (!fired) return;
    // Cleared first: the script may well delete this trigger.
    fired = 0;
    if (scriptRef == kNoScriptRef) {
        // The scripttable had no such entry: calling it fails like calling nil.
        console.Append("attempt to call a nil value\n");
        return;
    }
    CallScriptRef(scriptRef, ScriptErrors::Console);
}

void TTrigger::Draw()
{
    if (!CurrentScreenIsEditor()) return;
    const b2Vec2 p = GetPosition();
    DrawCircle(kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, kPixelsPerUnit * radius, 1, 1, 1, 1);
    DrawCircle(kPixelsPerUnit * p.x, kPixelsPerUnit * p.y, kPixelsPerUnit * radius, 1, 1, 1, 1);
}

std::string TTrigger::GetCreateCommand()
{
    const b2Vec2 p = GetPosition();
    char line[128];
    // Relative to the save origin like every other piece, so a trigger stays
    // where it was in its room when the room is saved or duplicated away from
    // the world's origin.
    std::snprintf(line, sizeof line, "CreateTrigger(%f,%f,%f,", p.x - saveOriginX, p.y - saveOriginY,
                  radius);
    char tail[32];
    std::snprintf(tail, sizeof tail, ",%d)\n", period);
    return line + LuaQuoted(scriptName) + tail;
}
