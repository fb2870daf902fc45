#include "world/World.h"
#include "render/SpriteBatch.h"
#include "core/App.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "core/screens/Menustate.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/effects/ParticleSystem.h"
#include "render/ShadowQuads.h"
#include "render/Shapes.h"
#include "util/AtomicFile.h"
#include "world/Bitmap.h"
#include "world/GameObject.h"
#include "world/Physics.h"
#include "world/QueryCallback.h"
#include <GL/gl.h>
#include <box2d/box2d.h>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool DebugViewHeld()
{
    return KeyHeld(SDLK_F11);
}

} // namespace

TWorld::TWorld() : game(::game)
{
    Clear();
}

TWorld::~TWorld()
{
    DeleteEverything();
    if (game && game->player) game->player = nullptr;
}

void TWorld::AddObject(TGameObject* object)
{
    if (object) objects.push_back(object);
}

void TWorld::AddBitmap(TBitmap* bitmap)
{
    if (bitmap) bitmaps.push_back(bitmap);
}

void TWorld::DeleteEverything()
{
    // Destructors may still make objects (a limb leaves a decal) or flag
    // others: keep going until the lists stay empty.
    while (!objects.empty()) {
        TObjectList doomed;
        doomed.swap(objects);
        for (TGameObject* object : doomed) delete object;
    }
    while (!bitmaps.empty()) {
        TBitmapList doomed;
        doomed.swap(bitmaps);
        for (TBitmap* bitmap : doomed) delete bitmap;
    }
    particles = nullptr;
    debris = nullptr;
}

void TWorld::Clear()
{
    // A script run by an object's update (a trigger, a Lua item) may clear the
    // level; deleting the objects under the update walk would pull the floor
    // from under it, so the clear waits for the end of the step.
    if (stepping) {
        clearAfterStep = true;
        return;
    }
    DeleteEverything();
    if (game) game->player = nullptr;
    physics = CreatePhysicsWorld();
    viewFixtures.clear();

    particles = new TParticleSystem(this, kMainParticleCount);
    debris = new TParticleSystem(this, kDebrisParticleCount);
    debris->SetDepth(kDebrisDepth);

    stepCount = 0;
    introTimer = 0;
    tint[0] = tint[1] = tint[2] = 1.0f;
    clearRequested = 0;
    enemyCounts.clear();
    killCounts.clear();
}

void TWorld::Step()
{
    stepping = true;
    ++stepCount;
    ++introTimer;

    Clock::time_point start;
    if (measurePhases) start = Clock::now();

    physics->Step(kPhysicsTimeStep, kVelocityIterations, kPositionIterations);
    physics->ClearForces();
    if (measurePhases) {
        lastPhases.physics = MillisecondsSince(start);
        start = Clock::now();
    }

    RunContactPass(physics.get());
    if (measurePhases) {
        lastPhases.contacts = MillisecondsSince(start);
        start = Clock::now();
    }

    if (needsSort) {
        // std::list::sort is stable: equal depths keep their list order.
        objects.sort([](const TGameObject* a, const TGameObject* b) {
            return a->GetDepth() < b->GetDepth();
        });
        needsSort = 0;
    }
    if (measurePhases) {
        lastPhases.sort = MillisecondsSince(start);
        start = Clock::now();
    }

    // Objects made during the updates join the end of the list and are
    // updated in this same walk.
    for (TGameObject* object : objects) object->Update();
    if (measurePhases) {
        lastPhases.updates = MillisecondsSince(start);
        start = Clock::now();
    }

    RemoveDead();
    if (measurePhases) lastPhases.removal = MillisecondsSince(start);

    if (introTimer <= kIntroFrames && levelStartStep) levelStartStep(*this);
    stepping = false;
    if (clearAfterStep) {
        clearAfterStep = false;
        Clear();
    }
}

void TWorld::RemoveDead()
{
    for (auto it = objects.begin(); it != objects.end();) {
        TGameObject* object = *it;
        if (!object->dead) {
            ++it;
            continue;
        }
        it = objects.erase(it);
        if (object == particles) particles = nullptr;
        if (object == debris) debris = nullptr;
        delete object;
    }
}

void TWorld::Draw()
{
    // Only the frame block, the top-left quarter of the game view, reaches the
    // screen; everything past it is cleared unseen. Clip there so long shadow
    // strips and big sprites do not fill three quarters of the window for
    // nothing.
    GLint viewport[4] = {0, 0, 0, 0};
    GLint oldScissor[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_SCISSOR_BOX, oldScissor);
    const GLboolean scissorWasOn = glIsEnabled(GL_SCISSOR_TEST);
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport[0], viewport[1] + viewport[3] / 2, viewport[2] / 2, viewport[3] - viewport[3] / 2);

    for (TGameObject* object : objects) object->onScreen = 0;

    const float zoom = cameraZoom > 0.0f ? cameraZoom : 1.0f;
    b2AABB view;
    view.lowerBound.Set((cameraX - 340.0f / zoom) / kPixelsPerUnit,
                        (cameraY - 260.0f / zoom) / kPixelsPerUnit);
    view.upperBound.Set((cameraX + 340.0f / zoom) / kPixelsPerUnit,
                        (cameraY + 260.0f / zoom) / kPixelsPerUnit);
    viewFixtures.clear();
    viewFixtures.reserve(objects.size());
    TQueryCallback query(viewFixtures);
    physics->QueryAABB(&query, view);
    for (b2Fixture* fixture : viewFixtures)
        if (TGameObject* owner = ObjectOfFixture(fixture)) owner->onScreen = 1;

    {
        // Decals and objects draw mostly sprites: keep runs of the same texture
        // and blend mode together.
        TSpriteBatchScope sprites;
        for (TBitmap* bitmap : bitmaps) bitmap->Draw();
        for (TGameObject* object : objects) object->DrawIfVisible();
    }

    if (game && game->CurrentStateDrawsShadows()) {
        shadowQuads.Begin();
        for (b2Fixture* fixture : viewFixtures)
            if (TGameObject* owner = ObjectOfFixture(fixture)) owner->DrawShadow();
        shadowQuads.End();
    }

    DrawTint();

    if (DebugViewHeld()) physics->DebugDraw();

    glScissor(oldScissor[0], oldScissor[1], oldScissor[2], oldScissor[3]);
    if (!scissorWasOn) glDisable(GL_SCISSOR_TEST);

    if (clearRequested) Clear();
}

void TWorld::DrawTint() const
{
    if (tint[0] == 1.0f && tint[1] == 1.0f && tint[2] == 1.0f) return;
    // A square round the camera wide enough for any view turn at this zoom;
    // the scissor keeps it to the frame block.
    const float zoom = cameraZoom > 0.0f ? cameraZoom : 1.0f;
    const float reach = 450.0f / zoom;
    SetBlendMode(0);
    DrawRect(cameraX - reach, cameraY - reach, cameraX + reach, cameraY + reach, true, tint[0], tint[1],
             tint[2], 1.0f);
}

void TWorld::DrawLate()
{
    if (DebugViewHeld()) introTimer = 200;
    for (TGameObject* object : objects) object->DrawLate();
    if (levelStartDraw) levelStartDraw(*this);
}

void TWorld::DrawOnMap(float alpha)
{
    for (TGameObject* object : objects)
        if (object->seen) object->DrawOnMap(alpha);
}

void TWorld::MoveToFront(TGameObject* object)
{
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        if (*it == object) {
            objects.splice(objects.begin(), objects, it);
            return;
        }
    }
}

std::string TWorld::CreateCommands(bool selectedOnly) const
{
    std::string text;
    for (TBitmap* bitmap : bitmaps)
        if (!selectedOnly || bitmap->selected) text += bitmap->GetCreateCommand();
    for (TGameObject* object : objects)
        if (!selectedOnly || object->selected) text += object->GetCreateCommand();
    return text;
}

bool TWorld::SaveAsModule(const std::string& path) const
{
    return WriteFileAtomically(path, CreateCommands(true));
}
