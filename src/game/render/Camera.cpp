#include "render/Camera.h"
#include "render/SpriteBatch.h"
#include "core/App.h"
#include "core/Game.h"
#include "core/InputTables.h"
#include "level/editor/FreeCamera.h"
#include "player/Player.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "script/ScriptHost.h"
#include "world/MathUtil.h"
#include "world/World.h"
#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <cmath>

float cameraX = 0.0f;
float cameraY = 0.0f;
float cameraAngle = 0.0f;
float cameraSpin = 0.0f;
float cameraShake = 1.0f;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansToDegrees = 180.0 / kPi;

// The matrices of the frame being drawn, kept for WorldToScreen. Identity until the
// first SaveMatrices so a projection before any frame is harmless.
GLint savedViewport[4] = {0, 0, 640, 480};
GLdouble savedModelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
GLdouble savedProjection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

void SetGameView(float x, float y, float zoom)
{
    FlushSprites();  // kept sprites belong to the old view
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 320.0, 240.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The frame block is the window's top-left quarter, so its centre is (80, 60).
    glTranslatef(80.0f, 60.0f, 0.0f);
    glScalef(zoom, zoom, 1.0f);
    glRotatef(float(cameraAngle * kRadiansToDegrees), 0.0f, 0.0f, 1.0f);
    glTranslatef(x, y, 0.0f);
}

void SaveMatrices()
{
    glGetIntegerv(GL_VIEWPORT, savedViewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, savedModelView);
    glGetDoublev(GL_PROJECTION_MATRIX, savedProjection);
}

void WorldToScreen(float x, float y, float* screenX, float* screenY)
{
    // Overlay coordinates: 640 x 480 with y downward, whatever the window size.
    const GLint overlayViewport[4] = {0, 480, 640, -480};
    GLdouble sx = 0.0, sy = 0.0, sz = 0.0;
    if (gluProject(x, y, 0.0, savedModelView, savedProjection, overlayViewport, &sx, &sy, &sz) !=
        GL_TRUE) {
        sx = sy = 0.0;
    }
    if (screenX) *screenX = float(sx);
    if (screenY) *screenY = float(sy);
}

void BeginGameFrame()
{
    SetGameView(-cameraX, -cameraY, cameraZoom);
    glClear(GL_COLOR_BUFFER_BIT);
    SetBlendMode(4);
    glDisable(GL_CULL_FACE);
}

void ComputeMouseWorldPosition()
{
    if (windowWidth <= 0 || windowHeight <= 0 || MouseWorldHeld()) return;
    // The mouse maps into the shown picture's 320 x 240 pixels, counted from
    // the bottom as OpenGL counts window rows.
    float pictureX = 0.0f, pictureY = 0.0f;
    MousePicturePoint(&pictureX, &pictureY);
    double winX = pictureX;
    double winY = 480.0 - double(pictureY);
    GLint viewport[4];
    GLdouble modelView[16], projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
    if (gluUnProject(winX, winY, 0.0, modelView, projection, viewport, &wx, &wy, &wz) == GL_TRUE)
        SetMouseWorldPosition(float(wx), float(wy));
}

void UpdateCamera(TGame* game)
{
    if (!game) return;
    TPlayer* player = game->player;
    if (!player) {
        // A level without a player: the arrow and movement keys look around.
        if (game->currentStateName == "game") UpdateFreeCamera(game);
        return;
    }
    // The screen kick of hits and shots dies away by itself.
    game->kickX *= kKickDecay;
    game->kickY *= kKickDecay;

    // Follow the player, leaning toward the crosshair by the look-ahead factor.
    const b2Vec2 p = player->GetPosition();
    const float t = player->lookAhead;
    // The player's "screen shake" setting softens only what he sees: the
    // random numbers are drawn all the same, so the game plays as before.
    const float shown = float(GetSettingNumber("shake", 100.0)) / 100.0f;
    cameraX = 12.0f * ((1.0f - t) * p.x + t * (p.x + player->aim.x)) +
              shown * RandomRange(-cameraShake, cameraShake) + shown * game->kickX;
    cameraY = 12.0f * ((1.0f - t) * p.y + t * (p.y + player->aim.y)) +
              shown * RandomRange(-cameraShake, cameraShake) + shown * game->kickY;
    cameraShake *= kShakeDecay;

    // Turn the view toward the player's view rotation (negated): a fixed step
    // outside a small dead zone, plus a spin that eases in and out.
    const float turn = CameraTurnDegrees(cameraAngle, player->viewRotation);
    if (std::fabs(turn) > kTurnDeadZoneDegrees) cameraAngle += (turn > 0.0f ? 1.0f : -1.0f) * kTurnStep;
    cameraSpin = 0.9f * cameraSpin + turn * float(kPi / 180.0) * 0.005f;
    if (GetSettingBool("viewrotate")) {
        cameraAngle += cameraSpin;
        // A fresh level starts already turned.
        if (game->world && game->world->stepCount <= kSnapSteps) cameraAngle = -player->viewRotation;
    } else {
        cameraAngle = 0.0f;
        cameraSpin = 0.0f;
    }
}

float CameraTurnDegrees(float angle, float viewRotation)
{
    const float target = -viewRotation * float(180.0 / kPi);
    return AngleDifferenceDeg(angle * float(180.0 / kPi), target);
}
