#include "core/Frame.h"
#include "core/App.h"
#include "core/EventPoll.h"
#include "core/Game.h"
#include "core/replay/InputReplay.h"
#include "core/InputTables.h"
#include "core/ZoomKeys.h"
#include "level/LevelLoader.h"
#include "render/Camera.h"
#include "render/GLState.h"
#include "render/Graphics.h"
#include "render/Projection.h"
#include "render/ScreenDistortion.h"
#include "script/Console.h"
#include "script/ScriptHost.h"
#include <GL/glew.h>

namespace {

constexpr size_t kModuleNameLimit = 63;

// F7: save the current level as the module named by the script global mname.
void SaveModuleFromKey()
{
    const std::optional<std::string> name = GetGlobalString("mname");
    if (!name || name->empty()) {
        console.Append("F7: set mname to the module's name first\n");
        return;
    }
    if (name->size() > kModuleNameLimit || name->find('/') != std::string::npos) {
        console.Append("F7: mname must be a plain name of at most 63 characters\n");
        return;
    }
    SaveLevelAsModule(game, *name);
}

} // namespace

void UpdateFrame()
{
    PollEvents();
    ++frameNumber;
    game->Update();
    if (KeyPressed(SDLK_F1)) console.visible = !console.visible;
    if (KeyPressed(SDLK_F7)) SaveModuleFromKey();
}

void DrawFrame()
{
    BeginGameFrame();
    ComputeMouseWorldPosition();
    SaveMatrices();
    // Aim and projected points come from the exact view; only the drawing moves.
    NudgeRowsOffPixelCentres();
    CheckGLError();
    game->DrawPass1();
    game->DrawPass2();
    SetScreenView640();
    SetBlendMode(2);
    if (console.visible) {
        console.Draw();
        // Every key of the frame in order: fast typing puts several in one frame.
        for (const TKeyDown& key : inputTables.KeysDownThisFrame()) console.Edit(key.character, key.code == SDLK_RETURN);
    }
    CopyScreenToTexture(displayTexture);
    CheckGLError();
    glClear(GL_COLOR_BUFFER_BIT);
    if (screenDistortion) screenDistortion->Draw();
    glViewport(0, 0, 640, 480);
    inputReplay.TakeScreenshotsForFrame();
}

void RunFrame()
{
    ApplyZoomKeys();
    UpdateFrame();
    DrawFrame();
    SDL_GL_SwapBuffers();
}
